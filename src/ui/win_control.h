#pragma once
// TWinControl: a control with a window of the window system. It keeps the list of its
// child controls (windowed and window-less, in z-order), paints the window-less ones
// after its own background, routes mouse messages to them (with capture and enter/leave
// on their behalf) and carries focus, tab order and the key events.
//
// The window is made lazily (HandleNeeded) when the control has a parent whose window
// exists, or when it is a top-level control and is shown. Its window class is registered
// once per ClassName(); its window procedure hands every message to WindowProc as a
// TMessage, and what the control leaves unhandled goes to DefWindowProc (DefaultHandler).
#include <vector>

#include "ui/control.h"
#include "win/window_system.h"

namespace tappomat {

struct TCreateParams {
  std::string Caption;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent;
  std::string WinClassName;
  std::uint32_t ClassStyle = 0;  // CS_*
};

using TKeyEvent = std::function<void(TComponent* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, char32_t& Key)>;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  // --- the window
  HWND Handle();
  bool HandleAllocated() const;
  void HandleNeeded();
  // The control whose window this is (null for other windows).
  static TWinControl* FromHandle(HWND h);
  // The control whose window is being made right now (during CreateWindowEx, before its
  // handle is set), so that a creation hook can tell which control a new window is for.
  static TWinControl* CreatingControl() { return s_creating; }

  // --- children (z-order, bottom first)
  int ControlCount() const { return static_cast<int>(m_controls.size()); }
  TControl* Controls(int index) const { return m_controls.at(index); }
  // The topmost visible child (enabled unless allowDisabled) at a client point, window-less
  // children only unless `allowWinControls`.
  TControl* ControlAtPos(Point p, bool allowDisabled, bool allowWinControls = false) const;

  // --- focus and tab order
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return m_tabStop; }
  void SetTabStop(bool on) { m_tabStop = on; }
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Windowed descendants in tab order (depth first).
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next (or previous) focusable tab stop after `current` among this control's
  // descendants, wrapping round; null when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // --- overrides
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void SetParent(TWinControl* parent) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  Rect ClientRect() const override;
  Point ClientToScreen(Point p) const override;
  Point ScreenToClient(Point p) const override;
  void Invalidate() override;
  void Update() override;

  // --- events
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateHandle();
  void DestroyHandle();
  void BoundsChanged() override;
  // Draws the client area: background (unless csOpaque), Paint (TCustomControl), then the
  // window-less children.
  virtual void PaintWindow(DeviceContext& dc);
  void PaintControls(DeviceContext& dc);
  // Key handling; each returns true when the key was consumed.
  virtual bool DoKeyDown(WORD& key, TShiftState shift);
  virtual bool DoKeyPress(char32_t& key);
  virtual bool DoKeyUp(WORD& key, TShiftState shift);
  // Reads the window's position back after the window system moved or sized it.
  void UpdateBoundsFromWindow();

  HWND m_handle;
  static TWinControl* s_creating;

 private:
  friend class TControl;
  // The window procedure of every control window class.
  static LRESULT ControlWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void RouteMouseToControl(TMessage& m, bool& handled);
  void SetMouseControl(TControl* control);
  void HandleKey(TMessage& m);

  std::vector<TControl*> m_controls;     // z-order, bottom first
  std::vector<TWinControl*> m_tabList;   // tab order
  bool m_tabStop = false;
  TControl* m_captureControl = nullptr;  // window-less child holding the mouse
  TControl* m_mouseControl = nullptr;    // window-less child under the pointer
  bool m_destroyingHandle = false;
};

}  // namespace tappomat
