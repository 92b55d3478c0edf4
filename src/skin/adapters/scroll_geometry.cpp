#include "skin/adapters/scroll_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "gdi/system_metrics.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

int ScrollMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t n = static_cast<std::int64_t>(a) * b;
  std::int64_t q = n / c;
  const std::int64_t r = n % c;
  if (2 * std::llabs(r) >= std::llabs(static_cast<std::int64_t>(c)))
    q += (n < 0) != (c < 0) ? -1 : 1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

ThumbPlace ThumbOf(const ScrollValues& v, int barStart, int length, int button) {
  const int track = length - 2 * button;
  const int range = v.max - v.min + 1;
  ThumbPlace thumb;
  if (v.page == 0) {
    thumb.length = button;
  } else if (range >= 1) {
    thumb.length = ScrollMulDiv(v.page, track, range);
    if (button == 0 && thumb.length < 19) {
      thumb.length = 19;
    } else if (thumb.length < kMinThumbLength) {
      thumb.length = kMinThumbLength;
    }
  }
  int offset = 0;
  if (range >= 1) {
    // A zero divisor gives -1 here, so a page covering the range leaves the thumb at the
    // start; a thumb longer than the track ends where the track ends.
    offset = ScrollMulDiv(v.pos - v.min, track - thumb.length, range - std::max(1, v.page));
    if (offset < 0) offset = 0;
    if (offset >= track - thumb.length) offset = track - thumb.length;
  }
  thumb.start = barStart + button + offset;
  return thumb;
}

int PartAlong(const ScrollValues& v, int barStart, int length, int button, int along) {
  const int arrow = 2 * button < length ? button : length / 2;
  if (along >= barStart && along < barStart + arrow) return kPartFirstArrow;
  if (along >= barStart + length - arrow && along < barStart + length) return kPartSecondArrow;
  const ThumbPlace thumb = ThumbOf(v, barStart, length, button);
  if (thumb.length >= length - 2 * button) return kPartNone;
  if (along >= thumb.start && along < thumb.start + thumb.length) return kPartThumb;
  if (along >= barStart + arrow && along < thumb.start) return kPartTrackBefore;
  if (along >= thumb.start + thumb.length && along < barStart + length - arrow)
    return kPartTrackAfter;
  return kPartNone;
}

int PartAt(const ScrollValues& v, const Rect& bar, bool vertical, int button, Point p) {
  if (!bar.Contains(p)) return kPartNone;
  return vertical ? PartAlong(v, bar.top, bar.Height(), button, p.y)
                  : PartAlong(v, bar.left, bar.Width(), button, p.x);
}

int DragPosition(const ScrollValues& v, bool vertical, int thumbOffset, int trackLength,
                 int thumbLength) {
  const int range = v.max - v.min;
  if (range < 1) return thumbOffset;
  const int room = trackLength - thumbLength;
  if (!vertical) return ScrollMulDiv(thumbOffset, range - v.page + 1, room);
  if (room == thumbOffset) return range - v.page + 2;
  return ScrollMulDiv(thumbOffset, range - v.page + 2, room);
}

int ScrollBarThickness(const TsSkinManager* manager) {
  if (manager != nullptr && manager->ScrollsOptions.ScrollSize >= 0)
    return manager->ScrollsOptions.ScrollSize;
  return GetSystemMetrics(SM_CXVSCROLL);
}

namespace {

bool SkinHasNoButtons(const SkinTables& tables, bool vertical) {
  const int track =
      tables.indices.Of(vertical ? SkinSectionId::SCROLLBAR1V : SkinSectionId::SCROLLBAR1H).section;
  return track >= 0 && tables.sections[static_cast<std::size_t>(track)].reservedBoolean;
}

}  // namespace

int ButtonLengthForGeometry(const SkinTables& tables, bool vertical, int thickness) {
  return SkinHasNoButtons(tables, vertical) ? 0 : thickness;
}

int ButtonLengthForPainting(const SkinTables& tables, bool vertical, int thickness) {
  if (SkinHasNoButtons(tables, vertical)) return 0;
  // A skin may draw its buttons longer or shorter than the bar is thick: it says so on the
  // left button and gives the length through the button masks.
  const SectionIndices& left = tables.indices.Of(SkinSectionId::SCROLLBTNLEFT);
  if (left.section < 0 ||
      !tables.sections[static_cast<std::size_t>(left.section)].reservedBoolean ||
      left.borderMask < 0)
    return thickness;
  const int maskIndex =
      vertical ? tables.indices.Of(SkinSectionId::SCROLLBTNTOP).borderMask : left.borderMask;
  if (maskIndex < 0 || maskIndex >= static_cast<int>(tables.masks.size())) return thickness;
  const TsMaskData& mask = tables.masks[static_cast<std::size_t>(maskIndex)];
  return (vertical ? mask.FrameHeight() : mask.FrameWidth()) + thickness - 17;
}

Rect HorizontalBarRect(const Rect& window, const ScrollFrame& f) {
  Rect r{window.left + f.left, 0, window.right - f.right, window.bottom - f.bottom};
  if (f.vVisible)
    (f.leftScrollBar ? r.left : r.right) += f.leftScrollBar ? f.thickness : -f.thickness;
  r.top = f.hVisible ? r.bottom - f.thickness : r.bottom;
  return r;
}

Rect VerticalBarRect(const Rect& window, const ScrollFrame& f) {
  Rect r{0, window.top + f.top, 0, window.bottom - f.bottom - (f.hVisible ? f.thickness : 0)};
  if (f.leftScrollBar) {
    r.left = window.left + f.left;
    r.right = f.vVisible ? r.left + f.thickness : r.left;
  } else {
    r.right = window.right - f.right;
    r.left = f.vVisible ? r.right - f.thickness : r.right;
  }
  return r;
}

Rect CornerBoxRect(const Rect& window, const ScrollFrame& f) {
  if (!f.hVisible || !f.vVisible) return {};
  const Rect v = VerticalBarRect(window, f);
  return {v.left, v.bottom, v.right, v.bottom + f.thickness};
}

}  // namespace tappomat
