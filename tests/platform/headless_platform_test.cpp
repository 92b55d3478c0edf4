#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

struct Recorder : NativeWindowListener {
  std::vector<std::pair<NativeWindowId, NativeEvent>> events;
  void OnNativeEvent(NativeWindowId window, const NativeEvent& event) override {
    events.emplace_back(window, event);
  }
  std::vector<NativeEvent::Type> Types() const {
    std::vector<NativeEvent::Type> out;
    for (const auto& e : events) out.push_back(e.second.type);
    return out;
  }
};

TEST(HeadlessPlatform, ClicksGoToTheTopmostWindowWhoseInputShapeHoldsThePoint) {
  HeadlessPlatform p;
  Recorder below, above;
  const NativeWindowId a = p.CreateNativeWindow({.bounds = {0, 0, 100, 100}}, &below);
  const NativeWindowId b = p.CreateNativeWindow({.bounds = {50, 50, 150, 150}}, &above);
  p.Show(a, true);
  p.Show(b, true);
  p.SetInputShape(b, Region(Rect{0, 0, 10, 10}));  // only its top-left corner takes input
  EXPECT_EQ(p.WindowAt({55, 55}), b);
  EXPECT_EQ(p.WindowAt({70, 70}), a);  // through b's shape
  EXPECT_EQ(p.WindowAt({120, 120}), kNoNativeWindow);

  p.WaitAndDispatch(std::nullopt);
  below.events.clear();
  p.UserClick({70, 70});
  p.WaitAndDispatch(std::nullopt);
  ASSERT_FALSE(below.events.empty());
  const NativeEvent& last = below.events.back().second;
  EXPECT_EQ(last.type, NativeEvent::Type::ButtonUp);
  EXPECT_EQ(last.position, (Point{70, 70}));
  EXPECT_EQ(p.FocusedWindow(), a);
}

TEST(HeadlessPlatform, TopmostWindowsStayAboveLaterRaises) {
  HeadlessPlatform p;
  const NativeWindowId top = p.CreateNativeWindow({.topmost = true}, nullptr);
  const NativeWindowId normal = p.CreateNativeWindow({}, nullptr);
  p.Raise(normal);
  EXPECT_EQ(p.ZOrder(), (std::vector<NativeWindowId>{normal, top}));
  p.PlaceAbove(normal, top);
  EXPECT_EQ(p.ZOrder().back(), top);
}

TEST(HeadlessPlatform, AsyncKeyStateLatchesAPressUntilQueried) {
  HeadlessPlatform p;
  p.SetKeyState(VK_F2, true);
  p.SetKeyState(VK_F2, false);
  EXPECT_EQ(p.AsyncKeyState(VK_F2), kKeyPressedSinceLastQuery);
  EXPECT_EQ(p.AsyncKeyState(VK_F2), 0);
  p.SetKeyState(VK_RMENU, true);
  EXPECT_TRUE(p.AsyncKeyState(VK_MENU) & kKeyDownNow);
}

TEST(HeadlessPlatform, DrivenClockJumpsToTheDeadlineWhenNothingIsQueued) {
  HeadlessPlatform p;
  const auto start = p.Now();
  p.WaitAndDispatch(start + std::chrono::milliseconds(50));
  EXPECT_EQ(p.Now() - start, std::chrono::milliseconds(50));
}

TEST(HeadlessPlatform, InjectedInputIsRecordedAndDelivered) {
  HeadlessPlatform p;
  Recorder r;
  const NativeWindowId w = p.CreateNativeWindow({.bounds = {10, 10, 20, 20}}, &r);
  p.Show(w, false);
  p.SetPointerPosition({12, 13});
  p.InjectButton(MouseButton::Right, true);
  p.InjectButton(MouseButton::Right, false);
  ASSERT_EQ(p.InjectedInputs().size(), 3u);
  EXPECT_EQ(p.InjectedInputs()[1].kind, HeadlessPlatform::InjectedInput::Kind::ButtonDown);
  EXPECT_EQ(p.InjectedInputs()[1].position, (Point{12, 13}));
  p.WaitAndDispatch(std::nullopt);
  EXPECT_EQ(r.Types(), (std::vector<NativeEvent::Type>{
                           NativeEvent::Type::PointerEnter, NativeEvent::Type::PointerMove,
                           NativeEvent::Type::FocusGained, NativeEvent::Type::ButtonDown,
                           NativeEvent::Type::ButtonUp}));
  EXPECT_EQ(r.events.back().second.button, MouseButton::Right);
  EXPECT_EQ(r.events.back().second.position, (Point{2, 3}));
}

}  // namespace
}  // namespace tappomat
