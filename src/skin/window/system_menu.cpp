#include "skin/window/system_menu.h"

#include "ui/application.h"
#include "ui/shortcut.h"
#include "win/window_system.h"

namespace tappomat {

TsSystemMenu::TsSystemMenu(TComponent* owner, TForm& form) : TPopupMenu(owner), m_form(form) {
  m_restore = AddItem("&Restore", SC_RESTORE);
  m_move = AddItem("&Move", SC_MOVE);
  m_minimize = AddItem("Mi&nimize", SC_MINIMIZE);
  m_maximize = AddItem("Ma&ximize", SC_MAXIMIZE);
  m_divider = AddItem("-", 0);
  m_close = AddItem("&Close", SC_CLOSE);
  m_close->SetShortCut(TextToShortCut("Alt+F4"));
  m_close->SetDefault(true);
  OnPopup = [this](TComponent*) { UpdateItems(); };
}

TMenuItem* TsSystemMenu::AddItem(const std::string& caption, UINT command) {
  auto* item = Create<TMenuItem>(this);
  item->SetCaption(caption);
  if (command != 0) {
    item->OnClick = [this, command](TComponent*) {
      if (!m_form.HandleAllocated()) return;
      // A keyboard move: no press starts it (the pointer position is not a press point).
      SendMessage(m_form.Handle(), WM_SYSCOMMAND, command, 0);
    };
  }
  Items()->Add(item);
  return item;
}

bool TsSystemMenu::Maximized() const {
  return m_form.HandleAllocated() && IsZoomed(const_cast<TForm&>(m_form).Handle());
}

bool TsSystemMenu::Minimized() const {
  return m_form.HandleAllocated() && IsIconic(const_cast<TForm&>(m_form).Handle());
}

bool TsSystemMenu::VisibleClose() const { return (m_form.BorderIcons() & biSystemMenu) != 0; }

bool TsSystemMenu::VisibleMax() const {
  return (m_form.BorderIcons() & biSystemMenu) && (m_form.BorderIcons() & biMaximize) &&
         HasLargeFrame(m_form.BorderStyle()) && IsSizeable(m_form.BorderStyle());
}

bool TsSystemMenu::VisibleMin() const {
  if (!(m_form.BorderIcons() & biSystemMenu) || !(m_form.BorderIcons() & biMinimize) ||
      !HasLargeFrame(m_form.BorderStyle())) {
    return false;
  }
  const bool mainForm = Application != nullptr && Application->MainForm() == &m_form;
  return !(Minimized() && !mainForm);
}

bool TsSystemMenu::EnabledMax() const { return VisibleMax() && !Maximized(); }
bool TsSystemMenu::EnabledMin() const { return VisibleMin() && !Minimized(); }
bool TsSystemMenu::EnabledRestore() const { return Maximized() || Minimized(); }
bool TsSystemMenu::EnabledMove() const { return !Maximized(); }

std::array<bool, kCaptionButtonCount> TsSystemMenu::VisibleButtons() const {
  std::array<bool, kCaptionButtonCount> visible{};
  visible[static_cast<std::size_t>(CaptionButtonKind::Close)] = VisibleClose();
  visible[static_cast<std::size_t>(CaptionButtonKind::Maximize)] = VisibleMax();
  visible[static_cast<std::size_t>(CaptionButtonKind::Minimize)] = VisibleMin();
  visible[static_cast<std::size_t>(CaptionButtonKind::Help)] =
      (m_form.BorderIcons() & biSystemMenu) && (m_form.BorderIcons() & biHelp) &&
      !(m_form.BorderIcons() & (biMinimize | biMaximize));
  return visible;
}

void TsSystemMenu::UpdateItems() {
  const bool sizeButtons = VisibleMin() || VisibleMax();
  m_restore->SetVisible(sizeButtons);
  m_restore->SetEnabled(EnabledRestore());
  m_move->SetEnabled(EnabledMove());
  m_minimize->SetVisible(sizeButtons);
  m_minimize->SetEnabled(EnabledMin());
  m_maximize->SetVisible(sizeButtons);
  m_maximize->SetEnabled(EnabledMax());
  m_close->SetEnabled(EnabledClose());
}

}  // namespace tappomat
