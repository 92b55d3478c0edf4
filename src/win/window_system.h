#pragma once
// The window system: windows with the Windows message vocabulary, written for this program
// and independent of the OS. It owns every window, the message queue, timers, hooks,
// focus, capture and activation, and composes each top-level window into a back buffer
// that the platform presents.
//
// The public interface is the set of free functions below, with their Windows names; they
// act on the current WindowSystem (one per program, created by main or by a test on top
// of a platform backend). Everything runs on the user-interface thread.
//
// Section index of this header:
//   classes and creation · tree and geometry · attributes · messages and the loop ·
//   timers · hooks · input (input.h) · painting (paint.h) · non-client (nonclient.h)
#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "win/messages.h"
#include "win/styles.h"
#include "win/window_data.h"

namespace tappomat {

struct WindowClass {
  std::string name;
  WNDPROC proc;
  std::uint32_t style = 0;  // CS_*
  PointerShape cursor = PointerShape::Arrow;
  int background = -1;  // system colour index + 1 (COLOR_x + 1); -1: none
};

enum : int { WH_GETMESSAGE = 3, WH_CALLWNDPROC = 4, WH_CBT = 5 };
// WH_CBT codes.
enum : int { HCBT_MOVESIZE = 0, HCBT_MINMAX = 1, HCBT_DESTROYWND = 4, HCBT_ACTIVATE = 5, HCBT_CREATEWND = 3, HCBT_SETFOCUS = 9 };

// A hook procedure: (code, wParam, lParam). WH_CBT: code HCBT_*,
// wParam the window as HandleToWParam; returning non-zero from HCBT_CREATEWND or
// HCBT_ACTIVATE prevents the action. WH_CALLWNDPROC: lParam points to a CWPSTRUCT.
// WH_GETMESSAGE: lParam points to the MSG.
using HOOKPROC = std::function<LRESULT(int code, WPARAM wParam, LPARAM lParam)>;
using HHOOK = std::uint32_t;

struct CWPSTRUCT {
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
};

WPARAM HandleToWParam(HWND h);
HWND WParamToHandle(WPARAM w);

// GetWindow relations.
enum : UINT { GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5 };
// GetAncestor.
enum : UINT { GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3 };

class WindowSystem : public NativeWindowListener {
 public:
  explicit WindowSystem(Platform& platform);
  ~WindowSystem() override;
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  static WindowSystem& Current();
  static bool HasCurrent();

  Platform& GetPlatform() { return m_platform; }
  // Milliseconds since the window system started, on the platform's clock.
  std::uint32_t TickCount();

  WindowData* Find(HWND h);  // null for a destroyed or unknown handle
  std::vector<HWND> TopLevelWindows() const;  // creation order

  void OnNativeEvent(NativeWindowId window, const NativeEvent& event) override;

  // --- internals shared by the files of win/ (not for other layers)
  struct Timer {
    HWND hwnd;
    std::uintptr_t id = 0;
    std::chrono::milliseconds interval{0};
    Platform::Clock::time_point due;
  };
  struct Hook {
    HHOOK id = 0;
    int kind = 0;
    HOOKPROC proc;
  };
  struct QueuedInput {
    NativeWindowId native;
    NativeEvent event;
  };

  HWND Allocate();
  void Release(HWND h);
  HWND FindByNative(NativeWindowId native) const;
  LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam);
  bool TakePosted(MSG& msg, HWND filter, bool remove);
  bool TakeInput(MSG& msg, bool remove);    // input.cpp
  bool TakePaint(MSG& msg, HWND filter);    // paint.cpp
  bool TakeTimer(MSG& msg, HWND filter, bool remove);
  void PresentDirty();                      // paint.cpp
  std::optional<Platform::Clock::time_point> NextTimerDue() const;
  void DestroyTimersOf(HWND h);

  Platform& m_platform;
  std::vector<std::unique_ptr<WindowData>> m_slots;  // slot 0 unused
  std::vector<std::uint32_t> m_generations;
  std::vector<std::uint32_t> m_freeSlots;
  std::vector<HWND> m_topLevels;
  int m_defaultPlacements = 0;  // windows created at CW_USEDEFAULT, for the cascade
  std::unordered_map<std::string, WindowClass> m_classes;
  std::deque<MSG> m_posted;
  std::deque<QueuedInput> m_input;
  std::vector<Timer> m_timers;
  std::vector<Hook> m_hooks;
  HHOOK m_nextHook = 1;
  bool m_quit = false;
  int m_quitCode = 0;
  Platform::Clock::time_point m_lastPresent{};
  Platform::Clock::time_point m_start;

  // Input state (input.cpp and the input files beside it).
  std::deque<MSG> m_pendingInput;  // messages made from native events, not yet taken
  std::vector<HWND> m_zOrder;      // top-level windows, most recently raised first
  // The top-level window the window manager is moving or sizing: SetWindowPos does not
  // send these bounds back to the platform.
  HWND m_configuring;
  Rect m_configuredBounds;
  HWND m_focus;
  HWND m_active;
  HWND m_capture;
  HWND m_hover;             // the window under the pointer, for enter/leave
  bool m_appActive = false;
  Point m_pointer;          // last pointer position, screen
  struct ClickRecord {
    HWND hwnd;
    UINT message = 0;
    std::uint32_t time = 0;
    Point pt;
  } m_lastClick;
  std::unordered_map<int, bool> m_keyDown;  // as of the message being processed
  std::unordered_map<int, bool> m_keyToggled;  // flips with each press (Caps Lock, Num Lock)
  bool m_altAlone = false;  // Alt went down and no other key since: its release is a WM_SYSKEYUP
  int m_modalDepth = 0;
};

// --- classes and creation
bool RegisterClass(const WindowClass& windowClass);
const WindowClass* FindClass(std::string_view name);
// As the x of a top-level window: the system chooses where it goes (y is then ignored).
// Without a window manager it is placed in a cascade from the work area's corner; with one,
// the window manager places it when it first shows.
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

HWND CreateWindowEx(std::uint32_t exStyle, std::string_view className, std::string_view text,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent,
                    int id = 0, void* createParams = nullptr);
bool DestroyWindow(HWND h);
bool IsWindow(HWND h);

// --- tree and geometry
HWND GetParent(HWND h);  // the parent of a child, the owner of a top-level window
HWND GetWindow(HWND h, UINT relation);
HWND GetAncestor(HWND h, UINT flags);
bool IsChild(HWND parent, HWND h);
std::vector<HWND> GetChildren(HWND h);  // z-order, topmost first
bool SetWindowPos(HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags);
bool MoveWindow(HWND h, int x, int y, int width, int height, bool repaint = true);
bool ShowWindow(HWND h, int command);
bool IsWindowVisible(HWND h);  // this window and all its parents have WS_VISIBLE
bool IsIconic(HWND h);
bool IsZoomed(HWND h);  // a top-level window maximized to the work area
Rect GetWindowRect(HWND h);  // screen coordinates
Rect GetClientRect(HWND h);  // (0, 0, width, height)
Point ClientToScreen(HWND h, Point p);
Point ScreenToClient(HWND h, Point p);
// Window rectangle relative to the parent's client area (screen for top-level windows).
Rect GetWindowRectInParent(HWND h);
// Client rectangle in window coordinates (relative to the window rectangle).
Rect GetClientRectInWindow(HWND h);

// --- attributes
std::uint32_t GetWindowStyle(HWND h);
std::uint32_t GetWindowExStyle(HWND h);
// Sends WM_STYLECHANGING/WM_STYLECHANGED; SWP_FRAMECHANGED is up to the caller.
void SetWindowStyle(HWND h, std::uint32_t style);
// Clears style bits of a window for its own lifetime without any message, and puts them
// back: for a non-client calculation that must not count them (a skin that draws the
// scroll bars reserves their room itself).
class QuietStyleWithout {
 public:
  QuietStyleWithout(HWND h, std::uint32_t bits);
  ~QuietStyleWithout();
  QuietStyleWithout(const QuietStyleWithout&) = delete;
  QuietStyleWithout& operator=(const QuietStyleWithout&) = delete;

 private:
  HWND m_h;
  std::uint32_t m_cleared = 0;
};
void SetWindowExStyle(HWND h, std::uint32_t exStyle);
std::string GetClassName(HWND h);
int GetDlgCtrlID(HWND h);
std::intptr_t GetWindowUserData(HWND h);
void SetWindowUserData(HWND h, std::intptr_t value);
WNDPROC GetWindowProc(HWND h);
// Replaces the window procedure and returns the previous one, which the new procedure
// chains to with CallWindowProc.
WNDPROC SetWindowProc(HWND h, WNDPROC proc);
LRESULT CallWindowProc(const WNDPROC& proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
bool SetWindowText(HWND h, std::string_view utf8);  // sends WM_SETTEXT
std::string GetWindowText(HWND h);
bool SetProp(HWND h, std::string_view name, std::intptr_t value);
std::intptr_t GetProp(HWND h, std::string_view name);  // 0 when absent
std::intptr_t RemoveProp(HWND h, std::string_view name);
// Takes a region in window coordinates; nullopt removes it.
bool SetWindowRgn(HWND h, std::optional<Region> region, bool redraw = true);
std::optional<Region> GetWindowRgn(HWND h);

// --- messages and the loop
LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Blocks until a message is available; false for WM_QUIT.
bool GetMessage(MSG& msg, HWND filter = kNullWindow);
bool PeekMessage(MSG& msg, HWND filter = kNullWindow, UINT flags = PM_REMOVE);
LRESULT DispatchMessage(const MSG& msg);
// Turns key-down messages into WM_CHAR for characters the input method did not type.
bool TranslateMessage(const MSG& msg);
// Serves every message that is waiting, then returns (paint and due timers included).
void ProcessMessages();
// Serves messages until `done()` is true or WM_QUIT arrives (which is re-posted, so the
// outer loop ends too). Returns false on WM_QUIT. Used by modal windows and capture loops.
bool RunMessageLoopUntil(const std::function<bool()>& done);
// The default window procedure (defwnd.cpp).
LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

// --- timers
// Fires WM_TIMER (wParam = id) every `elapseMs` (at least 1); a late timer fires once.
std::uintptr_t SetTimer(HWND h, std::uintptr_t id, UINT elapseMs);
// A timer first due at an exact moment (a past one fires at the next chance, after the
// waiting input and paint), then every `intervalMs`. Timers that must keep a rate use it.
std::uintptr_t SetTimerAt(HWND h, std::uintptr_t id, Platform::Clock::time_point due,
                          UINT intervalMs);
bool KillTimer(HWND h, std::uintptr_t id);

// --- hooks
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc);
bool UnhookWindowsHookEx(HHOOK hook);

}  // namespace tappomat
