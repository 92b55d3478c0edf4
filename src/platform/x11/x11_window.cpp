#include "platform/x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/x11/x11_properties.h"

namespace tappomat {
namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | PropertyChangeMask |
                            FocusChangeMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask | KeyPressMask |
                            KeyReleaseMask | VisibilityChangeMask;

// X sizes are 16-bit and never zero.
constexpr int kMaxSide = 32767;
constexpr int kMaxIconSide = 512;
// Requests of ours that never got a configure (the server had nothing to change) would
// otherwise pile up.
constexpr std::size_t kMaxRequestedBounds = 8;

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr unsigned long kMotifHintsDecorations = 2;

Rect UsableBounds(const Rect& r) {
  return Rect::FromSize(r.left, r.top, std::clamp(r.Width(), 1, kMaxSide),
                        std::clamp(r.Height(), 1, kMaxSide));
}

short ClampShort(int value) { return static_cast<short>(std::clamp(value, -32768, 32767)); }
unsigned short ClampUShort(int value) { return static_cast<unsigned short>(std::clamp(value, 0, 65535)); }

}  // namespace

X11Window::X11Window(X11Display& x, X11InputMethod& inputMethod, const NativeWindowParams& params,
                     NativeWindowListener* listener)
    : m_x(x),
      m_listener(listener),
      m_kind(params.kind),
      m_owner(params.owner),
      m_noActivate(params.noActivate),
      m_topmost(params.topmost),
      m_reported(UsableBounds(params.bounds)) {
  Display* display = x.Get();
  Visual* visual = DefaultVisual(display, x.Screen());
  int depth = DefaultDepth(display, x.Screen());
  XSetWindowAttributes attributes{};
  unsigned long mask = CWEventMask | CWOverrideRedirect | CWBitGravity;
  attributes.event_mask = kEventMask;
  attributes.override_redirect = IsPopup() ? True : False;
  attributes.bit_gravity = NorthWestGravity;  // keeps the picture in place while resizing

  XVisualInfo argb{};
  if (params.layered && XMatchVisualInfo(display, x.Screen(), 32, TrueColor, &argb)) {
    // A 32-bit visual needs its own colormap and a border pixel, or creation fails.
    visual = argb.visual;
    depth = 32;
    m_colormap = XCreateColormap(display, x.Root(), visual, AllocNone);
    attributes.colormap = m_colormap;
    attributes.border_pixel = 0;
    attributes.background_pixel = 0;
    mask |= CWColormap | CWBorderPixel | CWBackPixel;
  } else {
    // No background: the server leaves the old contents until we present, which does not
    // flash.
    attributes.background_pixmap = None;
    mask |= CWBackPixmap;
  }

  m_fixedSize = params.fixedSize;
  m_defaultPosition = params.defaultPosition;
  const Rect& b = m_reported;
  {
    X11ErrorTrap trap(display);
    m_window = XCreateWindow(display, x.Root(), b.left, b.top, static_cast<unsigned>(b.Width()),
                             static_cast<unsigned>(b.Height()), 0, depth, InputOutput, visual,
                             mask, &attributes);
    if (trap.Failed()) {
      if (m_window != None) XDestroyWindow(display, m_window);
      m_window = None;
    }
  }
  if (m_window == None) return;
  x.AddOwnWindow(m_window);
  m_parent = x.Root();

  const X11Atoms& atoms = x.Atoms();
  XClassHint classHint{const_cast<char*>("tappomat"), const_cast<char*>("Tappomat")};
  XSetClassHint(display, m_window, &classHint);

  Atom protocols[] = {atoms.WM_DELETE_WINDOW};
  XSetWMProtocols(display, m_window, protocols, 1);

  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  // A window that must not take the focus says so; the window manager then never gives it.
  hints.input = m_noActivate ? False : True;
  hints.initial_state = NormalState;
  XSetWMHints(display, m_window, &hints);
  WriteNormalHints(b);

  // Our windows draw their own frames.
  WriteProperty32(display, m_window, atoms.MOTIF_WM_HINTS, atoms.MOTIF_WM_HINTS,
                  {kMotifHintsDecorations, 0, 0, 0, 0});

  Atom type = atoms.NET_WM_WINDOW_TYPE_NORMAL;
  if (IsPopup()) {
    type = atoms.NET_WM_WINDOW_TYPE_POPUP_MENU;
  } else if (m_kind == NativeWindowKind::Tool) {
    type = m_owner != kNoNativeWindow ? atoms.NET_WM_WINDOW_TYPE_DIALOG
                                      : atoms.NET_WM_WINDOW_TYPE_UTILITY;
  }
  WriteProperty32(display, m_window, atoms.NET_WM_WINDOW_TYPE, XA_ATOM, {type});
  WriteStateProperty();
  if (m_owner != kNoNativeWindow) XSetTransientForHint(display, m_window, m_owner);

  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) {
    XChangeProperty(display, m_window, atoms.WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(host), static_cast<int>(strnlen(host, sizeof host)));
    WriteProperty32(display, m_window, atoms.NET_WM_PID, XA_CARDINAL,
                    {static_cast<unsigned long>(getpid())});
  }
  if (!params.title.empty()) SetTitle(params.title);

  m_inputContext = inputMethod.CreateContext(m_window);
  if (const long extra = m_inputContext.FilterEvents()) {
    XSelectInput(display, m_window, kEventMask | extra);
  }
  m_presenter = std::make_unique<X11Presenter>(x, m_window, visual, depth);
}

X11Window::~X11Window() {
  // The presenter's graphics context and the input context die before the window.
  m_presenter.reset();
  m_inputContext = X11InputContext();
  if (m_window != None) {
    m_x.RemoveOwnWindow(m_window);
    XDestroyWindow(m_x.Get(), m_window);
  }
  if (m_colormap != None) XFreeColormap(m_x.Get(), m_colormap);
}

void X11Window::WriteStateProperty() {
  const X11Atoms& atoms = m_x.Atoms();
  std::vector<unsigned long> state;
  if (m_topmost) state.push_back(atoms.NET_WM_STATE_ABOVE);
  if (m_kind == NativeWindowKind::Tool) {
    state.push_back(atoms.NET_WM_STATE_SKIP_TASKBAR);
    state.push_back(atoms.NET_WM_STATE_SKIP_PAGER);
  }
  WriteProperty32(m_x.Get(), m_window, atoms.NET_WM_STATE, XA_ATOM, state);
}

void X11Window::WriteNormalHints(const Rect& bounds) {
  // User-specified position and size: window managers place such windows where asked.
  // A window at a default position gives no position, so the window manager places it.
  XSizeHints sizeHints{};
  sizeHints.flags = USSize | PSize | PWinGravity;
  if (!m_defaultPosition) sizeHints.flags |= USPosition | PPosition;
  sizeHints.x = bounds.left;
  sizeHints.y = bounds.top;
  sizeHints.width = bounds.Width();
  sizeHints.height = bounds.Height();
  sizeHints.win_gravity = NorthWestGravity;
  // A window without a sizing frame keeps its size: the window manager must not offer
  // to resize it (it would show an empty area the program never paints).
  if (m_fixedSize) {
    sizeHints.flags |= PMinSize | PMaxSize;
    sizeHints.min_width = sizeHints.max_width = bounds.Width();
    sizeHints.min_height = sizeHints.max_height = bounds.Height();
  }
  XSetWMNormalHints(m_x.Get(), m_window, &sizeHints);
}

void X11Window::SetBounds(const Rect& screenBounds) {
  const Rect b = UsableBounds(screenBounds);
  if (b.left != m_reported.left || b.top != m_reported.top) m_defaultPosition = false;
  if (!IsPopup()) WriteNormalHints(b);
  XMoveResizeWindow(m_x.Get(), m_window, b.left, b.top, static_cast<unsigned>(b.Width()),
                    static_cast<unsigned>(b.Height()));
  m_reported = b;
  m_requested.push_back(b);
  if (m_requested.size() > kMaxRequestedBounds) m_requested.pop_front();
}

void X11Window::Map(bool raise) {
  // Window managers drop _NET_WM_STATE when a window is withdrawn and read it again when
  // it is mapped: without this a stay-on-top window shown a second time is an ordinary one.
  if (!IsPopup()) WriteStateProperty();
  if (raise) {
    XMapRaised(m_x.Get(), m_window);
  } else {
    XMapWindow(m_x.Get(), m_window);
  }
  m_shown = true;
}

void X11Window::Withdraw() {
  if (IsPopup()) {
    XUnmapWindow(m_x.Get(), m_window);
  } else {
    // Also tells the window manager, which may hold the window iconified (ICCCM 4.1.4).
    XWithdrawWindow(m_x.Get(), m_window, m_x.Screen());
  }
  m_shown = false;
}

void X11Window::Iconify() {
  m_iconifyAsked = true;
  XIconifyWindow(m_x.Get(), m_window, m_x.Screen());
}

void X11Window::SetTopmost(bool topmost, bool managed) {
  m_topmost = topmost;
  if (managed) {
    SendRootMessage(m_x, m_window, m_x.Atoms().NET_WM_STATE,
                    topmost ? kNetWmStateAdd : kNetWmStateRemove,
                    static_cast<long>(m_x.Atoms().NET_WM_STATE_ABOVE), 0, kSourceApplication);
  } else {
    WriteStateProperty();
  }
}

void X11Window::SetUserTime(Time time) {
  WriteProperty32(m_x.Get(), m_window, m_x.Atoms().NET_WM_USER_TIME, XA_CARDINAL, {time});
}

void X11Window::SetTitle(const std::string& utf8) {
  const X11Atoms& atoms = m_x.Atoms();
  WriteUtf8Property(m_x.Get(), m_window, atoms.NET_WM_NAME, utf8, atoms.UTF8_STRING);
  // WM_NAME for older window managers: STRING when the title is ASCII, else UTF8_STRING,
  // which they accept in practice.
  const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  WriteUtf8Property(m_x.Get(), m_window, XA_WM_NAME, utf8, ascii ? XA_STRING : atoms.UTF8_STRING);
}

void X11Window::SetIcon(const Bitmap32& icon) {
  if (icon.IsEmpty() || icon.Width() > kMaxIconSide || icon.Height() > kMaxIconSide) return;
  // Width, height, then ARGB pixels, one per long as format 32 wants them.
  std::vector<unsigned long> data;
  data.reserve(2 + icon.Pixels().size());
  data.push_back(static_cast<unsigned long>(icon.Width()));
  data.push_back(static_cast<unsigned long>(icon.Height()));
  for (const Pixel p : icon.Pixels()) data.push_back(p);
  WriteProperty32(m_x.Get(), m_window, m_x.Atoms().NET_WM_ICON, XA_CARDINAL, data);
}

void X11Window::SetCursor(Cursor cursor) { XDefineCursor(m_x.Get(), m_window, cursor); }

void X11Window::SetOpacity(std::uint8_t alpha) {
  // 0xFFFFFFFF is opaque; compositors scale the window by value / 0xFFFFFFFF.
  const unsigned long value = static_cast<unsigned long>(alpha) * 0x01010101UL;
  WriteProperty32(m_x.Get(), m_window, m_x.Atoms().NET_WM_WINDOW_OPACITY, XA_CARDINAL, {value});
}

void X11Window::SetShape(int kind, const std::optional<Region>& region) {
  Display* display = m_x.Get();
  if (!region) {
    XShapeCombineMask(display, m_window, kind, 0, 0, None, ShapeSet);
    return;
  }
  std::vector<XRectangle> rects;
  rects.reserve(region->Rects().size());
  for (const Rect& r : region->Rects()) {
    rects.push_back({ClampShort(r.left), ClampShort(r.top), ClampUShort(r.Width()),
                     ClampUShort(r.Height())});
  }
  // An empty list is a valid, empty shape: nothing is shown (or nothing takes input).
  XShapeCombineRectangles(display, m_window, kind, 0, 0, rects.data(),
                          static_cast<int>(rects.size()), ShapeSet, Unsorted);
}

void X11Window::Present(const Bitmap32& backBuffer, const Region& dirty) {
  m_presenter->Put(backBuffer, dirty.Rects());
}

void X11Window::PresentLayered(const Bitmap32& picture, std::uint8_t constantAlpha) {
  m_presenter->PutScaled(picture, constantAlpha);
}

std::optional<Rect> X11Window::AddExpose(const XExposeEvent& event) {
  m_exposed = m_exposed.Bound(Rect::FromSize(event.x, event.y, event.width, event.height));
  if (event.count > 0) return std::nullopt;
  const Rect damaged = m_exposed;
  m_exposed = {};
  if (damaged.IsEmpty()) return std::nullopt;
  return damaged;
}

std::optional<Rect> X11Window::OnConfigured(const Rect& actual) {
  const auto mine = std::find(m_requested.begin(), m_requested.end(), actual);
  if (mine != m_requested.end()) {
    m_requested.erase(m_requested.begin(), mine + 1);
    // Later requests are still on their way; the listener already knows the last one.
    if (!m_requested.empty()) return std::nullopt;
  }
  if (actual == m_reported) return std::nullopt;
  m_reported = actual;
  return actual;
}

bool X11Window::KeyPressed(unsigned keycode) {
  if (keycode >= m_keysDown.size()) return false;
  const bool repeat = m_keysDown.test(keycode);
  m_keysDown.set(keycode);
  return repeat;
}

void X11Window::KeyReleased(unsigned keycode) {
  if (keycode < m_keysDown.size()) m_keysDown.reset(keycode);
}

bool X11Window::TakeFocusWhenMapped() {
  const bool wanted = m_focusWhenMapped;
  m_focusWhenMapped = false;
  return wanted;
}

}  // namespace tappomat
