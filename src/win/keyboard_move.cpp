// The keyboard move of SC_MOVE (a window menu's "Move"), run between WM_ENTERSIZEMOVE and
// WM_EXITSIZEMOVE by RunMoveSession. The pointer is put on the middle of the caption (the
// middle of the top edge without one) with the move cursor, and the loop reads the input
// itself, under the capture:
//   arrow keys     the window and the pointer go 8 pixels that way (1 with Ctrl)
//   pointer moves  the window follows the pointer, as in the mouse move loop
//   Enter, a press the window stays where it is (a press first brings it under the pointer)
//   Escape         the window goes back to where it started; so does losing the capture
//                  or the activation
// Other keys and mouse messages are eaten; everything else (painting, posted messages,
// timers) is dispatched as usual.
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/virtual_keys.h"
#include "win/caption_actions.h"
#include "win/input.h"
#include "win/nonclient.h"

namespace tappomat {
namespace {

constexpr int kStep = 8;
constexpr int kFineStep = 1;  // with Ctrl

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSCHAR; }

bool IsButtonPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDBLCLK:
      return true;
  }
  return false;
}

// The way an arrow key points; nullopt for other keys.
std::optional<Point> ArrowDirection(WPARAM key) {
  switch (key) {
    case VK_LEFT:
      return Point{-1, 0};
    case VK_RIGHT:
      return Point{1, 0};
    case VK_UP:
      return Point{0, -1};
    case VK_DOWN:
      return Point{0, 1};
  }
  return std::nullopt;
}

// Where the pointer holds the window, on the screen.
Point GrabPoint(HWND h) {
  const NonClientLayout layout = GetNonClientLayout(h);
  const Rect& caption = layout.caption;
  const Point local = caption.IsEmpty() ? Point{layout.window.Width() / 2, 0}
                                        : Point{(caption.left + caption.right) / 2,
                                                (caption.top + caption.bottom) / 2};
  const Rect window = GetWindowRect(h);
  return {window.left + local.x, window.top + local.y};
}

void SetTopLevelCursor(HWND h, PointerShape shape) {
  WindowSystem& ws = WindowSystem::Current();
  if (const WindowData* top = ws.Find(GetAncestor(h, GA_ROOT)))
    ws.GetPlatform().SetCursor(top->top.native, shape);
}

// After the loop the pointer shows what is under it again, as the next move would make it.
void RefreshCursor() {
  const Point screen = WindowSystem::Current().GetPlatform().PointerPosition();
  const HWND under = WindowFromPoint(screen);
  if (!under) return;
  const LRESULT hit = SendMessage(under, WM_NCHITTEST, 0, LParamFromPoint(screen));
  SendMessage(under, WM_SETCURSOR, HandleToWParam(under),
              MAKELPARAM(static_cast<int>(hit), static_cast<int>(WM_MOUSEMOVE)));
}

class KeyboardMove {
 public:
  KeyboardMove(HWND h, const Rect& start)
      : m_h(h),
        m_start(start),
        m_grab(GrabPoint(h)),
        m_pointer(m_grab),
        m_active(GetActiveWindow()) {}

  LoopEnd Run() {
    SetTopLevelCursor(m_h, PointerShape::SizeAll);
    PlacePointer(m_grab);
    return RunCaptureLoop(
        m_h, [this](const MSG& msg) { return Handle(msg); },
        [this] { return GetActiveWindow() == m_active; });
  }

 private:
  LoopStep Handle(const MSG& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      if (!IsEcho(msg.pt)) Follow(msg.pt);
      return LoopStep::Eat;
    }
    if (IsButtonPress(msg.message)) {
      Follow(msg.pt);
      return LoopStep::Finish;
    }
    if (IsMouseMessage(msg.message)) return LoopStep::Eat;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) return Key(msg.wParam);
    if (IsKeyboardMessage(msg.message)) return LoopStep::Eat;
    return LoopStep::Dispatch;
  }

  LoopStep Key(WPARAM key) {
    if (key == VK_RETURN) return LoopStep::Finish;
    if (key == VK_ESCAPE) return LoopStep::Cancel;
    if (const std::optional<Point> direction = ArrowDirection(key)) {
      const int step = (GetKeyState(VK_CONTROL) & 0x8000) ? kFineStep : kStep;
      const Point to{m_pointer.x + direction->x * step, m_pointer.y + direction->y * step};
      PlacePointer(to);
      Follow(to);
    }
    return LoopStep::Eat;
  }

  void Follow(Point screen) {
    if (screen == m_pointer) return;  // the window is there already
    m_pointer = screen;
    MoveWithPointer(m_h, m_start, m_grab, screen);
  }

  void PlacePointer(Point screen) {
    m_placed.push_back(screen);
    WindowSystem::Current().GetPlatform().SetPointerPosition(screen);
  }

  // The platform reports the pointer where the loop put it as a move, later: by then
  // arrow keys may have taken the window further, and following it back would make the
  // window jump. Those reports come in order, so earlier ones that never came are dropped
  // with it.
  bool IsEcho(Point screen) {
    const auto echo = std::find(m_placed.begin(), m_placed.end(), screen);
    if (echo == m_placed.end()) return false;
    m_placed.erase(m_placed.begin(), echo + 1);
    return true;
  }

  HWND m_h;
  Rect m_start;
  Point m_grab;                 // where the pointer was put at the start, screen
  Point m_pointer;              // where the window is held now, screen
  HWND m_active;                // the active window at the start; losing it cancels
  std::vector<Point> m_placed;  // pointer positions set by the loop, not yet reported
};

}  // namespace

void RunKeyboardMoveLoop(HWND h) {
  bool ran = false;
  RunMoveSession(h, [h, &ran](const Rect& start) {
    ran = true;
    return KeyboardMove(h, start).Run();
  });
  if (ran) RefreshCursor();
}

}  // namespace tappomat
