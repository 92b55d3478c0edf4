#pragma once
// Classic push buttons, bitmap buttons and speed buttons: the look of TButton, TBitBtn
// and TSpeedButton with no skin active, and the glyph-and-caption layout they share
// (CalcButtonLayout). Called by those controls' paint handlers.
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/bitmap32.h"
#include "imaging/geometry.h"

namespace tappomat {

// How a button paints, chosen from its condition by ButtonDrawStateFor. Whether a push
// button is the default one is a separate flag: a default button can be in any state.
enum class ButtonDrawState {
  Normal,
  Hot,       // under the mouse (flat speed buttons raise themselves)
  Pressed,   // mouse or space bar held down on it
  Down,      // latched down (a speed button with Down set)
  Disabled,
};

// The paint state of a button: disabled wins, then pressed, latched down, hot.
ButtonDrawState ButtonDrawStateFor(bool enabled, bool pressed, bool down, bool hot);

// Where the glyph goes relative to the caption (TButtonLayout).
enum class ButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

// A button's glyph: `image` holds `numGlyphs` (1-4) equal images side by side — up,
// disabled, clicked, down. A missing disabled image is made from the up image (embossed);
// missing clicked or down images fall back to the up image. Pixels with alpha 0 or of the
// bottom-left pixel's colour are transparent, so glyphs without alpha keep a clear
// background; other alpha values are blended.
struct ButtonGlyph {
  const Bitmap32* image = nullptr;
  int numGlyphs = 1;
  ButtonLayout layout = ButtonLayout::GlyphLeft;
  int margin = -1;  // pixels from the edge to the glyph; -1: glyph and caption centred as a block
  int spacing = 4;  // pixels between glyph and caption; -1: caption centred in the rest
};

// Result of CalcButtonLayout, in the coordinates of the client rectangle passed in.
struct ButtonContentLayout {
  Point glyphPos;  // top-left of the glyph image
  Rect textRect;   // the caption's bounds
};

// Places glyph and caption inside `client` for TBitBtn and TSpeedButton;
// `offset` moves both (one pixel down and right while pressed).
ButtonContentLayout CalcButtonLayout(const Rect& client, std::string_view caption,
                                     const LogicalFont& font, const ButtonGlyph& glyph,
                                     Point offset = {});

struct PushButtonLook {
  std::string_view caption;  // "&" marks the accelerator
  ButtonDrawState state = ButtonDrawState::Normal;
  bool focused = false;
  bool isDefault = false;  // the black frame of the default (or focused) button
  LogicalFont font;
  ButtonGlyph glyph;  // TBitBtn; no image for a plain TButton
};

// A classic push button: an optional black default frame, the soft raised edge (or a
// black and shadow frame while pressed, the content moved by (1, 1)), the face, glyph and
// centred caption (embossed when disabled), and the focus rectangle 4 pixels in.
void DrawPushButton(DeviceContext& dc, const Rect& rect, const PushButtonLook& look);

struct SpeedButtonLook {
  std::string_view caption;
  ButtonDrawState state = ButtonDrawState::Normal;
  bool flat = false;
  LogicalFont font;
  ButtonGlyph glyph;
};

// A speed button: as a push button without the default frame; pressed and latched down
// are sunken, latched down on a dithered face. Flat buttons show no border until hot
// (thin raised) or pressed/down (thin sunken).
void DrawSpeedButton(DeviceContext& dc, const Rect& rect, const SpeedButtonLook& look);

// Draws one image of a glyph strip at `at`: index 0 up, 1 disabled, 2 clicked, 3 down.
// For the disabled image of a strip without one, draws the embossed form of the up image.
void DrawButtonGlyph(DeviceContext& dc, Point at, const ButtonGlyph& glyph, int index);

}  // namespace tappomat
