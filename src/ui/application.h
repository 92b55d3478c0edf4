#pragma once
// TApplication: the program's one application object (the global `Application`), made
// by main or a test over the current WindowSystem. It keeps the list of forms and the
// main form, runs the message loop, reports exceptions that escape event handlers in an
// error box, shows hints and tells OnActivate/OnDeactivate when the program as a whole
// gains or loses the activation.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "win/window_system.h"

namespace tappomat {

class TControl;
class TForm;

// The error box's text for an exception message: a full stop is added when the last
// character sorts after '.' (letters, digits …); "", "." and "!" stay as they are.
std::string ErrorBoxText(std::string message);

// A hidden window of the window system whose messages go to `proc` (timers, wake-ups);
// the caller destroys it with DestroyWindow.
HWND AllocateHWnd(std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> proc);

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  const std::string& Title() const { return m_title; }
  void SetTitle(const std::string& title) { m_title = title; }
  TForm* MainForm() const { return m_mainForm; }
  // Every form that exists, in creation order.
  const std::vector<TForm*>& Forms() const { return m_forms; }
  // Run shows the main form when this is set (the default).
  bool ShowMainForm() const { return m_showMainForm; }
  void SetShowMainForm(bool on) { m_showMainForm = on; }

  // Shows the main form and serves messages until Terminate or the main form closes.
  void Run();
  void Terminate();
  bool Terminated() const { return m_terminated; }
  void ProcessMessages();
  // True when one of the program's windows is active.
  bool Active() const;

  bool ShowHint() const { return m_showHint; }
  void SetShowHint(bool on);
  int HintPause() const { return m_hintPause; }
  void SetHintPause(int ms) { m_hintPause = ms; }
  int HintHidePause() const { return m_hintHidePause; }
  void SetHintHidePause(int ms) { m_hintHidePause = ms; }
  // The hint window while a hint shows (null otherwise); its text is the hint.
  HWND HintWindow() const;
  void CancelHint();

  // Reports an exception that escaped a handler: ShowErrorBox(Title, ErrorBoxText(message)).
  void HandleException(std::exception_ptr error);
  // Shows the error box; replaceable (the message-box layer and tests replace it). The
  // default shows a small modal form with the text, an error icon and an OK button.
  std::function<void(const std::string& caption, const std::string& text)> ShowErrorBox;

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // The application's own window (hints, wake-ups): hooks see its messages first, newest
  // first; a hook that returns true has handled the message. The skin engine serves
  // application-wide notifications this way.
  HWND Handle() const { return m_utility; }
  using TWindowHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
  // Returns a number for UnhookMainWindow.
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int id);

  // --- for the component layer
  void FormCreated(TForm* form);
  void FormDestroyed(TForm* form);
  void ControlDestroyed(TControl* control);
  void ControlMouseEnter(TControl* control);
  void ControlMouseLeave(TControl* control);
  void ActivateAppChanged(bool active);

 private:
  LRESULT UtilityProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
  void ShowHintNow();
  void DefaultErrorBox(const std::string& caption, const std::string& text);

  std::string m_title;
  TForm* m_mainForm = nullptr;
  std::vector<TForm*> m_forms;
  bool m_showMainForm = true;
  bool m_terminated = false;
  bool m_active = false;
  bool m_showHint = true;
  int m_hintPause = 500;
  int m_hintHidePause = 2500;
  bool m_inErrorBox = false;
  HWND m_utility;
  std::vector<std::pair<int, TWindowHook>> m_hooks;
  int m_nextHook = 1;
  HWND m_hintWindow;
  TControl* m_hintControl = nullptr;
};

extern TApplication* Application;

}  // namespace tappomat
