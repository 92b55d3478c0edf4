#pragma once
// TacGridWnd: the grid adapter, the edit adapter of a string grid. Besides the frame, the
// scroll bars and the field colours it gives the fixed cells the skin's global colour (and
// back on detaching), and the grid never erases its background (its cells cover it). The
// script table is skinned by it.
#include "skin/adapters/edit_window.h"

namespace tappomat {

class TStringGrid;

class TacGridWnd : public TacEditWnd {
 public:
  TacGridWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager);
  ~TacGridWnd() override { Detach(); }

  void WndProc(TMessage& message) override;

 protected:
  void SaveStep() override;
  void RestoreStep() override;
  void ColorStep() override;

 private:
  TStringGrid* Grid() const;

  TColor m_savedFixedColor = clBtnFace;
};

}  // namespace tappomat
