#include "ui/classic_look.h"

#include <gtest/gtest.h>

#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "support/golden.h"
#include "ui/classic_button_look.h"
#include "ui/classic_check_look.h"
#include "ui/classic_icons.h"
#include "ui/classic_menu_look.h"

namespace tappomat {
namespace {

constexpr ColorRef kWhite = RGB(255, 255, 255);
constexpr ColorRef kBlack = RGB(0, 0, 0);
constexpr ColorRef kFace = RGB(212, 208, 200);
constexpr ColorRef kShadow = RGB(128, 128, 128);
constexpr ColorRef kDarkShadow = RGB(64, 64, 64);
constexpr ColorRef kNavy = RGB(10, 36, 106);
constexpr ColorRef kSilver = RGB(192, 192, 192);
constexpr ColorRef kMagenta = RGB(255, 0, 255);

// A small face-coloured canvas; At() reads a pixel as a ColorRef.
class Canvas {
 public:
  Canvas(int width, int height, ColorRef fill = kFace) : m_bitmap(width, height, PixelFromColor(fill)), m_dc(m_bitmap) {}
  DeviceContext& Dc() { return m_dc; }
  const Bitmap32& Bitmap() const { return m_bitmap; }
  ColorRef At(int x, int y) const { return ColorFromPixel(m_bitmap.At(x, y)); }

 private:
  Bitmap32 m_bitmap;
  DeviceContext m_dc;
};

struct PixelCheck {
  Point at;
  ColorRef color;
};

void ExpectPixels(const Canvas& canvas, std::initializer_list<PixelCheck> checks, const char* what) {
  for (const PixelCheck& c : checks) {
    EXPECT_EQ(canvas.At(c.at.x, c.at.y), c.color) << what << " at " << c.at.x << "," << c.at.y;
  }
}

TEST(ClassicLook, ButtonDrawStateForPutsDisabledFirst) {
  struct Case {
    bool enabled, pressed, down, hot;
    ButtonDrawState state;
  };
  const Case cases[] = {
      {true, false, false, false, ButtonDrawState::Normal},
      {true, false, false, true, ButtonDrawState::Hot},
      {true, false, true, true, ButtonDrawState::Down},
      {true, true, true, true, ButtonDrawState::Pressed},
      {false, true, true, true, ButtonDrawState::Disabled},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ButtonDrawStateFor(c.enabled, c.pressed, c.down, c.hot), c.state);
  }
}

TEST(ClassicLook, PushButtonEdgesPerState) {
  const Rect rect{0, 0, 75, 23};
  {
    Canvas canvas(75, 23, kMagenta);
    DrawPushButton(canvas.Dc(), rect, {.caption = "OK"});
    ExpectPixels(canvas,
                 {{{0, 0}, kWhite}, {{0, 21}, kWhite}, {{74, 0}, kDarkShadow}, {{0, 22}, kDarkShadow},
                  {{74, 22}, kDarkShadow}, {{1, 1}, kFace}, {{73, 21}, kShadow}, {{73, 1}, kShadow}, {{72, 1}, kFace},
                  {{4, 4}, kFace}},
                 "normal");
  }
  {
    Canvas canvas(75, 23, kMagenta);
    DrawPushButton(canvas.Dc(), rect, {.caption = "OK", .isDefault = true});
    ExpectPixels(canvas,
                 {{{0, 0}, kBlack}, {{74, 22}, kBlack}, {{74, 0}, kBlack}, {{1, 1}, kWhite},
                  {{73, 21}, kDarkShadow}, {{2, 2}, kFace}, {{72, 20}, kShadow}},
                 "default");
  }
  {
    Canvas canvas(75, 23, kMagenta);
    DrawPushButton(canvas.Dc(), rect, {.caption = "OK", .state = ButtonDrawState::Pressed});
    ExpectPixels(canvas,
                 {{{0, 0}, kBlack}, {{74, 22}, kBlack}, {{1, 1}, kShadow}, {{73, 21}, kShadow},
                  {{73, 1}, kShadow}, {{2, 2}, kFace}, {{72, 20}, kFace}},
                 "pressed");
  }
  {
    // The focus rectangle: dotted, 4 pixels in, starting at its corner.
    Canvas canvas(75, 23, kMagenta);
    DrawPushButton(canvas.Dc(), rect, {.caption = "OK", .focused = true, .isDefault = true});
    const ColorRef inverted = RGB(255 - 212, 255 - 208, 255 - 200);
    ExpectPixels(canvas, {{{4, 4}, inverted}, {{5, 4}, kFace}, {{6, 4}, inverted}, {{3, 3}, kFace}},
                 "focused");
  }
}

TEST(ClassicLook, PushButtonCaptionMovesWhenPressedAndEmbossesWhenDisabled) {
  // Text is antialiased: ink is a pixel whose red channel lies in a range (the face is 212).
  const auto inkBounds = [](const Canvas& canvas, int minRed, int maxRed) {
    Rect bounds;
    for (int y = 4; y < 19; ++y) {
      for (int x = 4; x < 71; ++x) {
        const int red = GetRValue(canvas.At(x, y));
        if (red >= minRed && red <= maxRed) bounds = bounds.Bound(Rect::FromSize(x, y, 1, 1));
      }
    }
    return bounds;
  };
  Canvas up(75, 23);
  DrawPushButton(up.Dc(), {0, 0, 75, 23}, {.caption = "Go"});
  Canvas pressed(75, 23);
  DrawPushButton(pressed.Dc(), {0, 0, 75, 23}, {.caption = "Go", .state = ButtonDrawState::Pressed});
  const Rect upInk = inkBounds(up, 0, 100);
  ASSERT_FALSE(upInk.IsEmpty());
  EXPECT_EQ(inkBounds(pressed, 0, 100), upInk.Offset(1, 1));

  Canvas disabled(75, 23);
  DrawPushButton(disabled.Dc(), {0, 0, 75, 23}, {.caption = "Go", .state = ButtonDrawState::Disabled});
  EXPECT_TRUE(inkBounds(disabled, 0, 100).IsEmpty());
  const Rect grey = inkBounds(disabled, 101, 170);
  const Rect white = inkBounds(disabled, 230, 255);
  ASSERT_FALSE(grey.IsEmpty());
  EXPECT_EQ(white.right, grey.right + 1);  // the white copy sticks out one pixel right and down
  EXPECT_EQ(white.bottom, grey.bottom + 1);
}

// A 2-image 8x8 glyph strip: up image red with a magenta (transparent) corner column,
// disabled image blue. The bottom-left pixel is magenta, so magenta is transparent.
Bitmap32 MakeGlyphStrip() {
  Bitmap32 strip(16, 8, PixelFromColor(RGB(255, 0, 0)));
  for (int y = 0; y < 8; ++y) {
    strip.At(0, y) = PixelFromColor(kMagenta);
    for (int x = 8; x < 16; ++x) strip.At(x, y) = PixelFromColor(RGB(0, 0, 255));
  }
  return strip;
}

TEST(ClassicLook, GlyphImagesTransparencyAndDisabledForms) {
  const Bitmap32 strip = MakeGlyphStrip();
  {
    Canvas canvas(12, 12);
    DrawButtonGlyph(canvas.Dc(), {2, 2}, {.image = &strip, .numGlyphs = 2}, 0);
    ExpectPixels(canvas, {{{2, 2}, kFace}, {{3, 2}, RGB(255, 0, 0)}, {{9, 9}, RGB(255, 0, 0)}, {{10, 2}, kFace}},
                 "up image, transparent first column");
  }
  {
    Canvas canvas(12, 12);
    DrawButtonGlyph(canvas.Dc(), {2, 2}, {.image = &strip, .numGlyphs = 2}, 1);
    ExpectPixels(canvas, {{{3, 3}, RGB(0, 0, 255)}}, "disabled image from the strip");
  }
  {
    // One image only: the disabled form is the ink embossed, highlight down-right of shadow.
    Bitmap32 single(8, 8, PixelFromColor(RGB(255, 0, 0)));
    single.At(0, 7) = PixelFromColor(kMagenta);
    Canvas canvas(12, 12);
    DrawButtonGlyph(canvas.Dc(), {2, 2}, {.image = &single}, 1);
    ExpectPixels(canvas, {{{2, 2}, kShadow}, {{9, 9}, kShadow}, {{10, 10}, kWhite}, {{10, 2}, kFace}},
                 "embossed");
  }
}

TEST(ClassicLook, CalcButtonLayoutCentresGlyphAndCaptionAsABlock) {
  const Bitmap32 glyph(16, 16, PixelFromColor(kBlack));
  const LogicalFont font;
  const Rect client{10, 20, 110, 50};
  const int textWidth = GetTextExtent(font, "Open").width;
  ASSERT_GT(textWidth, 0);

  const ButtonContentLayout left = CalcButtonLayout(client, "&Open", font, {.image = &glyph});
  EXPECT_EQ(left.textRect.left, left.glyphPos.x + 16 + 4);
  EXPECT_EQ(left.textRect.Width(), textWidth);
  const int leftGap = left.glyphPos.x - client.left;
  const int rightGap = client.right - left.textRect.right;
  EXPECT_LE(std::abs(leftGap - rightGap), 1);
  EXPECT_EQ(left.glyphPos.y, client.top + (30 - 16 + 1) / 2);

  const ButtonContentLayout top =
      CalcButtonLayout(client, "Open", font, {.image = &glyph, .layout = ButtonLayout::GlyphTop, .margin = 2});
  EXPECT_EQ(top.glyphPos.y, client.top + 2);
  EXPECT_EQ(top.textRect.top, top.glyphPos.y + 16 + 4);
  EXPECT_EQ(top.glyphPos.x, client.left + (100 - 16 + 1) / 2);

  const ButtonContentLayout right = CalcButtonLayout(
      client, "Open", font, {.image = &glyph, .layout = ButtonLayout::GlyphRight, .margin = 3}, {1, 1});
  EXPECT_EQ(right.glyphPos.x, client.right - 3 - 16 + 1);
  EXPECT_EQ(right.textRect.right, right.glyphPos.x - 4);
}

TEST(ClassicLook, SpeedButtonBordersAndLatchedPattern) {
  const Rect rect{0, 0, 23, 22};
  {
    Canvas canvas(23, 22, kMagenta);
    DrawSpeedButton(canvas.Dc(), rect, {.state = ButtonDrawState::Down});
    // Sunken (dark outside) with a checkerboard of white and face inside.
    ExpectPixels(canvas, {{{0, 0}, kDarkShadow}, {{1, 1}, kShadow}, {{22, 21}, kWhite}}, "down edge");
    EXPECT_NE(canvas.At(5, 5), canvas.At(6, 5));
    EXPECT_EQ(canvas.At(5, 5), canvas.At(6, 6));
  }
  struct Case {
    ButtonDrawState state;
    ColorRef topLeft, bottomRight;
  };
  const Case flatCases[] = {
      {ButtonDrawState::Normal, kFace, kFace},
      {ButtonDrawState::Hot, kWhite, kShadow},
      {ButtonDrawState::Pressed, kShadow, kWhite},
  };
  for (const Case& c : flatCases) {
    Canvas canvas(23, 22, kMagenta);
    DrawSpeedButton(canvas.Dc(), rect, {.state = c.state, .flat = true});
    ExpectPixels(canvas, {{{0, 0}, c.topLeft}, {{22, 21}, c.bottomRight}, {{1, 1}, kFace}}, "flat");
  }
}

TEST(ClassicLook, CheckBoxBoxTickAndGrayedState) {
  const Rect rect{0, 0, 100, 17};
  const Rect box = CheckBoxBoxRect(rect, CheckBoxAlignment::BoxLeft);
  ASSERT_EQ(box, Rect::FromSize(0, 2, 13, 13));
  // The tick's lowest point (column 2 of the 7x7 mark, rows 4-6) and its middle column.
  const Point tickLow{box.left + 3 + 2, box.top + 3 + 6};
  const Point tickMid{box.left + 3 + 3, box.top + 3 + 4};
  const Point corner{box.left + 2, box.top + 2};  // inside the box, never under the tick

  struct Case {
    const char* what;
    CheckState check;
    CheckBoxDrawState state;
    ColorRef tick, background;
  };
  const Case cases[] = {
      {"unchecked", CheckState::Unchecked, CheckBoxDrawState::Normal, kWhite, kWhite},
      {"checked", CheckState::Checked, CheckBoxDrawState::Normal, kBlack, kWhite},
      {"pressed", CheckState::Unchecked, CheckBoxDrawState::Pressed, kFace, kFace},
      {"disabled checked", CheckState::Checked, CheckBoxDrawState::Disabled, kShadow, kFace},
      {"grayed", CheckState::Grayed, CheckBoxDrawState::Normal, kShadow, kWhite},
  };
  for (const Case& c : cases) {
    Canvas canvas(100, 17);
    DrawCheckBox(canvas.Dc(), rect, {.caption = "Option", .checkState = c.check, .state = c.state});
    ExpectPixels(canvas,
                 {{tickLow, c.tick}, {tickMid, c.tick}, {corner, c.background}, {box.TopLeft(), kShadow},
                  {{box.left + 1, box.top + 1}, kDarkShadow}, {{box.right - 1, box.bottom - 1}, kWhite},
                  {{box.right - 2, box.bottom - 2}, kFace}},
                 c.what);
  }
  // Grayed: a checkerboard behind the grey tick.
  Canvas grayed(100, 17);
  DrawCheckBox(grayed.Dc(), rect, {.checkState = CheckState::Grayed});
  EXPECT_NE(grayed.At(corner.x, corner.y), grayed.At(corner.x + 1, corner.y));
}

TEST(ClassicLook, CheckBoxFocusGoesAroundCaptionOrBox) {
  const ColorRef inverted = RGB(255 - 212, 255 - 208, 255 - 200);
  Canvas withCaption(100, 17);
  DrawCheckBox(withCaption.Dc(), {0, 0, 100, 17}, {.caption = "Option", .focused = true});
  // The caption starts 4 pixels right of the box; the dotted frame one pixel before it.
  int dotted = 0;
  for (int y = 0; y < 17; ++y) dotted += withCaption.At(16, y) == inverted ? 1 : 0;
  EXPECT_GT(dotted, 3);

  Canvas boxOnly(20, 17);
  DrawCheckBox(boxOnly.Dc(), {0, 0, 20, 17}, {.focused = true, .alignment = CheckBoxAlignment::BoxRight});
  const Rect box = CheckBoxBoxRect({0, 0, 20, 17}, CheckBoxAlignment::BoxRight);
  EXPECT_EQ(box.left, 7);
  EXPECT_EQ(boxOnly.At(box.left - 1, box.top - 1), inverted);
}

TEST(ClassicLook, EditFrameAndComboButton) {
  {
    Canvas canvas(40, 21, kMagenta);
    const Rect inside = DrawEditFrame(canvas.Dc(), {0, 0, 40, 21}, {});
    EXPECT_EQ(inside, (Rect{2, 2, 38, 19}));
    ExpectPixels(canvas,
                 {{{0, 0}, kShadow}, {{1, 1}, kDarkShadow}, {{39, 20}, kWhite}, {{38, 19}, kFace}, {{2, 2}, kWhite}},
                 "edit");
    DrawEditFrame(canvas.Dc(), {0, 0, 40, 21}, {.enabled = false});
    ExpectPixels(canvas, {{{2, 2}, kFace}}, "disabled edit");
  }
  const Rect button{0, 0, 17, 21};
  // The triangle's top row is 7 pixels from (5, 8); its tip is (8, 11).
  {
    Canvas canvas(17, 21, kMagenta);
    DrawComboArrowButton(canvas.Dc(), button, {});
    ExpectPixels(canvas,
                 {{{0, 0}, kFace}, {{1, 1}, kWhite}, {{16, 20}, kDarkShadow}, {{15, 19}, kShadow},
                  {{5, 8}, kBlack}, {{11, 8}, kBlack}, {{4, 8}, kFace}, {{12, 8}, kFace}, {{8, 11}, kBlack},
                  {{7, 11}, kFace}, {{8, 12}, kFace}},
                 "combo button");
  }
  {
    Canvas canvas(17, 21, kMagenta);
    DrawComboArrowButton(canvas.Dc(), button, {.pressed = true});
    ExpectPixels(canvas, {{{0, 0}, kShadow}, {{16, 20}, kShadow}, {{5, 8}, kFace}, {{6, 9}, kBlack}, {{9, 12}, kBlack}},
                 "pressed combo button");
  }
  {
    Canvas canvas(17, 21, kMagenta);
    DrawComboArrowButton(canvas.Dc(), button, {.enabled = false});
    ExpectPixels(canvas, {{{5, 8}, kShadow}, {{12, 9}, kWhite}, {{8, 11}, kShadow}}, "disabled combo button");
  }
}

TEST(ClassicLook, ListItemColours) {
  struct Case {
    bool selected, enabled;
    ColorRef background;
  };
  const Case cases[] = {{false, true, kWhite}, {true, true, kNavy}, {true, false, kWhite}};
  for (const Case& c : cases) {
    Canvas canvas(80, 16, kMagenta);
    DrawListItem(canvas.Dc(), {0, 0, 80, 16}, {.text = "Item", .selected = c.selected, .enabled = c.enabled});
    ExpectPixels(canvas, {{{0, 0}, c.background}, {{79, 15}, c.background}, {{1, 1}, c.background}}, "list item");
  }
  Canvas focused(80, 16, kMagenta);
  DrawListItem(focused.Dc(), {0, 0, 80, 16}, {.text = "Item", .selected = true, .focused = true});
  EXPECT_EQ(focused.At(0, 0), RGB(255 - 10, 255 - 36, 255 - 106));  // the focus dots invert the highlight
  EXPECT_EQ(focused.At(1, 1), kNavy);
}

TEST(ClassicLook, GridCellEdgesLinesAndText) {
  const Rect rect{0, 0, 64, 24};
  {
    Canvas canvas(64, 24, kMagenta);
    DrawGridCell(canvas.Dc(), rect, {.text = "Fixed", .kind = GridCellKind::Fixed});
    ExpectPixels(canvas,
                 {{{0, 0}, kWhite}, {{0, 22}, kShadow}, {{62, 0}, kShadow}, {{62, 22}, kShadow}, {{1, 21}, kFace},
                  {{63, 5}, kBlack}, {{5, 23}, kBlack}},
                 "fixed cell");
  }
  {
    Canvas canvas(64, 24, kMagenta);
    DrawGridCell(canvas.Dc(), rect, {.text = "", .selected = true});
    ExpectPixels(canvas, {{{0, 0}, kNavy}, {{62, 22}, kNavy}, {{63, 5}, kSilver}, {{5, 23}, kSilver}}, "selected");
  }
  {
    // Text starts at (2, 2) and is cut at the cell, never spilling onto the grid line.
    Canvas canvas(24, 24, kMagenta);
    DrawGridCell(canvas.Dc(), {0, 0, 24, 24}, {.text = "MMMMMMMM", .gridLines = true});
    bool inkAtStart = false;
    for (int y = 2; y < 21; ++y) inkAtStart |= canvas.At(2, y) != kWhite;
    EXPECT_TRUE(inkAtStart);
    for (int y = 0; y < 24; ++y) EXPECT_EQ(canvas.At(23, y), kSilver) << y;
    for (int y = 0; y < 23; ++y) {
      EXPECT_EQ(canvas.At(0, y), kWhite) << y;
      EXPECT_EQ(canvas.At(1, y), kWhite) << y;
    }
  }
}

TEST(ClassicLook, PanelBevels) {
  Canvas canvas(40, 30, kMagenta);
  const Rect inside = DrawPanel(canvas.Dc(), {0, 0, 40, 30},
                                {.bevelOuter = PanelBevel::Raised, .bevelInner = PanelBevel::Lowered,
                                 .borderWidth = 2, .color = kFace});
  EXPECT_EQ(inside, (Rect{4, 4, 36, 26}));
  ExpectPixels(canvas,
               {{{0, 0}, kWhite}, {{0, 28}, kWhite}, {{39, 0}, kShadow}, {{0, 29}, kShadow}, {{39, 29}, kShadow},
                {{1, 1}, kFace}, {{3, 3}, kShadow}, {{36, 26}, kWhite}, {{36, 3}, kWhite}},
               "raised outside, lowered inside");
}

TEST(ClassicLook, MenuItemsAndFrame) {
  EXPECT_EQ(MeasureMenuItem({.caption = "&Open", .shortcut = "Ctrl+O"}).height, kMenuItemHeight);
  EXPECT_EQ(MeasureMenuItem({.separator = true}).height, kMenuSeparatorHeight);
  const int plain = MeasureMenuItem({.caption = "&Open"}).width;
  EXPECT_GT(MeasureMenuItem({.caption = "&Open", .shortcut = "Ctrl+O"}).width, plain + kMenuShortcutGap);
  EXPECT_GT(MeasureMenuItem({.caption = "&Open", .isDefault = true}).width, plain);  // bold is wider

  Canvas canvas(120, 17 + 9 + 17, kMagenta);
  DrawMenuItem(canvas.Dc(), {0, 0, 120, 17}, {.caption = "&Open", .checked = true, .selected = true});
  DrawMenuItem(canvas.Dc(), {0, 17, 120, 26}, {.separator = true});
  DrawMenuItem(canvas.Dc(), {0, 26, 120, 43}, {.caption = "&Open", .checked = true});
  ExpectPixels(canvas,
               {{{0, 0}, kNavy}, {{119, 16}, kNavy}, {{5 + 2, 5 + 6}, kWhite},  // the check mark in highlight text
                {{0, 17}, kFace}, {{60, 20}, kShadow}, {{60, 21}, kWhite}, {{60, 22}, kFace},
                {{0, 26}, kFace}, {{5 + 2, 26 + 5 + 6}, kBlack}},
               "menu items");

  Canvas frame(50, 40, kMagenta);
  const Rect inside = DrawMenuFrame(frame.Dc(), {0, 0, 50, 40});
  EXPECT_EQ(inside, (Rect{3, 3, 47, 37}));
  ExpectPixels(frame, {{{0, 0}, kFace}, {{1, 1}, kWhite}, {{49, 39}, kDarkShadow}, {{48, 38}, kShadow}, {{2, 2}, kFace}},
               "menu frame");
}

TEST(ClassicLook, MessageBoxIconsStayInTheirSquare) {
  for (MessageBoxIconKind kind : {MessageBoxIconKind::Error, MessageBoxIconKind::Warning,
                                  MessageBoxIconKind::Question, MessageBoxIconKind::Information}) {
    Canvas canvas(40, 40, kMagenta);
    DrawMessageBoxIcon(canvas.Dc(), {4, 4}, kind);
    int inside = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool inSquare = x >= 4 && x < 36 && y >= 4 && y < 36;
        if (canvas.At(x, y) != kMagenta) {
          EXPECT_TRUE(inSquare) << static_cast<int>(kind) << " at " << x << "," << y;
          ++inside;
        }
      }
    }
    EXPECT_GT(inside, 300) << static_cast<int>(kind);
  }
  Canvas error(32, 32, kMagenta);
  DrawMessageBoxIcon(error.Dc(), {0, 0}, MessageBoxIconKind::Error);
  ExpectPixels(error, {{{16, 16}, kWhite}, {{16, 4}, RGB(255, 0, 0)}, {{0, 0}, kMagenta}}, "error icon");
}

// Every drawing function side by side, for a person to judge by eye.
TEST(ClassicLook, Golden) {
  Canvas canvas(600, 400);
  DeviceContext& dc = canvas.Dc();
  const Bitmap32 glyph = [] {
    // A 16x16 green disc-ish square with a dark border on magenta (transparent).
    Bitmap32 g(16, 16, PixelFromColor(kMagenta));
    for (int y = 3; y < 13; ++y) {
      for (int x = 3; x < 13; ++x) {
        const bool border = x == 3 || y == 3 || x == 12 || y == 12;
        g.At(x, y) = PixelFromColor(border ? RGB(0, 96, 0) : RGB(0, 200, 0));
      }
    }
    return g;
  }();

  // Row 1: push buttons.
  int x = 8;
  const std::pair<const char*, PushButtonLook> buttons[] = {
      {"normal", {.caption = "&Normal"}},
      {"default", {.caption = "&Default", .isDefault = true}},
      {"focused", {.caption = "&Focused", .focused = true, .isDefault = true}},
      {"pressed", {.caption = "&Pressed", .state = ButtonDrawState::Pressed, .focused = true}},
      {"disabled", {.caption = "D&isabled", .state = ButtonDrawState::Disabled}},
      {"bitbtn", {.caption = "&Glyph", .glyph = {.image = &glyph}}},
      {"bitbtn-off", {.caption = "Gl&yph", .state = ButtonDrawState::Disabled, .glyph = {.image = &glyph}}},
  };
  for (const auto& [name, look] : buttons) {
    DrawPushButton(dc, Rect::FromSize(x, 8, 75, 25), look);
    x += 83;
  }

  // Row 2: speed buttons, plain and flat, in each state.
  x = 8;
  const ButtonDrawState states[] = {ButtonDrawState::Normal, ButtonDrawState::Hot, ButtonDrawState::Pressed,
                                    ButtonDrawState::Down, ButtonDrawState::Disabled};
  for (bool flat : {false, true}) {
    for (ButtonDrawState state : states) {
      DrawSpeedButton(dc, Rect::FromSize(x, 42, 25, 25), {.state = state, .flat = flat, .glyph = {.image = &glyph}});
      x += 29;
    }
    x += 8;
  }
  DrawSpeedButton(dc, Rect::FromSize(x, 42, 96, 25),
                  {.caption = "Top", .glyph = {.image = &glyph, .layout = ButtonLayout::GlyphTop}});

  // Row 3: check boxes.
  const std::pair<const char*, CheckBoxLook> checks[] = {
      {"", {.caption = "&Unchecked"}},
      {"", {.caption = "&Checked", .checkState = CheckState::Checked, .focused = true}},
      {"", {.caption = "&Grayed", .checkState = CheckState::Grayed}},
      {"", {.caption = "&Pressed", .checkState = CheckState::Checked, .state = CheckBoxDrawState::Pressed}},
      {"", {.caption = "&Disabled", .checkState = CheckState::Checked, .state = CheckBoxDrawState::Disabled}},
      {"", {.caption = "Left", .checkState = CheckState::Checked, .alignment = CheckBoxAlignment::BoxRight}},
  };
  x = 8;
  for (const auto& [unused, look] : checks) {
    DrawCheckBox(dc, Rect::FromSize(x, 76, 90, 17), look);
    x += 96;
  }

  // Row 4: edit frames, combo box, list box.
  const auto drawEdit = [&](const Rect& r, const char* text, bool enabled) {
    const Rect inside = DrawEditFrame(dc, r, {.enabled = enabled});
    DeviceContext::Saver saver(dc);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    Rect t{inside.left + 1, inside.top, inside.right, inside.bottom};
    DrawText(dc, text, t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  };
  drawEdit(Rect::FromSize(8, 104, 121, 21), "Edit text", true);
  drawEdit(Rect::FromSize(8, 132, 121, 21), "Disabled", false);
  drawEdit(Rect::FromSize(140, 104, 121, 21), "Combo", true);
  DrawComboArrowButton(dc, Rect::FromSize(140 + 121 - 2 - 16, 106, 16, 17), {});
  drawEdit(Rect::FromSize(140, 132, 121, 21), "Pressed", true);
  DrawComboArrowButton(dc, Rect::FromSize(140 + 121 - 2 - 16, 134, 16, 17), {.pressed = true});
  drawEdit(Rect::FromSize(140, 160, 121, 21), "Off", false);
  DrawComboArrowButton(dc, Rect::FromSize(140 + 121 - 2 - 16, 162, 16, 17), {.enabled = false});

  const Rect list = DrawEditFrame(dc, Rect::FromSize(272, 104, 121, 74), {});
  const std::pair<const char*, ListItemLook> items[] = {
      {"", {.text = "First item"}},
      {"", {.text = "Selected & focused", .selected = true, .focused = true}},
      {"", {.text = "Third item"}},
      {"", {.text = "Selected", .selected = true}},
  };
  int y = list.top;
  for (const auto& [unused, look] : items) {
    DrawListItem(dc, {list.left, y, list.right, y + 13}, look);
    y += 13;
  }

  // Row 4, right: a 3x3 string grid (one fixed row and column) and group box.
  const Rect gridArea = DrawEditFrame(dc, Rect::FromSize(404, 104, 4 + 3 * 56, 4 + 3 * 20), {});
  const char* cells[3][3] = {{"", "Col 1", "Col 2"}, {"1", "Cell", "A long cell text"}, {"2", "Selected", "Focus"}};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const bool fixed = row == 0 || col == 0;
      DrawGridCell(dc, Rect::FromSize(gridArea.left + col * 56, gridArea.top + row * 20, 56, 20),
                   {.text = cells[row][col],
                    .kind = fixed ? GridCellKind::Fixed : GridCellKind::Normal,
                    .selected = row == 2 && col == 1,
                    .focused = row == 2 && col == 2});
    }
  }

  // Row 5: panels and a group box.
  DrawPanel(dc, Rect::FromSize(8, 192, 120, 40), {.caption = "Raised panel"});
  DrawPanel(dc, Rect::FromSize(136, 192, 120, 40),
            {.bevelOuter = PanelBevel::Lowered, .caption = "&Lowered", .alignment = TextAlignment::Left});
  DrawPanel(dc, Rect::FromSize(264, 192, 120, 40),
            {.bevelOuter = PanelBevel::Raised, .bevelInner = PanelBevel::Lowered, .borderWidth = 2,
             .caption = "Both", .alignment = TextAlignment::Right});
  DrawGroupFrame(dc, Rect::FromSize(404, 184, 172, 60), {.caption = "Group"});

  // Row 6: a popup menu, and the four message-box icons.
  const MenuItemLook menu[] = {
      {.caption = "&Open", .shortcut = "Ctrl+O", .isDefault = true},
      {.caption = "&Save", .shortcut = "Ctrl+S", .selected = true},
      {.separator = true},
      {.caption = "&Word wrap", .checked = true},
      {.caption = "&Disabled", .shortcut = "Del", .enabled = false},
      {.caption = "Disabled, &checked", .checked = true, .enabled = false},
      {.caption = "&More", .hasSubmenu = true},
  };
  int menuWidth = 0;
  int menuHeight = 0;
  for (const MenuItemLook& item : menu) {
    const Size size = MeasureMenuItem(item);
    menuWidth = std::max(menuWidth, size.width);
    menuHeight += size.height;
  }
  const Rect inside = DrawMenuFrame(dc, Rect::FromSize(8, 252, menuWidth + 6, menuHeight + 6));
  y = inside.top;
  for (const MenuItemLook& item : menu) {
    const int h = MeasureMenuItem(item).height;
    DrawMenuItem(dc, {inside.left, y, inside.right, y + h}, item);
    y += h;
  }
  x = 260;
  for (MessageBoxIconKind kind : {MessageBoxIconKind::Error, MessageBoxIconKind::Warning,
                                  MessageBoxIconKind::Question, MessageBoxIconKind::Information}) {
    DrawMessageBoxIcon(dc, {x, 270}, kind);
    x += 44;
  }

  EXPECT_TRUE(test::MatchesGolden(canvas.Bitmap(), "ui_classic_controls"));
}

}  // namespace
}  // namespace tappomat
