// A stand-in for "another application" in the end-to-end tests: one plain window that
// writes every button press and release it receives to a file, as
//   press|release <button> <root x> <root y> <server time ms> <monotonic us>
// where the last field is CLOCK_MONOTONIC in microseconds when the event was read (the
// click-timing harness measures with it; the server time counts whole milliseconds only),
// and takes the keyboard focus on a press, as an application does under a window
// manager, so that the program under test is no longer the active one.
//   click_target X Y WIDTH HEIGHT OUTPUT-FILE
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <time.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: click_target X Y WIDTH HEIGHT OUTPUT-FILE\n");
    return 2;
  }
  const int x = std::atoi(argv[1]);
  const int y = std::atoi(argv[2]);
  const unsigned width = static_cast<unsigned>(std::atoi(argv[3]));
  const unsigned height = static_cast<unsigned>(std::atoi(argv[4]));
  std::FILE* out = std::fopen(argv[5], "w");
  Display* display = XOpenDisplay(nullptr);
  if (!out || !display) return 1;

  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width,
                                            height, 0, 0, 0x6080A0);
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = x;
  hints.y = y;
  hints.width = static_cast<int>(width);
  hints.height = static_cast<int>(height);
  XSetWMNormalHints(display, window, &hints);
  XStoreName(display, window, "click target");
  XSelectInput(display, window, ButtonPressMask | ButtonReleaseMask | ExposureMask);
  XMapRaised(display, window);

  bool announced = false;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    timespec received{};
    clock_gettime(CLOCK_MONOTONIC, &received);
    if (event.type == Expose && !announced) {
      announced = true;
      std::fprintf(out, "ready\n");
    } else if (event.type == ButtonPress || event.type == ButtonRelease) {
      const XButtonEvent& b = event.xbutton;
      if (event.type == ButtonPress) XSetInputFocus(display, window, RevertToParent, b.time);
      const long long receivedUs =
          static_cast<long long>(received.tv_sec) * 1000000 + received.tv_nsec / 1000;
      std::fprintf(out, "%s %u %d %d %lu %lld\n", event.type == ButtonPress ? "press" : "release",
                   b.button, b.x_root, b.y_root, static_cast<unsigned long>(b.time), receivedUs);
    }
    std::fflush(out);
  }
}
