#pragma once
// TacEditWnd: the edit adapter. It skins a window that shows text or items on a field
// (a list, a grid, a combo box's drop-down list) from outside: the frame is painted from
// its section (EDIT by default) through a frame picture kept in the skin data's cache, the
// scroll bars are the skinned ones of the scroll layer, and the control takes the
// section's colours (saved on attaching, given back on detaching). The control keeps
// painting its own content. The grid and combo-list adapters derive from it.
#include <string>

#include "skin/adapters/scroll_window.h"

namespace tappomat {

class TacEditWnd : public TacScrollWnd {
 public:
  TacEditWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager);
  ~TacEditWnd() override { Detach(); }

  void WndProc(TMessage& message) override;

  // The colour the colour step gave the field (the step runs first if it has not yet).
  ColorRef AppliedColor() {
    if (!m_coloured) ColorStep();
    return m_appliedColor;
  }
  // The frame picture (the section over the whole window), rebuilt when its flag says so.
  bool RebuildFrame();

 protected:
  void SaveStep() override;
  void RestoreStep() override;
  void ColorStep() override;
  // Paints the frame strips from the frame picture, then the scroll bars.
  void PaintFrame();
  void RedrawFrame();
  // The section has a hot look: two states or more, or a border of more than one frame.
  bool HasHotLook() const;

  TColor m_savedColor = clWindow;
  TColor m_savedFontColor = clWindowText;
  ColorRef m_appliedColor = 0xFFFFFF;
  ColorRef m_borderColor = kFuchsia;
};

}  // namespace tappomat
