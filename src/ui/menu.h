#pragma once
// TMenuItem and TPopupMenu: the program's menus. A TMenuItem is one entry (caption with an
// "&" accelerator, "-" for a separator, shortcut, check mark) holding its sub-items; the
// owner component frees items, the parent item only lists them. TPopupMenu is the menu a
// control carries (TControl::PopupMenu): Popup shows its items in a pop-up window and
// runs a modal loop until the user chooses or cancels; TForm::IsShortCut offers it the
// keys while the control carrying it (or a child) has the focus.
#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/shortcut.h"

namespace tappomat {

class TMenuItem;

using TMenuMeasureItemEvent =
    std::function<void(TComponent* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TComponent* Sender, TCanvas* ACanvas, Rect ARect, bool Selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& caption) { m_caption = caption; }
  bool IsLine() const { return m_caption == "-"; }
  TShortCut ShortCut() const { return m_shortCut; }
  void SetShortCut(TShortCut shortCut) { m_shortCut = shortCut; }
  bool Checked() const { return m_checked; }
  void SetChecked(bool on) { m_checked = on; }
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool on) { m_enabled = on; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool on) { m_visible = on; }
  // The default item is drawn in bold.
  bool Default() const { return m_default; }
  void SetDefault(bool on) { m_default = on; }

  // --- sub-items (not owned: the owner component frees them)
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out of the list; it stays alive.
  void Delete(int index);
  int Count() const { return static_cast<int>(m_items.size()); }
  TMenuItem* Items(int index) const { return m_items.at(index); }
  TMenuItem* Parent() const { return m_parent; }
  int IndexOf(const TMenuItem* item) const;

  // Fires OnClick when enabled.
  virtual void Click();

  TNotifyEvent OnClick;
  // Asked for the item's size after the classic size was filled in.
  TMenuMeasureItemEvent OnMeasureItem;
  // Draw the item instead of the classic look; OnAdvancedDrawItem wins over OnDrawItem.
  TMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuDrawItemEvent OnDrawItem;

 private:
  std::string m_caption;
  TShortCut m_shortCut = scNone;
  bool m_checked = false;
  bool m_enabled = true;
  bool m_visible = true;
  bool m_default = false;
  std::vector<TMenuItem*> m_items;
  TMenuItem* m_parent = nullptr;
};

class TPopupMenuWindow;

class TPopupMenu : public TPopupMenuBase {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  std::string ClassName() const override { return "TPopupMenu"; }

  // The root item; its sub-items are the menu.
  TMenuItem* Items() const { return m_items; }
  // Shows the menu with its top-left corner at the screen point (moved to stay inside the
  // work area) and returns once it closed; a chosen item's OnClick runs after closing.
  void Popup(int x, int y) override;
  bool IsShortCut(WORD key, TShiftState shift) override;
  // The pop-up window while the menu is open (null otherwise).
  HWND WindowHandle() const;
  // Closes an open menu without choosing.
  void CloseMenu();

  // Before the menu shows: handlers may change items. A menu opened by a right click (or
  // the context-menu key) has PopupComponent() set to that control by then.
  TNotifyEvent OnPopup;

 private:
  TMenuItem* m_items;
  TPopupMenuWindow* m_window = nullptr;
};

}  // namespace tappomat
