#pragma once
// X11PlatformTest: the fixture of the X11 end-to-end tests. Each suite gets its own Xvfb
// (with or without openbox); each test gets a fresh X11 platform and a second client on
// it, both closed before the server stops. Events of our windows are recorded by
// RecordingListener. WaitFor pumps the platform and the client while it waits, as the
// program's own loop would.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/x11/x11_factory.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {

class RecordingListener : public NativeWindowListener {
 public:
  void OnNativeEvent(NativeWindowId window, const NativeEvent& event) override {
    m_events.emplace_back(window, event);
  }
  std::vector<NativeEvent> Of(NativeWindowId window, NativeEvent::Type type) const {
    std::vector<NativeEvent> found;
    for (const auto& [id, event] : m_events) {
      if (id == window && event.type == type) found.push_back(event);
    }
    return found;
  }
  bool Has(NativeWindowId window, NativeEvent::Type type) const { return !Of(window, type).empty(); }
  void Clear() { m_events.clear(); }

 private:
  std::vector<std::pair<NativeWindowId, NativeEvent>> m_events;
};

template <XvfbWindowManager kManager>
class X11PlatformTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_session = std::make_unique<XvfbSession>(kManager); }
  static void TearDownTestSuite() { s_session.reset(); }

  void SetUp() override {
    ASSERT_TRUE(s_session->Ok()) << s_session->Error();
    m_platform = CreateX11Platform(s_session->DisplayName().c_str());
    ASSERT_NE(m_platform, nullptr);
    m_client = std::make_unique<X11TestClient>(s_session->DisplayName());
    ASSERT_TRUE(m_client->Ok());
  }

  void TearDown() override {
    m_platform.reset();
    m_client.reset();
  }

  Platform& P() { return *m_platform; }
  X11TestClient& Client() { return *m_client; }
  const std::string& DisplayName() const { return s_session->DisplayName(); }

  // Runs both event loops until `condition` holds (at most about two seconds).
  bool WaitFor(const std::function<bool()>& condition) {
    return WaitUntil([&] {
      m_client->Pump();
      m_platform->WaitAndDispatch(m_platform->Now() + std::chrono::milliseconds(5));
      return condition();
    });
  }

  // A window of ours, filled with `fill`, shown and presented, once the server shows it.
  NativeWindowId ShowWindow(NativeWindowParams params, Pixel fill = MakePixel(40, 120, 200),
                            bool activate = true) {
    const NativeWindowId id = m_platform->CreateNativeWindow(params, &m_listener);
    EXPECT_NE(id, kNoNativeWindow);
    m_platform->Show(id, activate);
    const Bitmap32 picture(params.bounds.Width(), params.bounds.Height(), fill);
    EXPECT_TRUE(WaitFor([&] {
      XWindowAttributes attributes{};
      return XGetWindowAttributes(m_client->Get(), id, &attributes) &&
             attributes.map_state == IsViewable;
    }));
    m_platform->Present(id, picture, Region(picture.Bounds()));
    return id;
  }

  // Clicks at a screen point through the platform, as the player does.
  void Click(Point screen, MouseButton button = MouseButton::Left) {
    m_platform->SetPointerPosition(screen);
    m_platform->InjectButton(button, true);
    m_platform->InjectButton(button, false);
  }

  RecordingListener m_listener;

 private:
  inline static std::unique_ptr<XvfbSession> s_session;
  std::unique_ptr<Platform> m_platform;
  std::unique_ptr<X11TestClient> m_client;
};

using X11BareTest = X11PlatformTest<XvfbWindowManager::NoManager>;
using X11OpenboxTest = X11PlatformTest<XvfbWindowManager::Openbox>;

}  // namespace tappomat::test
