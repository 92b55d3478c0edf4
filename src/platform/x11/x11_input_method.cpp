#include "platform/x11/x11_input_method.h"

#include <X11/Xutil.h>

#include <vector>

#include "platform/x11/x11_text_encoding.h"

namespace tappomat {

X11InputContext::~X11InputContext() {
  if (m_context != nullptr) XDestroyIC(m_context);
}

X11InputContext& X11InputContext::operator=(X11InputContext&& other) noexcept {
  if (this != &other) {
    if (m_context != nullptr) XDestroyIC(m_context);
    m_context = other.m_context;
    other.m_context = nullptr;
  }
  return *this;
}

long X11InputContext::FilterEvents() const {
  long mask = 0;
  if (m_context != nullptr && XGetICValues(m_context, XNFilterEvents, &mask, nullptr) != nullptr) {
    mask = 0;
  }
  return mask;
}

void X11InputContext::SetFocus(bool focused) {
  if (m_context == nullptr) return;
  if (focused) {
    XSetICFocus(m_context);
  } else {
    XUnsetICFocus(m_context);
  }
}

X11InputMethod::X11InputMethod(Display* display) {
  // $XMODIFIERS may name an input-method server that is not running; the built-in one of
  // Xlib still gives compose sequences and every layout's characters.
  if (XSetLocaleModifiers("") != nullptr) m_method = XOpenIM(display, nullptr, nullptr, nullptr);
  if (m_method == nullptr && XSetLocaleModifiers("@im=none") != nullptr) {
    m_method = XOpenIM(display, nullptr, nullptr, nullptr);
  }
}

X11InputMethod::~X11InputMethod() {
  if (m_method != nullptr) XCloseIM(m_method);
}

X11InputContext X11InputMethod::CreateContext(Window window) {
  if (m_method == nullptr) return {};
  // The windows draw no pre-edit or status area, so only input methods that need none fit.
  XIC context = XCreateIC(m_method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                          XNClientWindow, window, XNFocusWindow, window, nullptr);
  return X11InputContext(context);
}

std::string X11InputMethod::LookupText(const X11InputContext& context, XKeyEvent& event) {
  if (event.type != KeyPress) return {};
  if (context.Get() == nullptr) {
    char buffer[64];
    KeySym keysym = NoSymbol;
    const int length = XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
    return Latin1ToUtf8({buffer, static_cast<std::size_t>(length > 0 ? length : 0)});
  }
  std::vector<char> buffer(64);
  KeySym keysym = NoSymbol;
  Status status = 0;
  int length = Xutf8LookupString(context.Get(), &event, buffer.data(),
                                 static_cast<int>(buffer.size()), &keysym, &status);
  if (status == XBufferOverflow && length > 0) {
    buffer.resize(static_cast<std::size_t>(length));
    length = Xutf8LookupString(context.Get(), &event, buffer.data(), length, &keysym, &status);
  }
  if ((status != XLookupChars && status != XLookupBoth) || length <= 0) return {};
  return {buffer.data(), static_cast<std::size_t>(length)};
}

}  // namespace tappomat
