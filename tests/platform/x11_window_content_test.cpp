// What our windows show and which parts take input, on a bare X server: dirty rectangles
// presented through shared memory and through the socket, layered pictures on the ARGB
// visual, colour-keyed shapes that let clicks through, and the properties that tell a
// window manager what kind of window it is.
// gtest before the X headers: X.h defines None, which gtest uses as a name.
#include "support/x11_platform_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "platform/x11/x11_platform.h"

namespace tappomat::test {
namespace {

using Type = NativeEvent::Type;

class X11WindowContentTest : public X11BareTest {
 protected:
  X11Platform& X11() { return static_cast<X11Platform&>(P()); }

  std::vector<unsigned long> Property32(Window window, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(Client().Get(), window, XInternAtom(Client().Get(), name, False), 0,
                           64, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && format == 32) {
      // Xlib sign-extends 32-bit items into long.
      const auto* values = reinterpret_cast<const unsigned long*>(data);
      for (unsigned long i = 0; i < count; ++i) items.push_back(values[i] & 0xFFFFFFFFUL);
    }
    if (data != nullptr) XFree(data);
    return items;
  }

  bool HasAtom(const std::vector<unsigned long>& atoms, const char* name) {
    const Atom atom = XInternAtom(Client().Get(), name, False);
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
  }
};

TEST_F(X11WindowContentTest, PresentShowsOnlyTheDirtyRectangles) {
  ASSERT_TRUE(X11().SharedMemoryUsable()) << "Xvfb is local: MIT-SHM expected";
  for (const bool sharedMemory : {true, false}) {
    SCOPED_TRACE(sharedMemory ? "MIT-SHM" : "XPutImage");
    if (!sharedMemory) X11().DisableSharedMemory();
    NativeWindowParams params;
    params.bounds = Rect::FromSize(100, 100, 160, 120);
    const Pixel red = MakePixel(255, 0, 0);
    const NativeWindowId window = ShowWindow(params, red);
    ASSERT_TRUE(WaitFor([&] { return Client().PixelAt(window, 10, 10) == 0xFF0000; }));

    // A new picture, of which only two rectangles are declared dirty (together large
    // enough to go through shared memory when it is used).
    Bitmap32 picture(160, 120, MakePixel(0, 0, 255));
    picture.At(5, 6) = MakePixel(1, 2, 3);
    picture.At(150, 110) = MakePixel(10, 200, 30);
    const Region dirty =
        Region(Rect::FromSize(0, 0, 80, 60)).Union(Rect::FromSize(140, 100, 20, 20));
    P().Present(window, picture, dirty);
    EXPECT_TRUE(WaitFor([&] {
      return Client().PixelAt(window, 0, 0) == 0x0000FF &&
             Client().PixelAt(window, 79, 59) == 0x0000FF &&
             Client().PixelAt(window, 5, 6) == 0x010203 &&
             Client().PixelAt(window, 140, 100) == 0x0000FF &&
             Client().PixelAt(window, 150, 110) == 0x0AC81E;
    }));
    // Outside the dirty rectangles the old picture stays.
    EXPECT_EQ(Client().PixelAt(window, 80, 60), 0xFF0000u);
    EXPECT_EQ(Client().PixelAt(window, 139, 110), 0xFF0000u);
    EXPECT_EQ(Client().PixelAt(window, 100, 60), 0xFF0000u);
    EXPECT_EQ(X11().SharedMemoryUsable(), sharedMemory);  // no silent fallback
    P().DestroyNativeWindow(window);
  }
}

TEST_F(X11WindowContentTest, LayeredWindowsShowPremultipliedPicturesTimesTheConstantAlpha) {
  NativeWindowParams params;
  params.bounds = Rect::FromSize(100, 100, 64, 48);
  params.layered = true;
  params.kind = NativeWindowKind::Popup;
  const NativeWindowId window = P().CreateNativeWindow(params, &m_listener);
  ASSERT_NE(window, kNoNativeWindow);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(Client().Get(), window, &attributes));
  EXPECT_EQ(attributes.depth, 32);
  P().Show(window, false);
  ASSERT_TRUE(WaitFor([&] {
    return XGetWindowAttributes(Client().Get(), window, &attributes) &&
           attributes.map_state == IsViewable;
  }));

  // Premultiplied half-transparent orange, shown at half strength: every channel halves.
  const Bitmap32 picture(64, 48, MakePixel(128, 64, 0, 128));
  P().PresentLayered(window, picture, 128);
  ASSERT_TRUE(WaitFor([&] { return Client().PixelAt(window, 3, 3) != 0; }));
  EXPECT_EQ(Client().PixelAt(window, 3, 3), 0x40402000u);
  P().PresentLayered(window, picture, 255);
  ASSERT_TRUE(WaitFor([&] { return Client().PixelAt(window, 63, 47) == 0x80804000u; }));
}

// A colour-keyed window: black is the key, so its shape is the green square alone. The
// visible shape decides what shows on screen (and also limits input); the input shape
// alone lets clicks through pixels that are still shown.
TEST_F(X11WindowContentTest, ShapesDecideWhatShowsAndWhatTakesClicks) {
  const Window below = Client().CreateWindow(Rect::FromSize(250, 250, 300, 300), 0x808080);
  Bitmap32 picture(100, 100, MakePixel(0, 0, 0));
  for (int y = 20; y < 60; ++y) {
    for (int x = 20; x < 60; ++x) picture.At(x, y) = MakePixel(0, 200, 0);
  }
  const Region square = Region::FromColorKey(picture, MakePixel(0, 0, 0));
  ASSERT_TRUE(square.SameArea(Region(Rect::FromSize(20, 20, 40, 40))));
  NativeWindowParams params;
  params.bounds = Rect::FromSize(300, 300, 100, 100);
  const NativeWindowId window = ShowWindow(params);
  P().Present(window, picture, Region(picture.Bounds()));

  struct Case {
    const char* name;
    std::optional<Region> visible;
    std::optional<Region> input;
    unsigned long blackPixelShows;  // on screen at the black pixel (310, 310)
    bool blackPixelIsOurs;          // a click there comes to us
  };
  const Case cases[] = {
      {"both shapes", square, square, 0x808080, false},
      {"input shape only", std::nullopt, square, 0x000000, false},
      {"no shapes", std::nullopt, std::nullopt, 0x000000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    P().SetShape(window, c.visible);
    P().SetInputShape(window, c.input);
    // Parts that a shape hid were not kept by the server: presented again, as the window
    // system does when they come back damaged.
    P().Present(window, picture, Region(picture.Bounds()));
    EXPECT_TRUE(WaitFor([&] {
      return (Client().PixelAt(Client().Root(), 310, 310) & 0xFFFFFF) == c.blackPixelShows &&
             (Client().PixelAt(Client().Root(), 330, 345) & 0xFFFFFF) == 0x00C800;
    }));

    m_listener.Clear();
    Client().ClearPresses();
    Click({310, 310});  // a black pixel
    ASSERT_TRUE(WaitFor([&] {
      return !Client().Presses().empty() || m_listener.Has(window, Type::ButtonUp);
    }));
    if (c.blackPixelIsOurs) {
      EXPECT_EQ(m_listener.Of(window, Type::ButtonDown).at(0).position, (Point{10, 10}));
      EXPECT_TRUE(Client().Presses().empty());
    } else {
      ASSERT_EQ(Client().Presses().size(), 1u);
      EXPECT_EQ(Client().Presses()[0].window, below);
      EXPECT_EQ(Client().Presses()[0].position, (Point{60, 60}));
      EXPECT_FALSE(m_listener.Has(window, Type::ButtonDown));
    }

    m_listener.Clear();
    Client().ClearPresses();
    Click({330, 345});  // green: always ours
    ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::ButtonUp); }));
    EXPECT_EQ(m_listener.Of(window, Type::ButtonDown).at(0).position, (Point{30, 45}));
    EXPECT_TRUE(Client().Presses().empty());
  }
}

// What a window manager reads to treat each kind of window right.
TEST_F(X11WindowContentTest, WindowKindsCarryTheirWindowManagerProperties) {
  NativeWindowParams ownerParams;
  ownerParams.bounds = Rect::FromSize(10, 10, 50, 50);
  ownerParams.title = "Tappomat \u0421\u043a\u0440\u0438\u043f\u0442";  // Скрипт
  const NativeWindowId owner = P().CreateNativeWindow(ownerParams, &m_listener);

  struct Case {
    const char* name;
    NativeWindowKind kind;
    bool withOwner;
    bool noActivate;
    bool topmost;
    const char* type;
    bool skipTaskbar;
  };
  const Case cases[] = {
      {"normal", NativeWindowKind::Normal, false, false, false, "_NET_WM_WINDOW_TYPE_NORMAL", false},
      {"tool", NativeWindowKind::Tool, false, false, true, "_NET_WM_WINDOW_TYPE_UTILITY", true},
      {"dialog", NativeWindowKind::Tool, true, false, false, "_NET_WM_WINDOW_TYPE_DIALOG", true},
      {"marker", NativeWindowKind::Tool, false, true, true, "_NET_WM_WINDOW_TYPE_UTILITY", true},
      {"popup", NativeWindowKind::Popup, true, true, false, "_NET_WM_WINDOW_TYPE_POPUP_MENU", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NativeWindowParams params;
    params.kind = c.kind;
    params.bounds = Rect::FromSize(100, 100, 80, 60);
    params.owner = c.withOwner ? owner : kNoNativeWindow;
    params.noActivate = c.noActivate;
    params.topmost = c.topmost;
    const NativeWindowId window = P().CreateNativeWindow(params, &m_listener);
    ASSERT_NE(window, kNoNativeWindow);

    XWindowAttributes attributes{};
    XGetWindowAttributes(Client().Get(), window, &attributes);
    EXPECT_EQ(attributes.override_redirect == True, c.kind == NativeWindowKind::Popup);
    const auto type = Property32(window, "_NET_WM_WINDOW_TYPE", XA_ATOM);
    EXPECT_TRUE(HasAtom(type, c.type));
    const auto state = Property32(window, "_NET_WM_STATE", XA_ATOM);
    EXPECT_EQ(HasAtom(state, "_NET_WM_STATE_SKIP_TASKBAR"), c.skipTaskbar);
    EXPECT_EQ(HasAtom(state, "_NET_WM_STATE_ABOVE"), c.topmost);
    // No frame from the window manager: decorations 0.
    const auto motif = Property32(window, "_MOTIF_WM_HINTS", XInternAtom(Client().Get(), "_MOTIF_WM_HINTS", False));
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[2], 0u);
    XWMHints* hints = XGetWMHints(Client().Get(), window);
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(hints->input == False, c.noActivate);
    XFree(hints);
    Window transientFor = None;
    XGetTransientForHint(Client().Get(), window, &transientFor);
    EXPECT_EQ(transientFor, c.withOwner ? owner : None);
  }

  // Title, icon and opacity as EWMH spells them.
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(Client().Get(), owner, XInternAtom(Client().Get(), "_NET_WM_NAME", False), 0,
                     64, False, XInternAtom(Client().Get(), "UTF8_STRING", False), &actualType,
                     &format, &count, &after, &data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), ownerParams.title);
  XFree(data);

  Bitmap32 icon(2, 1, MakePixel(255, 0, 0, 128));
  icon.At(1, 0) = MakePixel(0, 0, 255);
  P().SetIcon(owner, icon);
  P().SetOpacity(owner, 0x80);
  const std::vector<unsigned long> iconData{2, 1, 0x80FF0000, 0xFF0000FF};
  EXPECT_TRUE(WaitFor([&] { return Property32(owner, "_NET_WM_ICON", XA_CARDINAL) == iconData; }));
  EXPECT_TRUE(WaitFor([&] {
    return Property32(owner, "_NET_WM_WINDOW_OPACITY", XA_CARDINAL) ==
           std::vector<unsigned long>{0x80808080};
  }));
  P().SetOpacity(owner, 255);
  EXPECT_TRUE(WaitFor([&] {
    return Property32(owner, "_NET_WM_WINDOW_OPACITY", XA_CARDINAL) ==
           std::vector<unsigned long>{0xFFFFFFFF};
  }));
}

}  // namespace
}  // namespace tappomat::test
