#include "ui/application.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "gdi/primitives.h"
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "win/input.h"
#include "win/paint.h"

namespace tappomat {

TApplication* Application = nullptr;

namespace {

constexpr std::uintptr_t kHintShowTimer = 1;
constexpr std::uintptr_t kHintHideTimer = 2;
constexpr std::string_view kUtilityClass = "TPUtilWindow";
constexpr std::string_view kHintClass = "THintWindow";

LRESULT HintWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    DeviceContext& dc = BeginPaint(h, ps);
    Rect r = GetClientRect(h);
    FillRect(dc, r, GetSysColor(COLOR_INFOBK));
    FrameRect(dc, r, GetSysColor(COLOR_INFOTEXT));
    dc.SetFont(LogicalFont{});
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.SetBkMode(BkMode::Transparent);
    Rect text = r.Inflate(-3, -2);
    DrawText(dc, GetWindowText(h), text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    EndPaint(h, ps);
    return 0;
  }
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace

std::string ErrorBoxText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

HWND AllocateHWnd(std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> proc) {
  if (!FindClass(kUtilityClass)) {
    WindowClass wc;
    wc.name = std::string(kUtilityClass);
    wc.proc = DefWindowProc;
    RegisterClass(wc);
  }
  const HWND h = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kUtilityClass, "", WS_POPUP,
                                0, 0, 0, 0, kNullWindow);
  if (h) SetWindowProc(h, std::move(proc));
  return h;
}

void HandleException(std::exception_ptr error) {
  if (Application) {
    Application->HandleException(error);
    return;
  }
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "Unknown error\n");
  }
}

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  ShowErrorBox = [this](const std::string& caption, const std::string& text) {
    DefaultErrorBox(caption, text);
  };
  m_utility = AllocateHWnd([this](HWND h, UINT msg, WPARAM w, LPARAM l) {
    return UtilityProc(h, msg, w, l);
  });
}

TApplication::~TApplication() {
  SetComponentStateBits(csDestroying, true);
  CancelHint();
  DestroyComponents();
  if (IsWindow(m_hintWindow)) DestroyWindow(m_hintWindow);
  if (IsWindow(m_utility)) DestroyWindow(m_utility);
  if (Application == this) Application = nullptr;
}

void TApplication::Run() {
  if (!m_mainForm) return;
  if (m_showMainForm) m_mainForm->SetVisible(true);
  RunMessageLoopUntil([this] { return m_terminated; });
}

void TApplication::Terminate() {
  m_terminated = true;
  if (IsWindow(m_utility)) PostMessage(m_utility, WM_NULL);  // wakes the loop
}

void TApplication::ProcessMessages() { tappomat::ProcessMessages(); }

bool TApplication::Active() const { return IsApplicationActive(); }

void TApplication::FormCreated(TForm* form) {
  m_forms.push_back(form);
  if (!m_mainForm && !m_inErrorBox) m_mainForm = form;
}

void TApplication::FormDestroyed(TForm* form) {
  std::erase(m_forms, form);
  if (m_mainForm == form) m_mainForm = nullptr;
  ControlDestroyed(form);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (m_hintControl == control) CancelHint();
  for (TForm* f : m_forms)
    if (f->m_activeControl == control) f->m_activeControl = nullptr;
}

void TApplication::ActivateAppChanged(bool active) {
  if (active == m_active) return;
  m_active = active;
  if (!active) CancelHint();
  const TNotifyEvent& handler = active ? OnActivate : OnDeactivate;
  if (handler) GuardedCall([&] { handler(this); });
}

// --- hints

void TApplication::SetShowHint(bool on) {
  m_showHint = on;
  if (!on) CancelHint();
}

HWND TApplication::HintWindow() const {
  return IsWindow(m_hintWindow) && IsWindowVisible(m_hintWindow) ? m_hintWindow : kNullWindow;
}

void TApplication::ControlMouseEnter(TControl* control) {
  CancelHint();
  if (!m_showHint || control->Hint().empty() || !control->EffectiveShowHint()) return;
  m_hintControl = control;
  SetTimer(m_utility, kHintShowTimer, static_cast<UINT>(std::max(m_hintPause, 1)));
}

void TApplication::ControlMouseLeave(TControl* control) {
  if (control == m_hintControl) CancelHint();
}

void TApplication::CancelHint() {
  m_hintControl = nullptr;
  if (IsWindow(m_utility)) {
    KillTimer(m_utility, kHintShowTimer);
    KillTimer(m_utility, kHintHideTimer);
  }
  if (IsWindow(m_hintWindow)) ShowWindow(m_hintWindow, SW_HIDE);
}

void TApplication::ShowHintNow() {
  if (!m_hintControl) return;
  if (!FindClass(kHintClass)) {
    WindowClass wc;
    wc.name = std::string(kHintClass);
    wc.proc = HintWindowProc;
    RegisterClass(wc);
  }
  if (!IsWindow(m_hintWindow)) {
    m_hintWindow = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, kHintClass,
                                  "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, kNullWindow);
  }
  const std::string& text = m_hintControl->Hint();
  Rect measure{0, 0, 300, 0};
  Bitmap32 scratch(1, 1);
  DeviceContext dc(scratch);
  DrawText(dc, text, measure, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  const Point at = GetCursorPos();
  SetWindowText(m_hintWindow, text);
  SetWindowPos(m_hintWindow, HWND_TOPMOST, at.x, at.y + 20, measure.Width() + 8,
               measure.Height() + 6, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(m_hintWindow, std::nullopt, true);
  SetTimer(m_utility, kHintHideTimer, static_cast<UINT>(std::max(m_hintHidePause, 1)));
}

int TApplication::HookMainWindow(TWindowHook hook) {
  m_hooks.emplace_back(m_nextHook, std::move(hook));
  return m_nextHook++;
}

void TApplication::UnhookMainWindow(int id) {
  std::erase_if(m_hooks, [id](const auto& entry) { return entry.first == id; });
}

LRESULT TApplication::UtilityProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A copy: a hook may unhook itself.
  const auto hooks = m_hooks;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
    LRESULT result = 0;
    if (it->second(msg, wParam, lParam, result)) return result;
  }
  if (msg == WM_TIMER) {
    KillTimer(h, wParam);
    if (wParam == kHintShowTimer) {
      ShowHintNow();
    } else if (wParam == kHintHideTimer) {
      CancelHint();
    }
    return 0;
  }
  return DefWindowProc(h, msg, wParam, lParam);
}

// --- exceptions

void TApplication::HandleException(std::exception_ptr error) {
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  if (!ShowErrorBox) return;
  try {
    ShowErrorBox(m_title, ErrorBoxText(message));
  } catch (...) {
    // An error box that fails has nobody left to report to.
  }
}

void TApplication::DefaultErrorBox(const std::string& caption, const std::string& text) {
  if (m_inErrorBox) return;  // an error while an error box shows is not stacked
  m_inErrorBox = true;
  // An error met while the program ends (the settings cannot be written, say) still
  // waits for the user's answer: the box's loop would otherwise end at once.
  const bool terminated = std::exchange(m_terminated, false);
  MessageDlgBox(caption, text, MessageBoxIconKind::Error);
  m_terminated = m_terminated || terminated;
  m_inErrorBox = false;
}

}  // namespace tappomat
