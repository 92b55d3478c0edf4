#pragma once
// TControl: a visible component with a parent, bounds, caption, font, colour, hint and
// mouse events. Every message a control gets goes through WindowProc (replaceable and
// chainable; the default is the virtual WndProc), so a subclass sees the same stream
// whether the message came from the window system or from Perform.
//
// Window-less controls (TGraphicControl) get their mouse messages from their parent
// TWinControl, which also paints them; windowed controls (TWinControl) get theirs from
// their own window.
#include <functional>
#include <string>

#include "platform/platform.h"
#include "ui/canvas.h"
#include "ui/component.h"
#include "ui/shift_state.h"
#include "ui/ui_messages.h"
#include "win/types.h"

namespace tappomat {

class TWinControl;
class TForm;

// What a pop-up menu offers to the controls that carry it; the menu layer implements it.
class TPopupMenuBase : public TComponent {
 public:
  using TComponent::TComponent;
  // Shows the menu at a screen point.
  virtual void Popup(int x, int y) = 0;
  // Carries out the item with this shortcut; true when the menu took the key.
  virtual bool IsShortCut(WORD key, TShiftState shift) = 0;

  // The control whose context menu opened the menu: a control sets itself here before it
  // calls Popup, so that OnPopup and the items' handlers know where the user clicked.
  // Null again when that component goes.
  TComponent* PopupComponent() const { return m_popupComponent; }
  void SetPopupComponent(TComponent* component);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* m_popupComponent = nullptr;
};

enum TControlStyleBits : unsigned {
  csAcceptsControls = 0x1,
  csCaptureMouse = 0x2,
  csDesignInteractive = 0x4,
  csClickEvents = 0x8,
  csFramed = 0x10,
  csSetCaption = 0x20,
  csOpaque = 0x40,
  csDoubleClicks = 0x80,
  csFixedWidth = 0x100,
  csFixedHeight = 0x200,
  csNoDesignVisible = 0x400,
  csReplicatable = 0x800,
  csNoStdEvents = 0x1000,
  csDisplayDragImage = 0x2000,
  csReflector = 0x4000,
  csActionClient = 0x8000,
  csMenuEvents = 0x10000,
  csParentBackground = 0x20000,
};
using TControlStyle = unsigned;

enum TControlStateBits : unsigned { csLButtonDown = 1, csClicked = 2, csFocusing = 4, csCreating = 8 };
using TControlState = unsigned;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursors with fixed negative numbers; crDefault (0) takes the window class's pointer.
using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crHourGlass = -11, crSizeAll = -22,
                  crHandPoint = -21;
// The pointer shape of a cursor (crDefault: arrow).
PointerShape PointerShapeOf(TCursor cursor);

using TMouseEvent =
    std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;

// The modifier keys now (GetKeyState), as key events report them.
TShiftState KeyboardShiftState();
// The state carried by a mouse message's MK_* bits.
TShiftState MouseShiftState(WPARAM keys);

class TControl : public TComponent {
 public:
  using TWndMethod = std::function<void(TMessage&)>;

  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  // --- messages
  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual void WndProc(TMessage& message);
  // What an unhandled message gets: nothing here, DefWindowProc for windowed controls.
  virtual void DefaultHandler(TMessage& message);

  // --- parent and geometry
  TWinControl* Parent() const { return m_parent; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
  void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
  void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
  void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
  Rect BoundsRect() const { return Rect::FromSize(m_left, m_top, m_width, m_height); }
  void SetBoundsRect(const Rect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual Rect ClientRect() const { return {0, 0, m_width, m_height}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual Point ClientToScreen(Point p) const;
  virtual Point ScreenToClient(Point p) const;
  TAlign Align() const { return m_align; }
  void SetAlign(TAlign align) { m_align = align; }

  // --- state
  bool Visible() const { return m_visible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent.
  bool Showing() const;
  bool Enabled() const { return m_enabled; }
  virtual void SetEnabled(bool enabled);
  const std::string& Caption() const { return m_text; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return m_text; }
  virtual void SetText(const std::string& text);

  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  bool ParentFont() const { return m_parentFont; }
  void SetParentFont(bool on);
  TColor Color() const { return m_color; }
  void SetColor(TColor color);
  bool ParentColor() const { return m_parentColor; }
  void SetParentColor(bool on);

  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint) { m_hint = hint; }
  bool ShowHint() const { return m_showHint; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return m_parentShowHint; }
  void SetParentShowHint(bool on);
  TPopupMenuBase* PopupMenu() const { return m_popupMenu; }
  void SetPopupMenu(TPopupMenuBase* menu);
  TCursor Cursor() const { return m_cursor; }
  void SetCursor(TCursor cursor);

  TControlStyle ControlStyle() const { return m_controlStyle; }
  void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
  TControlState ControlState() const { return m_controlState; }

  // True for controls with a window of their own.
  virtual bool IsWindowed() const { return false; }
  // The form this control sits on (itself for a form), or null.
  TForm* ParentForm() const;

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Mouse capture: a windowed control captures its window; a window-less one is
  // given the mouse by its parent.
  bool MouseCapture() const;
  void SetMouseCapture(bool on);

  // --- events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  virtual void Click();

 protected:
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  void Notification(TComponent* component, TOperation operation) override;
  // Takes the parent's font and colour where they are inherited.
  void ApplyParentFontAndColor();
  // Bounds changed: windowed controls move their window.
  virtual void BoundsChanged() {}
  void SetBoundsFields(const Rect& r);
  void SetControlStateBits(TControlState bits, bool on);
  // Window-less controls draw here when their parent paints; `dc` has its origin at the
  // control's top-left corner and is clipped to its bounds.
  virtual void PaintOn(DeviceContext&) {}

  TWinControl* m_parent = nullptr;
  int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
  bool m_visible = true;
  bool m_enabled = true;
  std::string m_text;
  TControlStyle m_controlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState m_controlState = 0;

 private:
  void HandleMouseButton(TMessage& m, TMouseButton button, bool down, bool doubleClick);
  void HandleContextMenu(TMessage& m);
  bool EffectiveShowHint() const;

  TFont m_font;
  bool m_parentFont = true;
  bool m_applyingParentFont = false;
  TColor m_color = clBtnFace;
  bool m_parentColor = false;
  std::string m_hint;
  bool m_showHint = false;
  bool m_parentShowHint = true;
  TPopupMenuBase* m_popupMenu = nullptr;
  TCursor m_cursor = crDefault;
  TAlign m_align = TAlign::alNone;

  friend class TWinControl;
  friend class TApplication;
};

}  // namespace tappomat
