#pragma once
// TsSystemMenu: the window menu of a skinned form (restore, move, minimize, maximize,
// close), which the caption's icon and a right click on the caption open. Its rules also
// decide which caption buttons a form shows and which of them act, so the caption and the
// menu never disagree. Each item sends its system command to the form. Owned by the
// form's provider; it pops up with the standard menu look until menus are skinned.
#include "skin/window/frame_metrics.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace tappomat {

class TsSystemMenu : public TPopupMenu {
 public:
  TsSystemMenu(TComponent* owner, TForm& form);
  std::string ClassName() const override { return "TsSystemMenu"; }

  // Caption buttons that exist.
  bool VisibleClose() const;
  bool VisibleMax() const;
  bool VisibleMin() const;
  // Commands that can act now.
  bool EnabledMax() const;
  bool EnabledMin() const;
  bool EnabledRestore() const;
  bool EnabledMove() const;
  bool EnabledClose() const { return true; }

  // The standard buttons that exist, in the caption's order.
  std::array<bool, kCaptionButtonCount> VisibleButtons() const;

  // Brings the items up to date with the form's state (shown, enabled).
  void UpdateItems();

 private:
  TMenuItem* AddItem(const std::string& caption, UINT command);
  bool Maximized() const;
  bool Minimized() const;

  TForm& m_form;
  TMenuItem* m_restore;
  TMenuItem* m_move;
  TMenuItem* m_minimize;
  TMenuItem* m_maximize;
  TMenuItem* m_divider;
  TMenuItem* m_close;
};

}  // namespace tappomat
