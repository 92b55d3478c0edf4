#pragma once
// X11Clipboard: the CLIPBOARD selection as UTF-8 text. Owned by X11Platform, which passes
// it the selection events of its hidden window.
//
// Setting makes us the owner: the text is kept here and handed to whoever asks (TARGETS,
// UTF8_STRING, STRING, TEXT) until another client takes the selection. Getting asks the
// owner for UTF8_STRING (STRING when that is refused) and waits at most a second,
// answering requests for our own selections meanwhile but running no window listener.
// Transfers in pieces (INCR) are not supported: such text reads as empty and text larger
// than one request is refused.
#include <X11/Xlib.h>

#include <string>

#include "platform/x11/x11_display.h"

namespace tappomat {

class X11Clipboard {
 public:
  explicit X11Clipboard(X11Display& x);
  ~X11Clipboard();
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  Window WindowId() const { return m_window; }

  std::string Text();
  void SetText(const std::string& utf8);

  // Handles the selection events of our window; false for any other event.
  bool HandleEvent(const XEvent& event);

 private:
  // Converts the selection to `target` and waits for the answer; nullopt when refused.
  bool Request(Atom target, std::string& text);
  void Answer(const XSelectionRequestEvent& request);
  Time ServerTime();

  X11Display& m_x;
  Window m_window = None;
  bool m_owned = false;
  std::string m_text;
};

}  // namespace tappomat
