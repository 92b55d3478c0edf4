#pragma once
// TacMainWnd: a window adapter, the way the skin engine skins a window that is not a
// skinned control (the script grid, the list inside the script list, a combo box's
// drop-down list). It takes over the window's messages, ahead of the window's own handler:
// the control's WindowProc when a control owns the window, else the window procedure. The
// derived adapters paint the frame and the scroll bars from the skin and give the control
// the skin's colours, while the window keeps painting its own content. Detaching gives
// the window its handler back (only if nobody replaced it meanwhile) and restores what the
// adapter changed. The engine finds the adapter of a window through a window property.
//
// Derived adapters: TacScrollWnd (skinned scroll bars), TacEditWnd (frame and colours),
// TacGridWnd, TacComboListWnd. Their owner (a skinned control for its own window, or the
// control adapter of a form) creates and destroys them.
#include <memory>
#include <string>

#include "skin/common/common_data.h"
#include "ui/control.h"
#include "win/types.h"

namespace tappomat {

class TacMainWnd {
 public:
  // `data`: the control's own skin data, or none (the adapter then makes its own, bound to
  // the control that owns the window, if any). `section` is used when the skin data has
  // none. `manager` none: the skin data's.
  TacMainWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager);
  virtual ~TacMainWnd();
  TacMainWnd(const TacMainWnd&) = delete;
  TacMainWnd& operator=(const TacMainWnd&) = delete;

  // The adapter attached to `window`, or null.
  static TacMainWnd* Of(HWND window);

  // Takes over the window's messages; call once after construction (the derived adapters'
  // constructors have run, so their message handling is complete).
  void Attach(bool repaint);
  // Gives the window its handler back and restores what the adapter changed. Owners detach
  // before destroying an adapter: from the base destructor the derived restore steps
  // can no longer run (every adapter class also detaches in its own destructor).
  void Detach();
  bool Removed() const { return m_removed; }

  HWND Handle() const { return m_window; }
  TsCommonData& SkinData() { return *m_data; }
  const TsCommonData& SkinData() const { return *m_data; }
  TsSkinManager* SkinManager() const;
  // The control that owns the window, or null for a bare window.
  TWinControl* OwnerControl() const { return m_control; }
  // The skin data is the adapter's own (the window's control has none of its own); else the
  // control handles the skin messages to it and the adapter only adds its part.
  bool OwnsSkinData() const { return m_ownData != nullptr; }

  // The window's messages, before its own handler.
  virtual void WndProc(TMessage& message);

 protected:
  // What the adapter keeps of the control before changing it, and gives back on detach.
  virtual void SaveStep() {}
  virtual void RestoreStep() {}
  // Gives the control the skin's colours (once per attachment and per skin refresh).
  virtual void ColorStep() {}
  // Called once the adapter handles the window's messages.
  virtual void Attached(bool /*repaint*/) {}
  virtual void Detaching() {}

  // The window's own handling of a message.
  void CallPrevious(TMessage& message);
  LRESULT CallPrevious(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  bool m_coloured = false;

 private:
  struct ControlThunk;
  struct WindowThunk;

  HWND m_window;
  TWinControl* m_control = nullptr;
  std::unique_ptr<TsCommonData> m_ownData;
  TsCommonData* m_data = nullptr;
  TsSkinManager* m_manager = nullptr;
  TControl::TWndMethod m_previousMethod;
  WNDPROC m_previousProc;
  bool m_attached = false;
  bool m_removed = false;
  TControlStyle m_savedStyle = 0;
};

}  // namespace tappomat
