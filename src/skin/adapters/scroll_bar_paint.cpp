#include "skin/adapters/scroll_bar_paint.h"

#include <algorithm>

#include "skin/paint/mask_paint.h"

namespace tappomat {
namespace {

// A rectangle from `from` to `to` along the bar, across its whole thickness.
Rect Along(const ScrollBarLook& look, int from, int to) {
  return look.vertical ? Rect{0, from, look.thickness, to} : Rect{from, 0, to, look.thickness};
}

void Section(Bitmap32& picture, const Rect& r, const SkinTables& tables, int section, int state,
             const ParentBackground& background) {
  if (section < 0 || r.IsEmpty()) return;
  SectionPaint paint;
  paint.sectionIndex = section;
  paint.paintState = state;
  PaintSection(picture, r, tables, paint, background);
}

// The glyph mask centred in `box`.
void Glyph(Bitmap32& picture, const Rect& box, const SkinTables& tables, int maskIndex, int state) {
  const TsMaskData* mask = MaskAt(tables, maskIndex);
  if (mask == nullptr) return;
  const Point at{box.left + (box.Width() - mask->FrameWidth()) / 2,
                 box.top + (box.Height() - mask->FrameHeight()) / 2};
  DrawImageMask(picture, at, state, tables, maskIndex);
}

// One arrow button over [from, to), painted into its own picture; its glyph sits in the
// square of side T at the bar's end it belongs to.
void Button(Bitmap32& picture, const ScrollBarLook& look, const SkinTables& tables, int section,
            int glyph, int state, int from, int to, bool first) {
  if (to <= from) return;
  const Rect place = Along(look, from, to);
  Bitmap32 button(place.Width(), place.Height());
  ParentBackground background = look.background;
  background.offset = {background.offset.x + place.left, background.offset.y + place.top};
  Section(button, button.Bounds(), tables, section, state, background);
  const int t = look.thickness;
  const int squareStart = first ? 0 : (to - from) - t;
  const Rect square =
      look.vertical ? Rect::FromSize(0, squareStart, t, t) : Rect::FromSize(squareStart, 0, t, t);
  Glyph(button, square, tables, glyph, state);
  for (int y = 0; y < button.Height(); ++y)
    for (int x = 0; x < button.Width(); ++x)
      if (picture.Bounds().Contains(Point{place.left + x, place.top + y}))
        picture.At(place.left + x, place.top + y) = button.At(x, y);
}

// The thumb over the track: its see-through corners show the track, not the window.
void Thumb(Bitmap32& picture, const ScrollBarLook& look, const SkinTables& tables,
           const ScrollBarSections& s, int from, int to, int state) {
  const Rect place = Along(look, from, to);
  const Bitmap32 under = picture;
  ParentBackground track;
  track.image = &under;
  track.ready = true;
  track.fill = look.background.fill;
  Section(picture, place, tables, s.thumb, state, track);
  Glyph(picture, place, tables, s.thumbGlyph, state);
}

Bitmap32 NewPicture(const ScrollBarLook& look) {
  return look.vertical ? Bitmap32(look.thickness, look.length)
                       : Bitmap32(look.length, look.thickness);
}

}  // namespace

ScrollBarSections ScrollBarSectionsOf(const SkinTables& tables, bool vertical) {
  const WellKnownIndices& ids = tables.indices;
  ScrollBarSections s;
  s.trackBefore =
      ids.Of(vertical ? SkinSectionId::SCROLLBAR1V : SkinSectionId::SCROLLBAR1H).section;
  s.trackAfter = ids.Of(vertical ? SkinSectionId::SCROLLBAR2V : SkinSectionId::SCROLLBAR2H).section;
  const SectionIndices& first =
      ids.Of(vertical ? SkinSectionId::SCROLLBTNTOP : SkinSectionId::SCROLLBTNLEFT);
  const SectionIndices& second =
      ids.Of(vertical ? SkinSectionId::SCROLLBTNBOTTOM : SkinSectionId::SCROLLBTNRIGHT);
  const SectionIndices& thumb =
      ids.Of(vertical ? SkinSectionId::SCROLLSLIDERV : SkinSectionId::SCROLLSLIDERH);
  s.firstButton = first.section;
  s.firstGlyph = first.glyphMask;
  s.secondButton = second.section;
  s.secondGlyph = second.glyphMask;
  s.thumb = thumb.section;
  s.thumbGlyph = thumb.glyphMask;
  return s;
}

Bitmap32 PaintScrollBar(const SkinTables& tables, const ScrollBarLook& look) {
  const ScrollBarSections s = ScrollBarSectionsOf(tables, look.vertical);
  const int len = look.length;
  if (s.trackBefore < 0 || len <= 1 || look.thickness <= 0) return {};
  Bitmap32 picture = NewPicture(look);
  const int b = look.paintedButton;
  if (2 * b < len) {
    const ThumbPlace thumb = ThumbOf(look.values, 0, len, look.geometryButton);
    const int split = thumb.length / 2 + thumb.start;
    Section(picture, Along(look, 0, split), tables, s.trackBefore,
            look.shownPart == kPartTrackBefore ? 2 : 0, look.background);
    Section(picture, Along(look, split, len), tables, s.trackAfter,
            look.shownPart == kPartTrackAfter ? 2 : 0, look.background);
    Button(picture, look, tables, s.firstButton, s.firstGlyph, look.firstArrowState, 0, b, true);
    Button(picture, look, tables, s.secondButton, s.secondGlyph, look.secondArrowState, len - b,
           len, false);
    // The thumb is left out when the page shows the whole range (nothing to scroll) and on
    // a track with no room for it.
    const int track = len - 2 * b;
    const int range = look.values.max - look.values.min;
    int room = ScrollMulDiv(look.values.page, track, range);
    if (room < kMinThumbLength || room < track - 1) room = std::min(kMinThumbLength, track - 1);
    const bool scrollable = look.values.page <= range;
    if (look.enabled && scrollable && room > 0 && track >= room) {
      Thumb(picture, look, tables, s, thumb.start, thumb.start + thumb.length, look.thumbState);
    }
  } else {
    const int half = len / 2;
    Section(picture, Along(look, 0, half), tables, s.trackBefore, 0, look.background);
    Section(picture, Along(look, half, len), tables, s.trackAfter, 0, look.background);
    Button(picture, look, tables, s.firstButton, s.firstGlyph, look.firstArrowState, 0, half, true);
    Button(picture, look, tables, s.secondButton, s.secondGlyph, look.secondArrowState, half, len,
           false);
  }
  if (!look.enabled) BlendDisabled(picture, look.background);
  return picture;
}

Bitmap32 PaintDraggedScrollBar(const SkinTables& tables, const ScrollBarLook& look, int thumbStart,
                               int thumbLength) {
  const ScrollBarSections s = ScrollBarSectionsOf(tables, look.vertical);
  const int len = look.length;
  if (s.trackBefore < 0 || len <= 1 || look.thickness <= 0) return {};
  Bitmap32 picture = NewPicture(look);
  const int split = thumbStart + thumbLength / 2;
  Section(picture, Along(look, 0, split), tables, s.trackBefore, 0, look.background);
  Section(picture, Along(look, split, len), tables, s.trackAfter, 0, look.background);
  const int b = look.paintedButton;
  if (b != 0) {
    Button(picture, look, tables, s.firstButton, s.firstGlyph, 0, 0, b, true);
    Button(picture, look, tables, s.secondButton, s.secondGlyph, 0, len - b, len, false);
  }
  Thumb(picture, look, tables, s, thumbStart, thumbStart + thumbLength, 2);
  return picture;
}

void BlendDisabled(Bitmap32& bar, const ParentBackground& background) {
  const bool picture = background.ready && background.image != nullptr;
  for (int y = 0; y < bar.Height(); ++y) {
    for (int x = 0; x < bar.Width(); ++x) {
      Pixel& own = bar.At(x, y);
      if (picture) {
        const int bx = x + background.offset.x, by = y + background.offset.y;
        if (bx < 0 || by < 0 || bx >= background.image->Width() || by >= background.image->Height())
          continue;
        const Pixel under = background.image->At(bx, by);
        if (IsFuchsia(under)) continue;
        // 0.6 x background + 0.4 x own, to the nearest integer.
        const auto mix = [](int b, int o) {
          return static_cast<std::uint8_t>((6 * b + 4 * o + 5) / 10);
        };
        own = MakePixel(mix(PixelR(under), PixelR(own)), mix(PixelG(under), PixelG(own)),
                        mix(PixelB(under), PixelB(own)));
      } else if (background.fill != kFuchsia) {
        const ColorRef c = background.fill;
        const auto mix = [](int colour, int o) {
          return static_cast<std::uint8_t>(colour + ((o - colour) * 153) / 256);
        };
        own = MakePixel(mix(GetRValue(c), PixelR(own)), mix(GetGValue(c), PixelG(own)),
                        mix(GetBValue(c), PixelB(own)));
      }
    }
  }
}

Bitmap32 PaintCornerBox(const SkinTables& tables, int thickness, const ParentBackground& background,
                        bool grip) {
  if (thickness <= 0) return {};
  Bitmap32 box(thickness, thickness);
  if (background.ready && background.image != nullptr) {
    for (int y = 0; y < thickness; ++y)
      for (int x = 0; x < thickness; ++x) {
        const int bx = x + background.offset.x, by = y + background.offset.y;
        if (bx >= 0 && by >= 0 && bx < background.image->Width() && by < background.image->Height())
          box.At(x, y) = background.image->At(bx, by) | 0xFF000000u;
      }
  } else {
    ColorRef colour = background.fill == kFuchsia ? tables.colors.global : background.fill;
    // The skin's colour stands in, unless the skin leaves its tracks wholly see-through.
    const int track = tables.indices.Of(SkinSectionId::SCROLLBAR1H).section;
    if (!(track >= 0 &&
          tables.sections[static_cast<std::size_t>(track)].props[0].transparency == 100))
      colour = tables.colors.global;
    box.Fill(PixelFromColor(colour));
  }
  if (grip) {
    const int index = tables.indices.Of(GlobalImage::GRIPIMAGE);
    if (const TsMaskData* mask = MaskAt(tables, index))
      DrawImageMask(box, {thickness - mask->FrameWidth(), thickness - mask->FrameHeight()}, 0,
                    tables, index);
  }
  return box;
}

}  // namespace tappomat
