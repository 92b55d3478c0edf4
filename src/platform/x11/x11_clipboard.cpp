#include "platform/x11/x11_clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <chrono>
#include <vector>

#include "platform/x11/x11_text_encoding.h"

namespace tappomat {
namespace {

constexpr auto kRequestTimeout = std::chrono::seconds(1);
// Clipboard text larger than this is outside data we do not take.
constexpr long kMaxTextBytes = 16 * 1024 * 1024;

Bool IsTimestampNotify(Display*, XEvent* event, XPointer arg) {
  const auto* atom = reinterpret_cast<const Atom*>(arg);
  return event->type == PropertyNotify && event->xproperty.atom == *atom &&
                 event->xproperty.state == PropertyNewValue
             ? True
             : False;
}

}  // namespace

X11Clipboard::X11Clipboard(X11Display& x) : m_x(x) {
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  m_window = XCreateWindow(x.Get(), x.Root(), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent,
                           CWEventMask, &attributes);
}

X11Clipboard::~X11Clipboard() {
  if (m_window != None) XDestroyWindow(m_x.Get(), m_window);
}

Time X11Clipboard::ServerTime() {
  // Owning a selection wants a real server time: a zero-length append to a property of our
  // window yields a PropertyNotify that carries one.
  const Atom atom = m_x.Atoms().TAPPOMAT_TIMESTAMP;
  XChangeProperty(m_x.Get(), m_window, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent event;
  Atom match = atom;
  XIfEvent(m_x.Get(), &event, IsTimestampNotify, reinterpret_cast<XPointer>(&match));
  return event.xproperty.time;
}

void X11Clipboard::SetText(const std::string& utf8) {
  const Atom clipboard = m_x.Atoms().CLIPBOARD;
  XSetSelectionOwner(m_x.Get(), clipboard, m_window, ServerTime());
  m_owned = XGetSelectionOwner(m_x.Get(), clipboard) == m_window;
  m_text = m_owned ? utf8 : std::string();
}

std::string X11Clipboard::Text() {
  const Window owner = XGetSelectionOwner(m_x.Get(), m_x.Atoms().CLIPBOARD);
  if (owner == None) return {};
  if (owner == m_window) return m_owned ? m_text : std::string();
  std::string text;
  if (Request(m_x.Atoms().UTF8_STRING, text)) return text;
  if (Request(XA_STRING, text)) return Latin1ToUtf8(text);
  return {};
}

bool X11Clipboard::Request(Atom target, std::string& text) {
  Display* display = m_x.Get();
  const Atom property = m_x.Atoms().TAPPOMAT_SELECTION;
  XDeleteProperty(display, m_window, property);
  XConvertSelection(display, m_x.Atoms().CLIPBOARD, target, property, m_window, CurrentTime);
  XFlush(display);

  const auto deadline = std::chrono::steady_clock::now() + kRequestTimeout;
  XEvent event;
  for (;;) {
    // Requests for selections we own must be answered even now, or two clients waiting for
    // each other would both time out.
    while (XCheckTypedWindowEvent(display, m_window, SelectionRequest, &event)) {
      Answer(event.xselectionrequest);
    }
    if (XCheckTypedWindowEvent(display, m_window, SelectionNotify, &event)) break;
    const auto remaining = deadline - std::chrono::steady_clock::now();
    if (remaining <= std::chrono::steady_clock::duration::zero()) return false;
    XFlush(display);
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
    poll(&fd, 1, static_cast<int>(ms));
  }
  if (event.xselection.property == None) return false;

  Atom type = None;
  int format = 0;
  unsigned long count = 0, bytesAfter = 0;
  unsigned char* data = nullptr;
  const bool ok = XGetWindowProperty(display, m_window, property, 0, kMaxTextBytes / 4, True,
                                     AnyPropertyType, &type, &format, &count, &bytesAfter,
                                     &data) == Success;
  bool accepted = false;
  if (ok && data != nullptr && format == 8 && bytesAfter == 0 &&
      (type == m_x.Atoms().UTF8_STRING || type == XA_STRING)) {
    text.assign(reinterpret_cast<const char*>(data), count);
    accepted = true;
  }
  if (data != nullptr) XFree(data);
  return accepted;
}

void X11Clipboard::Answer(const XSelectionRequestEvent& request) {
  Display* display = m_x.Get();
  const X11Atoms& atoms = m_x.Atoms();
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;
  // Clients older than ICCCM 2 name no property; the target's name is used then.
  const Atom property = request.property != None ? request.property : request.target;
  // Text that does not fit one request would need INCR.
  const long maxBytes = (XExtendedMaxRequestSize(display) > 0 ? XExtendedMaxRequestSize(display)
                                                              : XMaxRequestSize(display)) * 4 - 1024;

  if (m_owned && request.selection == atoms.CLIPBOARD) {
    if (request.target == atoms.TARGETS) {
      const std::vector<unsigned long> targets{atoms.TARGETS, atoms.UTF8_STRING, XA_STRING,
                                               atoms.TEXT};
      XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(targets.data()),
                      static_cast<int>(targets.size()));
      reply.xselection.property = property;
    } else if (request.target == atoms.UTF8_STRING || request.target == atoms.TEXT ||
               request.target == XA_STRING) {
      const bool latin1 = request.target == XA_STRING;
      const std::string data = latin1 ? Utf8ToLatin1(m_text) : m_text;
      if (static_cast<long>(data.size()) <= maxBytes) {
        XChangeProperty(display, request.requestor, property,
                        latin1 ? XA_STRING : atoms.UTF8_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size()));
        reply.xselection.property = property;
      }
    }
  }
  XSendEvent(display, request.requestor, False, NoEventMask, &reply);
}

bool X11Clipboard::HandleEvent(const XEvent& event) {
  if (event.xany.window != m_window) return false;
  switch (event.type) {
    case SelectionRequest:
      Answer(event.xselectionrequest);
      return true;
    case SelectionClear:
      if (event.xselectionclear.selection == m_x.Atoms().CLIPBOARD) {
        m_owned = false;
        m_text.clear();
      }
      return true;
    default:
      return true;  // notifications about our own properties
  }
}

}  // namespace tappomat
