// Frame sizes and caption layout of skinned windows with the built-in skin: the metrics
// of each border style, and where icon, buttons and text go on the program's forms.
#include <gtest/gtest.h>

#include "skin/skin_fixture.h"
#include "skin/window/frame_metrics.h"

namespace tappomat::test {
namespace {

class FrameMetricsTest : public SkinnedControlsTest {
 protected:
  FrameMetricsTest() { UseNeutral2(); }

  static std::array<bool, kCaptionButtonCount> Buttons(bool close, bool max, bool min, bool help) {
    return {close, max, min, help};
  }
  Rect ButtonRect(const CaptionLayout& layout, CaptionButtonKind kind) const {
    return layout.buttons[static_cast<std::size_t>(kind)].rect;
  }
};

TEST_F(FrameMetricsTest, InWindowBordersAndCaptionsFollowTheBorderStyle) {
  struct Case {
    TFormBorderStyle style;
    int border;
    int caption;
  };
  const Case cases[] = {
      {TFormBorderStyle::bsSingle, 3, 19},     {TFormBorderStyle::bsDialog, 3, 19},
      {TFormBorderStyle::bsSizeable, 4, 19},   {TFormBorderStyle::bsToolWindow, 3, 15},
      {TFormBorderStyle::bsSizeToolWin, 4, 15}, {TFormBorderStyle::bsNone, 0, 0},
  };
  for (const Case& c : cases) {
    FrameFacts facts;
    facts.borderStyle = c.style;
    const FrameMetrics metrics = ComputeFrameMetrics(FrameMode::InWindow, facts, Tables().skinData, {});
    EXPECT_EQ(metrics.border, c.border) << static_cast<int>(c.style);
    EXPECT_EQ(metrics.caption, c.caption) << static_cast<int>(c.style);
    EXPECT_EQ(metrics.margins, (std::array<int, 4>{})) << static_cast<int>(c.style);
  }
}

TEST_F(FrameMetricsTest, ExtendedMetricsComeFromTheSkinWithItsDefaults) {
  FrameFacts facts;
  facts.borderStyle = TFormBorderStyle::bsSingle;
  const std::array<int, 4> margins{9, 9, 9, 9};
  FrameMetrics metrics = ComputeFrameMetrics(FrameMode::Extended, facts, Tables().skinData, margins);
  EXPECT_EQ(metrics.border, 4);
  EXPECT_EQ(metrics.caption, 30);
  EXPECT_EQ(metrics.margins, margins);
  facts.maximized = true;
  TsSkinData skin = Tables().skinData;
  skin.titleHeight = 26;
  skin.maxHeight = 22;
  metrics = ComputeFrameMetrics(FrameMode::Extended, facts, skin, margins);
  EXPECT_EQ(metrics.caption, 22);
}

// The main window: single border, close and minimize, the window icon.
TEST_F(FrameMetricsTest, MainWindowCaptionHasIconCloseAndMinimizeWithNoGapForMaximize) {
  FrameFacts facts;
  facts.borderStyle = TFormBorderStyle::bsSingle;
  facts.hasSystemMenu = true;
  facts.hasIcon = true;
  facts.visible = Buttons(true, false, true, false);
  const FrameMetrics metrics = ComputeFrameMetrics(FrameMode::InWindow, facts, Tables().skinData, {});
  const CaptionLayout layout = LayOutCaption(FrameMode::InWindow, facts, metrics, {300, 200}, Tables());
  EXPECT_EQ(layout.bar, (Rect{3, 3, 297, 22}));
  EXPECT_EQ(layout.centerLine, 12);
  EXPECT_EQ(layout.icon, (Rect{5, 4, 21, 20}));  // BILEFT 2
  // 18 x 18 buttons from BIRIGHT 1 inside the border, BISPACE 0 apart, centred on line 12.
  EXPECT_EQ(ButtonRect(layout, CaptionButtonKind::Close), (Rect{278, 3, 296, 21}));
  EXPECT_EQ(ButtonRect(layout, CaptionButtonKind::Minimize), (Rect{260, 3, 278, 21}));
  EXPECT_TRUE(ButtonRect(layout, CaptionButtonKind::Maximize).IsEmpty());
  EXPECT_TRUE(ButtonRect(layout, CaptionButtonKind::Help).IsEmpty());
  EXPECT_EQ(layout.buttons[0].maskIndex, Tables().indices.Of(GlobalImage::BICONCLOSE));
  EXPECT_EQ(layout.buttons[2].maskIndex, Tables().indices.Of(GlobalImage::BICONMIN));
  // Text from the icon + BILEFT + 4 to 12 pixels before the leftmost button.
  EXPECT_EQ(layout.text.left, 27);
  EXPECT_EQ(layout.text.right, 248);
  EXPECT_EQ((layout.text.top + layout.text.bottom) / 2, layout.centerLine);
}

// The About box: a dialog frame without border icons.
TEST_F(FrameMetricsTest, DialogWithoutBorderIconsHasCaptionWithoutIconOrButtons) {
  FrameFacts facts;
  facts.borderStyle = TFormBorderStyle::bsDialog;
  facts.hasIcon = true;
  const FrameMetrics metrics = ComputeFrameMetrics(FrameMode::InWindow, facts, Tables().skinData, {});
  const CaptionLayout layout = LayOutCaption(FrameMode::InWindow, facts, metrics, {200, 100}, Tables());
  EXPECT_FALSE(layout.bar.IsEmpty());
  EXPECT_TRUE(layout.icon.IsEmpty());
  for (const CaptionButtonPlace& place : layout.buttons) EXPECT_TRUE(place.rect.IsEmpty());
  EXPECT_EQ(layout.text.left, 3 + 2 + 4);
  EXPECT_EQ(layout.text.right, 200 - 1 - 3 - 12);
}

TEST_F(FrameMetricsTest, ButtonImagesFollowTheWindowsState) {
  FrameFacts facts;
  facts.borderStyle = TFormBorderStyle::bsSizeable;
  facts.visible = Buttons(true, true, true, false);
  const auto& images = Tables().indices;
  EXPECT_EQ(CaptionButtonMask(CaptionButtonKind::Maximize, facts, Tables()), images.Of(GlobalImage::BICONMAX));
  facts.maximized = true;
  EXPECT_EQ(CaptionButtonMask(CaptionButtonKind::Maximize, facts, Tables()), images.Of(GlobalImage::BICONNORM));
  facts.minimizedSecondary = true;
  EXPECT_EQ(CaptionButtonMask(CaptionButtonKind::Minimize, facts, Tables()), images.Of(GlobalImage::BICONNORM));
  // A tool window takes the small set, and the large one where the skin has no small set.
  facts.borderStyle = TFormBorderStyle::bsToolWindow;
  EXPECT_EQ(CaptionButtonMask(CaptionButtonKind::Close, facts, Tables()), images.Of(GlobalImage::BICONCLOSE));
}

TEST_F(FrameMetricsTest, NoCaptionMeansAnEmptyLayout) {
  FrameFacts facts;
  facts.borderStyle = TFormBorderStyle::bsNone;
  facts.visible = Buttons(true, true, true, true);
  const FrameMetrics metrics = ComputeFrameMetrics(FrameMode::InWindow, facts, Tables().skinData, {});
  const CaptionLayout layout = LayOutCaption(FrameMode::InWindow, facts, metrics, {60, 60}, Tables());
  EXPECT_TRUE(layout.bar.IsEmpty());
  for (const CaptionButtonPlace& place : layout.buttons) EXPECT_TRUE(place.rect.IsEmpty());
}

}  // namespace
}  // namespace tappomat::test
