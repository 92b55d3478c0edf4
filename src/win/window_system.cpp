// Window records, classes, creation and destruction, the window tree, geometry and
// attributes. Messages and the loop are in message_loop.cpp.
#include "win/window_system.h"

#include <algorithm>
#include <cassert>

#include "win/input.h"
#include "win/input_routing.h"
#include "win/paint.h"

namespace tappomat {
namespace {

WindowSystem* g_current = nullptr;

WindowData* Data(HWND h) { return WindowSystem::HasCurrent() ? WindowSystem::Current().Find(h) : nullptr; }

NativeWindowParams NativeParamsFor(const WindowData& w) {
  NativeWindowParams p;
  // Menus, drop-down lists, glow and animation windows are no-activate tool popups: the
  // window manager must not touch them.
  if ((w.style & WS_POPUP) && (w.exStyle & WS_EX_NOACTIVATE) && (w.exStyle & WS_EX_TOOLWINDOW)) {
    p.kind = NativeWindowKind::Popup;
  } else if (w.exStyle & WS_EX_TOOLWINDOW) {
    p.kind = NativeWindowKind::Tool;
  }
  p.bounds = w.windowRect;
  p.noActivate = (w.exStyle & WS_EX_NOACTIVATE) != 0;
  p.layered = (w.exStyle & WS_EX_LAYERED) != 0;
  p.topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
  p.fixedSize = p.kind != NativeWindowKind::Popup && !(w.style & WS_THICKFRAME);
  p.defaultPosition = w.top.defaultPosition;
  p.title = w.text;
  return p;
}

}  // namespace

bool WindowData::IsChild() const { return (style & WS_CHILD) != 0; }
bool WindowData::IsVisible() const { return (style & WS_VISIBLE) != 0; }
bool WindowData::IsEnabled() const { return (style & WS_DISABLED) == 0; }

WPARAM HandleToWParam(HWND h) { return (WPARAM{h.generation} << 32) | h.index; }
HWND WParamToHandle(WPARAM w) {
  return {static_cast<std::uint32_t>(w & 0xFFFFFFFFu), static_cast<std::uint32_t>(w >> 32)};
}

WindowSystem::WindowSystem(Platform& platform) : m_platform(platform) {
  assert(g_current == nullptr && "one window system at a time");
  g_current = this;
  m_slots.emplace_back();  // slot 0 is the null handle
  m_generations.push_back(0);
  m_start = platform.Now();
  m_pointer = platform.PointerPosition();
}

WindowSystem::~WindowSystem() {
  // Destroy what is left, owners after their owned windows, so that every window gets
  // its destruction messages while the system still works.
  while (!m_topLevels.empty()) DestroyWindow(m_topLevels.back());
  g_current = nullptr;
}

WindowSystem& WindowSystem::Current() {
  assert(g_current);
  return *g_current;
}

bool WindowSystem::HasCurrent() { return g_current != nullptr; }

std::uint32_t WindowSystem::TickCount() {
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(m_platform.Now() - m_start).count());
}

WindowData* WindowSystem::Find(HWND h) {
  if (h.index == 0 || h.index >= m_slots.size()) return nullptr;
  if (m_generations[h.index] != h.generation) return nullptr;
  return m_slots[h.index].get();
}

std::vector<HWND> WindowSystem::TopLevelWindows() const { return m_topLevels; }

HWND WindowSystem::Allocate() {
  std::uint32_t index;
  if (!m_freeSlots.empty()) {
    index = m_freeSlots.back();
    m_freeSlots.pop_back();
  } else {
    index = static_cast<std::uint32_t>(m_slots.size());
    m_slots.emplace_back();
    m_generations.push_back(0);
  }
  ++m_generations[index];
  m_slots[index] = std::make_unique<WindowData>();
  const HWND h{index, m_generations[index]};
  m_slots[index]->handle = h;
  return h;
}

void WindowSystem::Release(HWND h) {
  if (!Find(h)) return;
  m_slots[h.index].reset();
  ++m_generations[h.index];  // the old handle dies at once
  m_freeSlots.push_back(h.index);
}

HWND WindowSystem::FindByNative(NativeWindowId native) const {
  for (HWND h : m_topLevels) {
    const WindowData* w = m_slots[h.index].get();
    if (w && w->top.native == native) return h;
  }
  return kNullWindow;
}

// --- classes and creation

bool RegisterClass(const WindowClass& windowClass) {
  auto& classes = WindowSystem::Current().m_classes;
  if (windowClass.name.empty() || classes.count(windowClass.name)) return false;
  classes.emplace(windowClass.name, windowClass);
  return true;
}

const WindowClass* FindClass(std::string_view name) {
  auto& classes = WindowSystem::Current().m_classes;
  auto it = classes.find(std::string(name));
  return it == classes.end() ? nullptr : &it->second;
}

HWND CreateWindowEx(std::uint32_t exStyle, std::string_view className, std::string_view text,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent,
                    int id, void* createParams) {
  WindowSystem& ws = WindowSystem::Current();
  const WindowClass* cls = FindClass(className);
  if (!cls) return kNullWindow;
  WindowData* parentData = ws.Find(parent);
  const bool child = (style & WS_CHILD) != 0;
  if (child && !parentData) return kNullWindow;

  const HWND h = ws.Allocate();
  WindowData* w = ws.Find(h);
  w->windowClass = cls;
  w->proc = cls->proc;
  w->text = std::string(text);
  w->style = style & ~WS_VISIBLE;  // shown at the end, with its messages
  w->exStyle = exStyle;
  w->id = id;
  if (!child && x == CW_USEDEFAULT) {
    const Rect work = ws.m_platform.WorkArea();
    const int step = 24 * (ws.m_defaultPlacements++ % 8);
    x = work.left + step;
    y = work.top + step;
    w->top.defaultPosition = true;
  }
  w->windowRect = Rect::FromSize(x, y, std::max(width, 0), std::max(height, 0));
  w->clientRect = {0, 0, w->windowRect.Width(), w->windowRect.Height()};
  if (child) {
    w->parent = parent;
    parentData->children.insert(parentData->children.begin(), h);  // on top of its siblings
  } else {
    // A top-level window's "parent" argument is its owner (taken at its root).
    if (parentData) w->owner = GetAncestor(parent, GA_ROOT);
    ws.m_topLevels.push_back(h);
    w->top.layered = (exStyle & WS_EX_LAYERED) != 0;
  }

  CREATESTRUCT cs;
  cs.lpCreateParams = createParams;
  cs.hwndParent = parent;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.style = style;
  cs.dwExStyle = exStyle;
  const std::string nameCopy = w->text;
  cs.lpszName = nameCopy.c_str();
  cs.lpszClass = cls->name.c_str();

  auto fail = [&ws, h] {
    if (ws.Find(h)) DestroyWindow(h);
    return kNullWindow;
  };
  if (ws.CallHooks(WH_CBT, HCBT_CREATEWND, HandleToWParam(h), PtrToLParam(&cs)) != 0) return fail();
  if (!ws.Find(h)) return kNullWindow;
  if (SendMessage(h, WM_NCCREATE, 0, PtrToLParam(&cs)) == 0) return fail();
  if (!ws.Find(h)) return kNullWindow;

  // The client rectangle from the non-client protocol.
  NCCALCSIZE_PARAMS calc;
  calc.rgrc[0] = ws.Find(h)->windowRect;
  SendMessage(h, WM_NCCALCSIZE, 0, PtrToLParam(&calc));
  if (WindowData* again = ws.Find(h)) {
    const Rect& r = again->windowRect;
    again->clientRect = calc.rgrc[0].Offset(-r.left, -r.top);
  }

  if (!child) {
    WindowData* top = ws.Find(h);
    NativeWindowParams params = NativeParamsFor(*top);
    if (WindowData* owner = ws.Find(top->owner)) params.owner = owner->top.native;
    top->top.native = ws.m_platform.CreateNativeWindow(params, &ws);
    if (top->top.native == kNoNativeWindow) return fail();
    if (top->exStyle & WS_EX_TRANSPARENT) ws.m_platform.SetInputShape(top->top.native, Region());
  }

  if (SendMessage(h, WM_CREATE, 0, PtrToLParam(&cs)) == -1) return fail();
  if (!ws.Find(h)) return kNullWindow;
  {
    const Rect client = GetClientRect(h);
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    const Rect inParent = ws.Find(h)->windowRect;
    const Rect clientInWindow = ws.Find(h)->clientRect;
    SendMessage(h, WM_MOVE, 0,
                MAKELPARAM(inParent.left + clientInWindow.left, inParent.top + clientInWindow.top));
  }
  if (child && parentData && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
    SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, id), 0);
  }
  if ((style & WS_VISIBLE) && ws.Find(h)) ShowWindow(h, SW_SHOW);
  return ws.Find(h) ? h : kNullWindow;
}

namespace {

void SendDestroy(WindowSystem& ws, HWND h) {
  SendMessage(h, WM_DESTROY);
  if (WindowData* w = ws.Find(h)) {
    const std::vector<HWND> children = w->children;
    for (HWND c : children) {
      if (WindowData* cw = ws.Find(c)) cw->destroying = true;
      SendDestroy(ws, c);
    }
  }
}

void SendNcDestroyAndFree(WindowSystem& ws, HWND h) {
  WindowData* w = ws.Find(h);
  if (!w) return;
  const std::vector<HWND> children = w->children;
  for (HWND c : children) SendNcDestroyAndFree(ws, c);
  ws.DestroyTimersOf(h);
  ForgetWindowInput(h);
  SendMessage(h, WM_NCDESTROY);
  w = ws.Find(h);
  if (!w) return;
  if (WindowData* parent = ws.Find(w->parent)) std::erase(parent->children, h);
  if (!w->IsChild()) {
    if (w->top.native != kNoNativeWindow) ws.m_platform.DestroyNativeWindow(w->top.native);
    std::erase(ws.m_topLevels, h);
  }
  std::erase_if(ws.m_posted, [h](const MSG& m) { return m.hwnd == h; });
  ws.Release(h);
}

}  // namespace

bool DestroyWindow(HWND h) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w || w->destroying) return false;
  if (ws.CallHooks(WH_CBT, HCBT_DESTROYWND, HandleToWParam(h), 0) != 0) return false;
  if (!(w = ws.Find(h))) return true;
  w->destroying = true;
  // Owned windows go first.
  if (!w->IsChild()) {
    for (HWND other : ws.TopLevelWindows()) {
      WindowData* o = ws.Find(other);
      if (o && o->owner == h) DestroyWindow(other);
    }
  }
  if (ws.Find(h) && IsWindowVisible(h)) {
    SetWindowPos(h, kNullWindow, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  w = ws.Find(h);
  if (w && w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), 0);
  }
  if (ws.Find(h)) SendDestroy(ws, h);
  SendNcDestroyAndFree(ws, h);
  return true;
}

bool IsWindow(HWND h) { return Data(h) != nullptr; }

// --- tree and geometry

HWND GetParent(HWND h) {
  WindowData* w = Data(h);
  if (!w) return kNullWindow;
  return w->IsChild() ? w->parent : w->owner;
}

HWND GetAncestor(HWND h, UINT flags) {
  WindowData* w = Data(h);
  if (!w) return kNullWindow;
  switch (flags) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
      while (w->IsChild()) w = Data(w->parent);
      return w->handle;
    case GA_ROOTOWNER: {
      HWND root = GetAncestor(h, GA_ROOT);
      while (WindowData* r = Data(root)) {
        if (!Data(r->owner)) break;
        root = r->owner;
      }
      return root;
    }
  }
  return kNullWindow;
}

HWND GetWindow(HWND h, UINT relation) {
  WindowSystem& ws = WindowSystem::Current();
  WindowData* w = ws.Find(h);
  if (!w) return kNullWindow;
  if (relation == GW_CHILD) return w->children.empty() ? kNullWindow : w->children.front();
  if (relation == GW_OWNER) return w->owner;
  // Top-level windows are siblings in their stacking order, topmost first.
  const std::vector<HWND> topLevels = w->IsChild() ? std::vector<HWND>{} : TopLevelZOrder();
  const std::vector<HWND>& siblings = w->IsChild() ? ws.Find(w->parent)->children : topLevels;
  if (siblings.empty()) return kNullWindow;
  const auto it = std::find(siblings.begin(), siblings.end(), h);
  switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return it + 1 == siblings.end() ? kNullWindow : *(it + 1);
    case GW_HWNDPREV: return it == siblings.begin() ? kNullWindow : *(it - 1);
  }
  return kNullWindow;
}

bool IsChild(HWND parent, HWND h) {
  for (WindowData* w = Data(h); w && w->IsChild(); w = Data(w->parent)) {
    if (w->parent == parent) return true;
  }
  return false;
}

std::vector<HWND> GetChildren(HWND h) {
  WindowData* w = Data(h);
  return w ? w->children : std::vector<HWND>{};
}

bool IsWindowVisible(HWND h) {
  for (WindowData* w = Data(h); w; w = w->IsChild() ? Data(w->parent) : nullptr) {
    if (!w->IsVisible()) return false;
    if (!w->IsChild()) return true;
  }
  return false;
}

bool IsIconic(HWND h) {
  WindowData* w = Data(h);
  return w && !w->IsChild() && w->top.minimized;
}

std::optional<Region> InputShapeOf(const WindowData& w, const std::optional<Region>& shape) {
  if (w.exStyle & WS_EX_TRANSPARENT) return Region();
  return shape;
}

bool IsZoomed(HWND h) {
  WindowData* w = Data(h);
  return w && !w->IsChild() && w->top.maximized;
}

Rect GetWindowRectInParent(HWND h) {
  WindowData* w = Data(h);
  return w ? w->windowRect : Rect{};
}

Rect GetClientRectInWindow(HWND h) {
  WindowData* w = Data(h);
  return w ? w->clientRect : Rect{};
}

Rect GetWindowRect(HWND h) {
  WindowData* w = Data(h);
  if (!w) return {};
  if (!w->IsChild()) return w->windowRect;
  const Point origin = ClientToScreen(w->parent, {0, 0});
  return w->windowRect.Offset(origin.x, origin.y);
}

Rect GetClientRect(HWND h) {
  WindowData* w = Data(h);
  return w ? Rect{0, 0, w->clientRect.Width(), w->clientRect.Height()} : Rect{};
}

Point ClientToScreen(HWND h, Point p) {
  WindowData* w = Data(h);
  if (!w) return p;
  const Rect window = GetWindowRect(h);
  return {p.x + window.left + w->clientRect.left, p.y + window.top + w->clientRect.top};
}

Point ScreenToClient(HWND h, Point p) {
  const Point origin = ClientToScreen(h, {0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

// --- attributes

std::uint32_t GetWindowStyle(HWND h) {
  WindowData* w = Data(h);
  return w ? w->style : 0;
}

std::uint32_t GetWindowExStyle(HWND h) {
  WindowData* w = Data(h);
  return w ? w->exStyle : 0;
}

namespace {

// Style changes follow the WM_STYLECHANGING/WM_STYLECHANGED protocol; the struct carries
// the old and new values.
struct STYLESTRUCT {
  std::uint32_t styleOld;
  std::uint32_t styleNew;
};
constexpr WPARAM GWL_STYLE_INDEX = static_cast<WPARAM>(-16);
constexpr WPARAM GWL_EXSTYLE_INDEX = static_cast<WPARAM>(-20);

void ChangeStyle(HWND h, WPARAM which, std::uint32_t value) {
  WindowData* w = Data(h);
  if (!w) return;
  std::uint32_t& field = which == GWL_STYLE_INDEX ? w->style : w->exStyle;
  STYLESTRUCT ss{field, value};
  SendMessage(h, WM_STYLECHANGING, which, PtrToLParam(&ss));
  if (!(w = Data(h))) return;
  std::uint32_t& again = which == GWL_STYLE_INDEX ? w->style : w->exStyle;
  ss.styleOld = again;
  again = ss.styleNew;
  SendMessage(h, WM_STYLECHANGED, which, PtrToLParam(&ss));
}

}  // namespace

void SetWindowStyle(HWND h, std::uint32_t style) { ChangeStyle(h, GWL_STYLE_INDEX, style); }

QuietStyleWithout::QuietStyleWithout(HWND h, std::uint32_t bits) : m_h(h) {
  if (WindowData* w = Data(h)) {
    m_cleared = w->style & bits;
    w->style &= ~bits;
  }
}

QuietStyleWithout::~QuietStyleWithout() {
  if (WindowData* w = Data(m_h)) w->style |= m_cleared;
}

void SetWindowExStyle(HWND h, std::uint32_t exStyle) {
  ChangeStyle(h, GWL_EXSTYLE_INDEX, exStyle);
  WindowData* w = Data(h);
  if (!w || w->IsChild()) return;
  WindowSystem& ws = WindowSystem::Current();
  w->top.layered = (w->exStyle & WS_EX_LAYERED) != 0;
  if (!w->top.layered) w->top.updateLayered = false;
  ws.m_platform.SetTopmost(w->top.native, (w->exStyle & WS_EX_TOPMOST) != 0);
}

std::string GetClassName(HWND h) {
  WindowData* w = Data(h);
  return w && w->windowClass ? w->windowClass->name : std::string();
}

int GetDlgCtrlID(HWND h) {
  WindowData* w = Data(h);
  return w ? w->id : 0;
}

std::intptr_t GetWindowUserData(HWND h) {
  WindowData* w = Data(h);
  return w ? w->userData : 0;
}

void SetWindowUserData(HWND h, std::intptr_t value) {
  if (WindowData* w = Data(h)) w->userData = value;
}

WNDPROC GetWindowProc(HWND h) {
  WindowData* w = Data(h);
  return w ? w->proc : WNDPROC{};
}

WNDPROC SetWindowProc(HWND h, WNDPROC proc) {
  WindowData* w = Data(h);
  if (!w) return {};
  std::swap(w->proc, proc);
  return proc;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc || !IsWindow(h)) return 0;
  return proc(h, msg, wParam, lParam);
}

bool SetWindowText(HWND h, std::string_view utf8) {
  if (!IsWindow(h)) return false;
  const std::string copy(utf8);
  return SendMessage(h, WM_SETTEXT, 0, PtrToLParam(copy.c_str())) != 0;
}

std::string GetWindowText(HWND h) {
  WindowData* w = Data(h);
  return w ? w->text : std::string();
}

bool SetProp(HWND h, std::string_view name, std::intptr_t value) {
  WindowData* w = Data(h);
  if (!w) return false;
  w->props.insert_or_assign(std::string(name), value);
  return true;
}

std::intptr_t GetProp(HWND h, std::string_view name) {
  WindowData* w = Data(h);
  if (!w) return 0;
  auto it = w->props.find(name);
  return it == w->props.end() ? 0 : it->second;
}

std::intptr_t RemoveProp(HWND h, std::string_view name) {
  WindowData* w = Data(h);
  if (!w) return 0;
  auto it = w->props.find(name);
  if (it == w->props.end()) return 0;
  const std::intptr_t value = it->second;
  w->props.erase(it);
  return value;
}

bool SetWindowRgn(HWND h, std::optional<Region> region, bool redraw) {
  WindowData* w = Data(h);
  if (!w) return false;
  const Rect bounds{0, 0, w->windowRect.Width(), w->windowRect.Height()};
  const Region before = w->region ? *w->region : Region(bounds);
  w->region = std::move(region);
  if (!w->IsChild()) {
    WindowSystem::Current().m_platform.SetShape(w->top.native, w->region);
    WindowSystem::Current().m_platform.SetInputShape(w->top.native, InputShapeOf(*w, w->region));
  }
  if (redraw && IsWindowVisible(h)) {
    const Point origin = WindowOriginInTopLevel(h);
    InvalidateTopLevelArea(GetAncestor(h, GA_ROOT), before.Union(Region(bounds)).Offset(origin.x, origin.y));
  }
  return true;
}

std::optional<Region> GetWindowRgn(HWND h) {
  WindowData* w = Data(h);
  return w ? w->region : std::nullopt;
}

}  // namespace tappomat
