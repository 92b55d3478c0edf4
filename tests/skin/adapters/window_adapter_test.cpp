// Window adapters take over a window's messages ahead of its own handler (a control's
// WindowProc, or a bare window's procedure), answer the skin queries, and give the window
// back on detach or when it is destroyed, unless someone replaced the handler meanwhile.
#include "skin/adapters/window_adapter.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/adapters/edit_window.h"
#include "skin/common/hot_window.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"
#include "ui/list_box.h"
#include "win/window_system.h"

namespace tappomat::test {
namespace {

// Counts the messages the adapter sees before the window.
class CountingAdapter : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_USER + 1) ++seen;
    TacMainWnd::WndProc(message);
  }
  int seen = 0;
};

// A list that notes the hot-window codes it hears.
struct HotCode {
  HWND window;
  SkinCode code;
  LPARAM manager;
  friend bool operator==(const HotCode&, const HotCode&) = default;
};

class NotingList : public TListBox {
 public:
  NotingList(TComponent* owner, std::vector<HotCode>* heard) : TListBox(owner), m_heard(heard) {}
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKIN) {
      const SkinCode code = SkinCodeOf(message.WParam);
      if (code == SkinCode::BecameHot || code == SkinCode::NoLongerHot)
        m_heard->push_back({Handle(), code, message.LParam});
    }
    TListBox::WndProc(message);
  }

 private:
  std::vector<HotCode>* m_heard;
};

class WindowAdapterTest : public SkinnedControlsTest {
 protected:
  WindowAdapterTest() { UseNeutral2(); }
  LRESULT Skinned(HWND h) { return SendMessage(h, WM_SKIN, SkinWParam(SkinCode::QuerySkinned)); }
};

TEST_F(WindowAdapterTest, AControlsMessagesPassThroughTheAdapterUntilItDetaches) {
  auto* list = Create<TListBox>(form);
  list->SetParent(form);
  form->Show();
  Pump();
  const HWND h = list->Handle();
  EXPECT_EQ(Skinned(h), 0);
  auto adapter = std::make_unique<CountingAdapter>(h, nullptr, "EDIT", manager);
  adapter->Attach(false);
  EXPECT_EQ(TacMainWnd::Of(h), adapter.get());
  EXPECT_EQ(Skinned(h), 1);
  EXPECT_EQ(adapter->SkinData().SkinSection(), "EDIT");
  EXPECT_TRUE(adapter->SkinData().Skinned());
  list->Perform(WM_USER + 1);
  SendMessage(h, WM_USER + 1);
  EXPECT_EQ(adapter->seen, 2);
  list->Items().Add("still a list");
  EXPECT_EQ(list->Items().Count(), 1) << "the control's own handling goes on";

  adapter->Detach();
  EXPECT_TRUE(adapter->Removed());
  EXPECT_EQ(TacMainWnd::Of(h), nullptr);
  SendMessage(h, WM_USER + 1);
  EXPECT_EQ(adapter->seen, 2);
  EXPECT_EQ(Skinned(h), 0);
}

TEST_F(WindowAdapterTest, ABareWindowIsSubclassedAndAReplacedProcedureIsLeftAlone) {
  WindowClass bare{"AdapterBare", [](HWND h, UINT m, WPARAM w, LPARAM l) {
                     return m == WM_USER + 2 ? LRESULT{42} : DefWindowProc(h, m, w, l);
                   }};
  RegisterClass(bare);
  const HWND h = CreateWindowEx(0, "AdapterBare", "", WS_POPUP, 0, 0, 50, 50, kNullWindow);
  auto adapter = std::make_unique<CountingAdapter>(h, nullptr, "EDIT", manager);
  adapter->Attach(false);
  SendMessage(h, WM_USER + 1);
  EXPECT_EQ(adapter->seen, 1);
  EXPECT_EQ(SendMessage(h, WM_USER + 2), 42) << "the window's own answer";

  // Someone subclasses the window after the adapter: detaching must not undo that.
  const WNDPROC adapterProc = GetWindowProc(h);
  SetWindowProc(h, [adapterProc](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return m == WM_USER + 3 ? LRESULT{7} : CallWindowProc(adapterProc, w, m, wp, lp);
  });
  adapter->Detach();
  EXPECT_EQ(SendMessage(h, WM_USER + 3), 7);
  DestroyWindow(h);
}

TEST_F(WindowAdapterTest, ThePointerMovingOntoAnotherAdaptedWindowMakesItTheManagersHotWindow) {
  std::vector<HotCode> heard;
  NotingList* lists[2];
  std::unique_ptr<TacEditWnd> adapters[2];
  for (int i = 0; i < 2; ++i) {
    lists[i] = Create<NotingList>(form, &heard);
    lists[i]->SetBounds(10 + 90 * i, 10, 80, 60);
    lists[i]->SetParent(form);
  }
  form->Show();
  Pump();
  for (int i = 0; i < 2; ++i) {
    adapters[i] = std::make_unique<TacEditWnd>(lists[i]->Handle(), nullptr, "EDIT", manager);
    adapters[i]->Attach(false);
  }
  const HWND a = lists[0]->Handle(), b = lists[1]->Handle();
  const auto m = reinterpret_cast<LPARAM>(manager);
  const struct {
    TControl* over;
    int dx;
    std::vector<HotCode> then;
  } moves[] = {
      {lists[0], 0, {{a, SkinCode::BecameHot, m}}},
      {lists[0], 5, {}},  // still the hot window: nothing to tell
      {lists[1], 0, {{a, SkinCode::NoLongerHot, m}, {b, SkinCode::BecameHot, m}}},
      {lists[0], 0, {{b, SkinCode::NoLongerHot, m}, {a, SkinCode::BecameHot, m}}},
  };
  for (const auto& move : moves) {
    SCOPED_TRACE(move.over == lists[0] ? "over the first list" : "over the second list");
    heard.clear();
    const Point at = ScreenPoint(move.over);
    MoveTo({at.x + move.dx, at.y});
    EXPECT_EQ(heard, move.then);
  }
  EXPECT_EQ(HotWindowOf(manager), a);
  // A window whose adapter goes is no longer anybody's hot window.
  adapters[0]->Detach();
  EXPECT_EQ(HotWindowOf(manager), kNullWindow);
  heard.clear();
  MoveTo(ScreenPoint(lists[1]));
  EXPECT_EQ(heard, (std::vector<HotCode>{{b, SkinCode::BecameHot, m}}));
  adapters[1]->Detach();
}

TEST_F(WindowAdapterTest, ADestroyedWindowDetachesItsAdapter) {
  auto* list = Create<TListBox>(form);
  list->SetParent(form);
  form->Show();
  Pump();
  auto adapter = std::make_unique<CountingAdapter>(list->Handle(), nullptr, "EDIT", manager);
  adapter->Attach(false);
  list->Free();
  Pump();
  EXPECT_TRUE(adapter->Removed());
}

}  // namespace
}  // namespace tappomat::test
