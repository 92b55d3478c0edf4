#include "skin/adapters/window_adapter.h"

#include "skin/common/hot_window.h"
#include "skin/data/skin_message.h"
#include "ui/application.h"
#include "ui/win_control.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

constexpr std::string_view kAdapterProperty = "TappomatWindowAdapter";
// The kind code of controls that an adapter skins.
constexpr int kAdaptedKind = 230;

}  // namespace

// What the control's WindowProc or the window procedure is while the adapter holds it; the
// type tells, on detach, whether it is still ours.
struct TacMainWnd::ControlThunk {
  TacMainWnd* adapter;
  void operator()(TMessage& message) const { adapter->WndProc(message); }
};

struct TacMainWnd::WindowThunk {
  TacMainWnd* adapter;
  LRESULT operator()(HWND, UINT msg, WPARAM wParam, LPARAM lParam) const {
    TMessage message{msg, wParam, lParam, 0};
    adapter->WndProc(message);
    return message.Result;
  }
};

TacMainWnd::TacMainWnd(HWND window, TsCommonData* data, const std::string& section, TsSkinManager* manager)
    : m_window(window), m_control(TWinControl::FromHandle(window)), m_data(data), m_manager(manager) {
  if (m_data == nullptr) {
    m_ownData = std::make_unique<TsCommonData>(m_control, true, kAdaptedKind);
    m_data = m_ownData.get();
    if (manager != nullptr) m_data->SetSkinManager(manager);
  }
  if (m_data->SkinSection().empty() || m_data->SkinSection() == "UNKNOWN") m_data->SetSkinSection(section);
  m_data->UpdateIndexes();
}

TacMainWnd::~TacMainWnd() { Detach(); }

TacMainWnd* TacMainWnd::Of(HWND window) {
  return reinterpret_cast<TacMainWnd*>(GetProp(window, kAdapterProperty));
}

TsSkinManager* TacMainWnd::SkinManager() const {
  return m_manager != nullptr ? m_manager : m_data->SkinManager();
}

void TacMainWnd::Attach(bool repaint) {
  if (m_attached || m_removed || !IsWindow(m_window)) return;
  SaveStep();
  SetProp(m_window, kAdapterProperty, reinterpret_cast<std::intptr_t>(this));
  if (m_control != nullptr) {
    m_previousMethod = m_control->WindowProc;
    m_control->WindowProc = ControlThunk{this};
    m_savedStyle = m_control->ControlStyle();
    m_control->SetControlStyle(m_savedStyle | csOpaque);
  } else {
    m_previousProc = SetWindowProc(m_window, WindowThunk{this});
  }
  m_attached = true;
  Attached(repaint);
}

void TacMainWnd::Detach() {
  if (!m_attached || m_removed) return;
  m_removed = true;
  ForgetHotWindow(m_window);
  if (!IsWindow(m_window)) return;
  Detaching();
  if (m_control != nullptr) {
    // Someone who replaced the handler after us keeps it; we only step out of the way.
    const auto* ours = m_control->WindowProc.target<ControlThunk>();
    if (ours != nullptr && ours->adapter == this) m_control->WindowProc = m_previousMethod;
    if (!(m_control->ComponentState() & csDestroying)) m_control->SetControlStyle(m_savedStyle);
  } else {
    const WNDPROC current = GetWindowProc(m_window);
    const auto* ours = current.target<WindowThunk>();
    if (ours != nullptr && ours->adapter == this) SetWindowProc(m_window, m_previousProc);
  }
  if (Of(m_window) == this) RemoveProp(m_window, kAdapterProperty);
  RestoreStep();
}

void TacMainWnd::CallPrevious(TMessage& message) {
  if (m_control != nullptr) {
    if (m_previousMethod) m_previousMethod(message);
    return;
  }
  if (m_previousProc) {
    message.Result = CallWindowProc(m_previousProc, m_window, message.Msg, message.WParam, message.LParam);
  }
}

LRESULT TacMainWnd::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  CallPrevious(message);
  return message.Result;
}

void TacMainWnd::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: {
      // The window goes: hand it back, then let its own handler see the message.
      const TControl::TWndMethod previousMethod = m_previousMethod;
      const WNDPROC previousProc = m_previousProc;
      TWinControl* control = m_control;
      Detach();
      if (control != nullptr) {
        if (previousMethod) previousMethod(message);
      } else if (previousProc) {
        CallWindowProc(previousProc, m_window, message.Msg, message.WParam, message.LParam);
      }
      message.Result = 1;
      return;
    }
    case WM_SKIN:
      switch (SkinCodeOf(message.WParam)) {
        case SkinCode::QuerySkinned:
          message.Result = 1;
          return;
        case SkinCode::QuerySkinData:
          message.Result = reinterpret_cast<LRESULT>(m_data);
          return;
        case SkinCode::QueryApplication:
          message.Result = reinterpret_cast<LRESULT>(Application);
          return;
        default:
          break;
      }
      break;
    default:
      break;
  }
  CallPrevious(message);
}

}  // namespace tappomat
