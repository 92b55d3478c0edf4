#include "platform/x11/x11_properties.h"

#include <X11/Xatom.h>

namespace tappomat {

std::vector<unsigned long> ReadProperty32(Display* display, Window window, Atom property,
                                          Atom type, std::size_t maxItems) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0, bytesAfter = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  // Ask for one item more than allowed, so that an over-long property is recognised.
  const long length = static_cast<long>(maxItems) + 1;
  if (XGetWindowProperty(display, window, property, 0, length, False, type, &actualType,
                         &actualFormat, &count, &bytesAfter, &data) != Success) {
    return items;
  }
  if (data != nullptr && actualType == type && actualFormat == 32 && count <= maxItems &&
      bytesAfter == 0) {
    // Format-32 data comes as an array of long, whatever the size of long, sign-extended
    // where long is 64 bits: only the low 32 bits are the value.
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count; ++i) items.push_back(values[i] & 0xFFFFFFFFUL);
  }
  if (data != nullptr) XFree(data);
  return items;
}

std::optional<Window> ReadWindowProperty(Display* display, Window window, Atom property) {
  const std::vector<unsigned long> items = ReadProperty32(display, window, property, XA_WINDOW, 1);
  if (items.size() != 1 || items[0] == None) return std::nullopt;
  return static_cast<Window>(items[0]);
}

void WriteProperty32(Display* display, Window window, Atom property, Atom type,
                     const std::vector<unsigned long>& items) {
  XChangeProperty(display, window, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(items.data()),
                  static_cast<int>(items.size()));
}

void WriteUtf8Property(Display* display, Window window, Atom property, const std::string& utf8,
                       Atom utf8Type) {
  XChangeProperty(display, window, property, utf8Type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(utf8.data()),
                  static_cast<int>(utf8.size()));
}

bool WindowManagerRunning(const X11Display& x) {
  const Atom check = x.Atoms().NET_SUPPORTING_WM_CHECK;
  const std::optional<Window> child = ReadWindowProperty(x.Get(), x.Root(), check);
  if (!child) return false;
  // A window manager that died leaves the root property behind; its check window is gone.
  X11ErrorTrap trap(x.Get());
  const std::optional<Window> self = ReadWindowProperty(x.Get(), *child, check);
  return !trap.Failed() && self && *self == *child;
}

void SendRootMessage(const X11Display& x, Window about, Atom type, long l0, long l1, long l2,
                     long l3, long l4) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = about;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = l0;
  event.xclient.data.l[1] = l1;
  event.xclient.data.l[2] = l2;
  event.xclient.data.l[3] = l3;
  event.xclient.data.l[4] = l4;
  XSendEvent(x.Get(), x.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

Window TopLevelAncestor(Display* display, Window root, Window window) {
  // Window managers nest clients a few levels deep at most; the bound guards a broken tree.
  for (int depth = 0; depth < 16 && window != None; ++depth) {
    Window rootReturn = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) return None;
    if (children != nullptr) XFree(children);
    if (parent == root) return window;
    window = parent;
  }
  return None;
}

std::vector<Window> RootChildren(Display* display, Window root) {
  Window rootReturn = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children != nullptr) {
    result.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return result;
}

}  // namespace tappomat
