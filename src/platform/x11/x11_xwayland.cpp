#include "platform/x11/x11_xwayland.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tappomat {

bool LooksLikeXWayland(bool hasXWaylandExtension, std::string_view vendor) {
  if (hasXWaylandExtension) return true;
  std::string lower(vendor);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("xwayland") != std::string::npos;
}

bool IsXWaylandServer(Display* display) {
  int opcode = 0, eventBase = 0, errorBase = 0;
  const bool extension = XQueryExtension(display, "XWAYLAND", &opcode, &eventBase, &errorBase);
  const char* vendor = ServerVendor(display);
  return LooksLikeXWayland(extension, vendor ? vendor : "");
}

}  // namespace tappomat
