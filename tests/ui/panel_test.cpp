// TPanel: the client area inside the border and bevels — where aligned children go, how
// they follow the panel's size and frame — and the caption drawn inside the frame.
#include "ui/panel.h"

#include "gdi/system_colors.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui_fixture.h"

namespace tappomat::test {
namespace {

class PanelTest : public UiTest {
 protected:
  PanelTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(100, 100, 300, 200);
    panel = Create<TPanel>(form);
    panel->SetBounds(20, 30, 200, 100);
    panel->SetParent(form);
  }
  // The panel as last presented on the screen.
  Bitmap32 PanelPixels() {
    Pump();
    const auto* record = platform.Window(system.Find(form->Handle())->top.native);
    Bitmap32 out(panel->Width(), panel->Height());
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x)
        out.At(x, y) = record->pixels.At(panel->Left() + x, panel->Top() + y);
    return out;
  }
  // The smallest rectangle holding the dark (text) pixels; empty when there are none.
  static Rect DarkPixels(const Bitmap32& pixels) {
    Rect r{pixels.Width(), pixels.Height(), 0, 0};
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) {
        const Pixel p = pixels.At(x, y);
        if (PixelR(p) < 100 && PixelG(p) < 100 && PixelB(p) < 100)
          r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
               std::max(r.bottom, y + 1)};
      }
    return r.left < r.right ? r : Rect{};
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
};

struct Frame {
  TBevelCut outer;
  TBevelCut inner;
  int bevelWidth;
  int borderWidth;
  int inset;  // what the frame takes on each side
};

const Frame kFrames[] = {
    {TBevelCut::bvRaised, TBevelCut::bvNone, 1, 0, 1},
    {TBevelCut::bvNone, TBevelCut::bvNone, 1, 0, 0},
    {TBevelCut::bvRaised, TBevelCut::bvLowered, 2, 3, 7},
    {TBevelCut::bvSpace, TBevelCut::bvNone, 2, 0, 2},  // a space bevel takes its width too
    {TBevelCut::bvLowered, TBevelCut::bvSpace, 1, 4, 6},
};

void ApplyFrame(TPanel* panel, const Frame& f) {
  panel->SetBevelOuter(f.outer);
  panel->SetBevelInner(f.inner);
  panel->SetBevelWidth(f.bevelWidth);
  panel->SetBorderWidth(f.borderWidth);
}

TEST_F(PanelTest, AlignedChildrenFillTheAreaInsideTheFrame) {
  auto makeChild = [&](TAlign align) {
    auto* child = Create<TPanel>(form);
    child->SetBounds(0, 0, 30, 20);
    child->SetBevelOuter(TBevelCut::bvNone);
    child->SetAlign(align);
    child->SetParent(panel);
    return child;
  };
  TPanel* top = makeChild(TAlign::alTop);
  TPanel* bottom = makeChild(TAlign::alBottom);
  TPanel* left = makeChild(TAlign::alLeft);
  TPanel* right = makeChild(TAlign::alRight);
  auto* client = Create<TLabel>(form);  // window-less children are aligned as well
  client->SetAutoSize(false);
  client->SetAlign(TAlign::alClient);
  client->SetParent(panel);
  auto* free = makeChild(TAlign::alNone);
  free->SetBounds(5, 6, 7, 8);
  form->Show();
  Pump();

  for (const Frame& f : kFrames) {
    SCOPED_TRACE(f.inset);
    ApplyFrame(panel, f);
    for (const Size size : {Size{200, 100}, Size{240, 130}}) {
      panel->SetBounds(20, 30, size.width, size.height);
      const int i = f.inset, w = size.width, h = size.height;
      EXPECT_EQ(panel->AdjustedClientRect(), (Rect{i, i, w - i, h - i}));
      EXPECT_EQ(top->BoundsRect(), (Rect{i, i, w - i, i + 20}));
      EXPECT_EQ(bottom->BoundsRect(), (Rect{i, h - i - 20, w - i, h - i}));
      EXPECT_EQ(left->BoundsRect(), (Rect{i, i + 20, i + 30, h - i - 20}));
      EXPECT_EQ(right->BoundsRect(), (Rect{w - i - 30, i + 20, w - i, h - i - 20}));
      EXPECT_EQ(client->BoundsRect(), (Rect{i + 30, i + 20, w - i - 30, h - i - 20}));
      EXPECT_EQ(free->BoundsRect(), (Rect{5, 6, 12, 14}));
    }
  }

  // A child window made later in a showing panel is placed at once.
  ApplyFrame(panel, kFrames[0]);
  TPanel* late = makeChild(TAlign::alTop);
  Pump();
  EXPECT_EQ(late->BoundsRect(), (Rect{1, 21, 239, 41}));
}

TEST_F(PanelTest, ChildrenAlignedBeforeThePanelShowsArePlacedWhenItShows) {
  ApplyFrame(panel, kFrames[2]);
  auto* strip = Create<TPanel>(form);
  strip->SetBounds(0, 0, 0, 18);
  strip->SetParent(panel);
  strip->SetAlign(TAlign::alTop);  // after SetParent: nothing tells the panel yet
  auto* status = Create<TLabel>(form);
  status->SetAutoSize(false);
  status->SetParent(panel);
  status->SetAlign(TAlign::alClient);
  form->Show();
  Pump();
  EXPECT_EQ(strip->BoundsRect(), (Rect{7, 7, 193, 25}));
  EXPECT_EQ(status->BoundsRect(), (Rect{7, 25, 193, 93}));
}

TEST_F(PanelTest, BevelsAndCaptionAreDrawnInsideTheFrame) {
  const ColorRef highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const ColorRef shadow = GetSysColor(COLOR_BTNSHADOW);
  const ColorRef face = GetSysColor(COLOR_BTNFACE);
  auto rgb = [](Pixel p) { return RGB(PixelR(p), PixelG(p), PixelB(p)); };
  panel->SetCaption("A caption wider than the inside of the panel");
  form->Show();

  // Raised outer bevel (2), border (3) in the face colour, lowered inner bevel (2).
  ApplyFrame(panel, kFrames[2]);
  for (TAlignment alignment : {TAlignment::taLeftJustify, TAlignment::taRightJustify}) {
    panel->SetAlignment(alignment);
    const Bitmap32 pixels = PanelPixels();
    EXPECT_EQ(rgb(pixels.At(0, 50)), highlight);
    EXPECT_EQ(rgb(pixels.At(1, 50)), highlight);
    EXPECT_EQ(rgb(pixels.At(199, 50)), shadow);
    EXPECT_EQ(rgb(pixels.At(3, 50)), face);
    EXPECT_EQ(rgb(pixels.At(5, 50)), shadow);  // the inner bevel, lowered: shadow above-left
    EXPECT_EQ(rgb(pixels.At(6, 50)), shadow);
    EXPECT_EQ(rgb(pixels.At(193, 50)), highlight);
    const Rect text = DarkPixels(pixels);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GE(text.left, 7);
    EXPECT_LE(text.right, 193);
    // One line, centred vertically in the inside.
    EXPECT_NEAR((text.top + text.bottom) / 2, 50, 3);
    if (alignment == TAlignment::taLeftJustify)
      EXPECT_LE(text.left, 9);
    else
      EXPECT_GE(text.right, 191);
  }

  // A space bevel draws no lines but keeps its width.
  ApplyFrame(panel, kFrames[3]);
  panel->SetAlignment(TAlignment::taLeftJustify);
  const Bitmap32 pixels = PanelPixels();
  EXPECT_EQ(rgb(pixels.At(0, 50)), face);
  EXPECT_EQ(rgb(pixels.At(199, 99)), face);
  EXPECT_GE(DarkPixels(pixels).left, 2);
}

}  // namespace
}  // namespace tappomat::test
