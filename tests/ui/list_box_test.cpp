// TListBox: hit-testing, selection and scrolling, the scroll bar's presence, keyboard and
// mouse selection with OnClick only for the user's changes, and owner drawing.
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "ui/form.h"
#include "ui/list_box.h"
#include "ui_fixture.h"
#include "win/input.h"
#include "win/scroll_bar.h"
#include "win/styles.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

constexpr int kRow = 20;  // the owner-draw item height the tests use: 4 rows fit

class ListBoxTest : public UiTest {
 protected:
  ListBoxTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(50, 50, 300, 200);
    list = Create<TListBox>(form);
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
    list->SetItemHeight(kRow);
    list->SetBounds(10, 10, 120, 4 * kRow + 4);  // 2-pixel client edge on each side
    list->SetParent(form);
    list->OnClick = [this](TComponent*) { ++clicks; };
    form->Show();
    Pump();
  }

  void Fill(int count) {
    list->Items().BeginUpdate();
    for (int i = 0; i < count; ++i) list->Items().Add("Item " + std::to_string(i));
    list->Items().EndUpdate();
  }

  bool HasScrollBar() { return GetWindowStyle(list->Handle()) & WS_VSCROLL; }

  TForm* form = nullptr;
  TListBox* list = nullptr;
  int clicks = 0;
};

TEST_F(ListBoxTest, ClassNameStyleAndItemHeightFromTheFont) {
  EXPECT_EQ(list->ClassName(), "TListBox");
  EXPECT_EQ(GetClassName(list->Handle()), "TListBox");
  EXPECT_TRUE(GetWindowExStyle(list->Handle()) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(list->ClientHeight(), 4 * kRow);
  // Standard lists take the row height from the font and ignore a set one.
  list->SetStyle(TListBoxStyle::lbStandard);
  const int fontHeight = GetTextMetrics(list->Font().ToLogicalFont()).height;
  ASSERT_GT(fontHeight, 0);
  EXPECT_EQ(list->ItemHeight(), fontHeight);
}

TEST_F(ListBoxTest, ItemAtPosAndItemRect) {
  Fill(10);
  struct Case {
    int topIndex;
    Point p;
    bool existing;
    int expected;
  };
  const Case cases[] = {
      {0, {5, 0}, true, 0},          {0, {5, kRow - 1}, true, 0},
      {0, {5, kRow}, true, 1},       {0, {5, 4 * kRow - 1}, true, 3},
      {0, {5, 4 * kRow + 5}, true, 4},  // the part of item 4 under the client edge
      {0, {-1, 5}, true, -1},        {0, {5, -1}, false, -1},
      {0, {500, 5}, true, -1},       {5, {5, 0}, true, 5},
      {5, {5, kRow + 3}, false, 6},  {6, {5, 3 * kRow}, true, 9},
  };
  for (const Case& c : cases) {
    list->SetTopIndex(c.topIndex);
    EXPECT_EQ(list->ItemAtPos(c.p, c.existing), c.expected)
        << "top " << c.topIndex << " at " << c.p.x << "," << c.p.y << " existing " << c.existing;
  }
  list->SetTopIndex(5);
  EXPECT_EQ(list->ItemRect(6), (Rect{0, kRow, list->ClientWidth(), 2 * kRow}));
  EXPECT_EQ(list->ItemRect(4), (Rect{0, -kRow, list->ClientWidth(), 0}));

  // Below the last item of a short list: -1 for an existing item, else Count.
  list->Clear();
  Fill(3);
  EXPECT_EQ(list->ItemAtPos({5, 3 * kRow + 2}, true), -1);
  EXPECT_EQ(list->ItemAtPos({5, 3 * kRow + 2}, false), 3);
  EXPECT_EQ(list->ItemAtPos({5, 2 * kRow + 2}, false), 2);
}

TEST_F(ListBoxTest, ScrollBarShowsOnlyWhileTheItemsDoNotFit) {
  Fill(4);
  EXPECT_FALSE(HasScrollBar());
  list->Items().Add("fifth");
  ASSERT_TRUE(HasScrollBar());
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list->Handle(), SB_VERT, info));
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 4);
  EXPECT_EQ(info.nPage, 4u);
  list->SetTopIndex(1);
  EXPECT_EQ(GetScrollPos(list->Handle(), SB_VERT), 1);
  list->Items().Delete(4);
  EXPECT_FALSE(HasScrollBar());
  EXPECT_EQ(list->TopIndex(), 0);
  list->Items().Add("again");
  EXPECT_TRUE(HasScrollBar());
  list->Clear();
  EXPECT_FALSE(HasScrollBar());
  EXPECT_EQ(list->Count(), 0);
}

TEST_F(ListBoxTest, ItemIndexScrollsIntoViewWithoutOnClick) {
  Fill(10);
  list->SetItemIndex(8);
  EXPECT_EQ(list->ItemIndex(), 8);
  EXPECT_EQ(list->TopIndex(), 5);
  list->SetItemIndex(6);  // visible: no scrolling
  EXPECT_EQ(list->TopIndex(), 5);
  list->SetItemIndex(2);
  EXPECT_EQ(list->TopIndex(), 2);
  list->SetItemIndex(42);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetTopIndex(100);
  EXPECT_EQ(list->TopIndex(), 6);
  EXPECT_EQ(clicks, 0);
  // Deleting past the selection drops it.
  list->SetItemIndex(9);
  list->Items().Delete(9);
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListBoxTest, ScrollMessagesAndWheelMoveTheTopIndex) {
  Fill(10);  // top index 0..6, page 4
  struct Case {
    WPARAM request;
    int expected;
  };
  const Case cases[] = {
      {SB_LINEDOWN, 1},           {SB_LINEDOWN, 2},    {SB_PAGEDOWN, 5},
      {SB_PAGEDOWN, 6},           {SB_LINEUP, 5},      {SB_PAGEUP, 2},
      {SB_TOP, 0},                {SB_LINEUP, 0},      {SB_BOTTOM, 6},
      {MAKEWPARAM(SB_THUMBTRACK, 3), 3}, {MAKEWPARAM(SB_THUMBPOSITION, 1), 1},
      {SB_ENDSCROLL, 1},
  };
  for (const Case& c : cases) {
    SendMessage(list->Handle(), WM_VSCROLL, c.request, 0);
    EXPECT_EQ(list->TopIndex(), c.expected) << "request " << LOWORD(c.request);
    EXPECT_EQ(GetScrollPos(list->Handle(), SB_VERT), c.expected);
  }
  // Three lines a notch.
  SendMessage(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(list->TopIndex(), 4);
  SendMessage(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(list->TopIndex(), 6);
  SendMessage(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ListBoxTest, ClickOnTheScrollBarArrowScrolls) {
  Fill(10);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, info));
  const Rect bar = info.rcScrollBar;
  platform.UserClick({(bar.left + bar.right) / 2, bar.bottom - 3});
  Pump();
  EXPECT_EQ(list->TopIndex(), 1);
}

TEST_F(ListBoxTest, KeyboardNavigationFiresOnClickOnEveryChange) {
  list->Items().SetCommaText("Apple,Banana,Cherry,Blueberry,Date,Fig,Grape,Kiwi,Lemon,Mango");
  list->SetFocus();
  Pump();
  ASSERT_TRUE(list->Focused());
  struct Case {
    int key;
    std::string text;
    int index;
    int top;
    int clicks;
  };
  const Case cases[] = {
      {VK_DOWN, "", 0, 0, 1},  // from no selection to the first visible item
      {VK_DOWN, "", 1, 0, 2},   {VK_UP, "", 0, 0, 3},    {VK_UP, "", 0, 0, 3},
      {VK_NEXT, "", 3, 0, 4},   // to the last visible row first
      {VK_NEXT, "", 6, 3, 5},   // then a page on
      {VK_PRIOR, "", 3, 3, 6},  {VK_PRIOR, "", 0, 0, 7}, {VK_END, "", 9, 6, 8},
      {VK_END, "", 9, 6, 8},    {VK_HOME, "", 0, 0, 9},
      {'B', "b", 1, 0, 10},     {'B', "b", 3, 0, 11},    {'B', "B", 1, 0, 12},
      {'M', "m", 9, 6, 13},     {'Z', "z", 9, 6, 13},
  };
  for (const Case& c : cases) {
    Key(c.key, c.text);
    EXPECT_EQ(list->ItemIndex(), c.index) << "key " << c.key;
    EXPECT_EQ(list->TopIndex(), c.top) << "key " << c.key;
    EXPECT_EQ(clicks, c.clicks) << "key " << c.key;
  }
  // A key the program's OnKeyDown takes does not move the selection.
  list->OnKeyDown = [](TComponent*, WORD& key, TShiftState) { key = 0; };
  Key(VK_HOME);
  EXPECT_EQ(list->ItemIndex(), 9);
}

TEST_F(ListBoxTest, MouseSelectsOnPressAndFollowsADrag) {
  Fill(10);
  int itemIndexInMouseDown = -2;
  list->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    itemIndexInMouseDown = list->ItemIndex();
  };
  ClickAt(list, {10, 2 + kRow + 5});  // window point: past the 2-pixel edge
  EXPECT_TRUE(list->Focused());
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(itemIndexInMouseDown, 1);
  EXPECT_EQ(clicks, 1);
  ClickAt(list, {10, 2 + kRow + 8});  // the same item: no change, no OnClick
  EXPECT_EQ(clicks, 1);

  // Press on item 0, drag over item 2 and below the list, which scrolls.
  platform.UserButton(ScreenPoint(list, {10, 2 + 5}), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(list->ItemIndex(), 0);
  MoveTo(ScreenPoint(list, {10, 2 + 2 * kRow + 5}));
  EXPECT_EQ(list->ItemIndex(), 2);
  MoveTo(ScreenPoint(list, {10, 2 + 4 * kRow + 30}));
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(list->TopIndex(), 1);
  platform.UserButton(ScreenPoint(list, {10, 2 + 4 * kRow + 30}), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(clicks, 4);  // one for each change: items 0, 2 and 4
  MoveTo(ScreenPoint(list, {10, 2 + 5}));  // released: moving selects nothing
  EXPECT_EQ(list->ItemIndex(), 4);
}

TEST_F(ListBoxTest, ClickBelowTheLastItemKeepsTheSelection) {
  Fill(2);
  list->SetItemIndex(1);
  ClickAt(list, {10, 2 + 3 * kRow});
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 0);
}

TEST_F(ListBoxTest, DoubleClickFiresOnDblClick) {
  Fill(3);
  int doubleClicks = 0;
  list->OnDblClick = [&](TComponent*) { ++doubleClicks; };
  ClickAt(list, {10, 2 + kRow + 5});
  ClickAt(list, {10, 2 + kRow + 5});
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListBoxTest, OwnerDrawGetsPreparedCanvasAndStates) {
  Fill(6);
  struct Call {
    int index;
    Rect rect;
    TOwnerDrawState state;
    TColor brush;
    TColor fontColor;
  };
  std::vector<Call> calls;
  list->OnDrawItem = [&](TWinControl* control, int index, const Rect& rect, TOwnerDrawState state) {
    EXPECT_EQ(control, list);
    TCanvas* canvas = list->Canvas();
    calls.push_back({index, rect, state, canvas->Brush().Color, canvas->Font().Color()});
    if (index == 2) {  // the handler paints over a part of its item
      canvas->Brush().Color = RGB(0, 200, 0);
      canvas->FillRect({rect.left, rect.top, rect.left + 10, rect.bottom});
    }
  };
  list->SetItemIndex(1);
  list->SetFocus();
  Pump();
  calls.clear();
  list->Invalidate();
  Pump();
  ASSERT_EQ(calls.size(), 4u);  // the visible items only
  for (const Call& c : calls) {
    const bool selected = c.index == 1;
    EXPECT_EQ(c.rect, list->ItemRect(c.index));
    EXPECT_EQ(c.state, selected ? (odSelected | odFocused) : 0u) << c.index;
    EXPECT_EQ(c.brush, selected ? clHighlight : clWindow) << c.index;
    EXPECT_EQ(c.fontColor, selected ? clHighlightText : list->Font().Color()) << c.index;
  }

  // The list filled each item by its state before the handler drew on it.
  const Bitmap32& pixels = platform.Window(WindowSystem::Current().Find(form->Handle())->top.native)->pixels;
  auto at = [&](int x, int y) { return PixelRGB(pixels.At(10 + 2 + x, 10 + 2 + y)); };
  EXPECT_EQ(at(50, kRow + 10), PixelRGB(PixelFromColor(GetSysColor(COLOR_HIGHLIGHT))));
  EXPECT_EQ(at(50, 3 * kRow + 10), PixelRGB(PixelFromColor(GetSysColor(COLOR_WINDOW))));
  EXPECT_EQ(at(5, 2 * kRow + 10), PixelRGB(MakePixel(0, 200, 0)));

  list->SetEnabled(false);
  calls.clear();
  Pump();
  ASSERT_FALSE(calls.empty());
  for (const Call& c : calls) EXPECT_TRUE(c.state & odDisabled);
}

TEST_F(ListBoxTest, ExceptionInOnDrawItemReachesTheErrorBox) {
  Fill(1);
  list->OnDrawItem = [](TWinControl*, int, const Rect&, TOwnerDrawState) {
    throw std::runtime_error("draw failed");
  };
  list->Invalidate();
  Pump();
  ASSERT_FALSE(errorBoxes.empty());
  EXPECT_NE(errorBoxes.back().second.find("draw failed"), std::string::npos);
}

}  // namespace
}  // namespace tappomat::test
