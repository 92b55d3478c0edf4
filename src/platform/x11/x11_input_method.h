#pragma once
// X11InputMethod: typed text as UTF-8 through the X input method (dead keys, compose,
// layouts of every script). One input context per window, created with the window; when
// no input method can be opened, text comes from XLookupString as ISO 8859-1.
// Owned by X11Platform, which must destroy every context before the input method.
#include <X11/Xlib.h>

#include <string>

namespace tappomat {

// One window's input context; null when there is no input method.
class X11InputContext {
 public:
  X11InputContext() = default;
  explicit X11InputContext(XIC context) : m_context(context) {}
  ~X11InputContext();
  X11InputContext(X11InputContext&& other) noexcept : m_context(other.m_context) { other.m_context = nullptr; }
  X11InputContext& operator=(X11InputContext&& other) noexcept;

  XIC Get() const { return m_context; }
  // Events the input method needs on the window, beyond our own.
  long FilterEvents() const;
  void SetFocus(bool focused);

 private:
  XIC m_context = nullptr;
};

class X11InputMethod {
 public:
  explicit X11InputMethod(Display* display);
  ~X11InputMethod();
  X11InputMethod(const X11InputMethod&) = delete;
  X11InputMethod& operator=(const X11InputMethod&) = delete;

  X11InputContext CreateContext(Window window);
  // The text a key press types (empty for keys that type nothing).
  std::string LookupText(const X11InputContext& context, XKeyEvent& event);

 private:
  XIM m_method = nullptr;
};

}  // namespace tappomat
