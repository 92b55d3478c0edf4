#pragma once
// TacComboListWnd: the adapter of a combo box's drop-down list, a pop-up window without a
// control of its own. Its frame and scroll bar come from the skin (EDIT by default) and its
// field takes the section's colour (the hot colour when the section has a hot state). The
// skinned combo box attaches one when its list opens and lets it go when the list closes.
#include "skin/adapters/edit_window.h"

namespace tappomat {

class TacComboListWnd : public TacEditWnd {
 public:
  TacComboListWnd(HWND list, TsCommonData* data, const std::string& section, TsSkinManager* manager);
  ~TacComboListWnd() override { Detach(); }

  void WndProc(TMessage& message) override;

 protected:
  void ColorStep() override;
};

}  // namespace tappomat
