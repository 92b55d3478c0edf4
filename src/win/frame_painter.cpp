#include "win/frame_painter.h"

#include <span>

#include "gdi/blit.h"
#include "gdi/draw_edge.h"
#include "gdi/gradient.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"
#include "gdi/text.h"
#include "win/messages.h"
#include "win/styles.h"

namespace tappomat {
namespace {

// Glyphs as runs of pixels {x, y, width, height} relative to the glyph's corner, sized
// for the classic caption button (16x14).
struct Run {
  int x, y, width, height;
};

// "x": two strokes two pixels wide, 8 wide and 7 high.
constexpr Run kCloseGlyph[] = {
    {0, 0, 2, 1}, {6, 0, 2, 1}, {1, 1, 2, 1}, {5, 1, 2, 1}, {2, 2, 4, 1}, {3, 3, 2, 1},
    {2, 4, 4, 1}, {1, 5, 2, 1}, {5, 5, 2, 1}, {0, 6, 2, 1}, {6, 6, 2, 1},
};
// The smaller "x" of tool windows: 6 wide and 5 high.
constexpr Run kSmallCloseGlyph[] = {
    {0, 0, 2, 1}, {4, 0, 2, 1}, {1, 1, 4, 1}, {2, 2, 2, 1}, {1, 3, 4, 1}, {0, 4, 2, 1}, {4, 4, 2, 1},
};
// "_": a bar 6 wide and 2 high at the bottom.
constexpr Run kMinimizeGlyph[] = {{0, 0, 6, 2}};
// A window: 9 by 9 with a thick title line.
constexpr Run kMaximizeGlyph[] = {{0, 0, 9, 2}, {0, 2, 1, 7}, {8, 2, 1, 7}, {0, 8, 9, 1}};
// Two overlapping windows, 6 by 6 each; the back one is hidden where the front one lies.
constexpr Run kRestoreGlyph[] = {
    {2, 0, 6, 2}, {7, 2, 1, 4}, {6, 5, 1, 1}, {2, 2, 1, 1},  // back window
    {0, 3, 6, 2}, {0, 5, 1, 4}, {5, 5, 1, 4}, {0, 8, 6, 1},  // front window
};

struct GlyphShape {
  std::span<const Run> runs;
  Point offset;  // from the button's top-left corner
};

GlyphShape ShapeOf(CaptionGlyph glyph, const Rect& button) {
  const bool small = button.Width() < GetSystemMetrics(SM_CXSIZE) - 2;
  switch (glyph) {
    case CaptionGlyph::Close:
      return small ? GlyphShape{kSmallCloseGlyph, {2, 2}} : GlyphShape{kCloseGlyph, {4, 3}};
    case CaptionGlyph::Minimize:
      return {kMinimizeGlyph, {4, 9}};
    case CaptionGlyph::Maximize:
      return {kMaximizeGlyph, {3, 2}};
    case CaptionGlyph::Restore:
      return {kRestoreGlyph, {3, 2}};
  }
  return {};
}

void DrawRuns(DeviceContext& dc, std::span<const Run> runs, Point at, ColorRef color) {
  for (const Run& r : runs) FillRect(dc, Rect::FromSize(at.x + r.x, at.y + r.y, r.width, r.height), color);
}

bool HasCaption(std::uint32_t style) { return (style & WS_CAPTION) == WS_CAPTION; }

// The window frame from the outside in: static or raised edge, sizing line, border line.
void PaintWindowFrame(DeviceContext& dc, const NonClientLayout& layout, const FrameLook& look) {
  const std::uint32_t style = look.style;
  const std::uint32_t ex = look.exStyle;
  Rect r = layout.window;
  if ((ex & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE) {
    DrawEdge(dc, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  } else if ((style & (WS_THICKFRAME | WS_DLGFRAME)) || (ex & WS_EX_DLGMODALFRAME)) {
    DrawEdge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  }
  if (style & WS_THICKFRAME) {
    const ColorRef border = GetSysColor(look.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    for (int i = GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME); i > 0; --i) {
      FrameRect(dc, r, border);
      r = r.Inflate(-1, -1);
    }
  }
  if ((style & (WS_BORDER | WS_DLGFRAME)) || (ex & WS_EX_DLGMODALFRAME)) {
    // Dialog and sizing frames end in button face; a plain border is a dark line.
    int color = COLOR_WINDOWFRAME;
    if (ex & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE)) {
      color = COLOR_3DFACE;
    } else if (!(ex & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME))) {
      color = COLOR_3DFACE;
    }
    FrameRect(dc, r, GetSysColor(color));
  }
}

void PaintCaption(DeviceContext& dc, const NonClientLayout& layout, const FrameLook& look) {
  Rect bar = layout.caption;
  const bool staticLine =
      (look.exStyle & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE;
  FillRect(dc, {bar.left, bar.bottom - 1, bar.right, bar.bottom},
           GetSysColor(staticLine ? COLOR_WINDOWFRAME : COLOR_3DFACE));
  bar.bottom -= 1;
  GradientRect(dc, bar, GetSysColor(look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION),
               GetSysColor(look.active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION),
               GradientDirection::Horizontal);

  if (look.icon && !look.icon->IsEmpty() && !layout.icon.IsEmpty()) {
    AlphaBlend(dc, layout.icon.TopLeft(), *look.icon, {0, 0, layout.icon.Width(), layout.icon.Height()},
               255, AlphaMode::PerPixel);
  }

  if (!look.text.empty() && !layout.captionText.IsEmpty()) {
    DeviceContext::Saver saved(dc);
    dc.SetFont(CaptionFont());
    dc.SetTextColor(GetSysColor(look.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    dc.SetBkMode(BkMode::Transparent);
    Rect text = layout.captionText;
    DrawText(dc, look.text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS);
  }

  auto state = [&look](LRESULT button, bool enabled) {
    if (!enabled) return CaptionButtonState::Disabled;
    return look.pushedButton == button ? CaptionButtonState::Pushed : CaptionButtonState::Normal;
  };
  if (!layout.closeButton.IsEmpty()) {
    DrawCaptionButton(dc, layout.closeButton, CaptionGlyph::Close, state(HTCLOSE, true));
  }
  if (!layout.maxButton.IsEmpty()) {
    DrawCaptionButton(dc, layout.maxButton, look.maximized ? CaptionGlyph::Restore : CaptionGlyph::Maximize,
                      state(HTMAXBUTTON, (look.style & WS_MAXIMIZEBOX) != 0));
  }
  if (!layout.minButton.IsEmpty()) {
    DrawCaptionButton(dc, layout.minButton, CaptionGlyph::Minimize,
                      state(HTMINBUTTON, (look.style & WS_MINIMIZEBOX) != 0));
  }
}

}  // namespace

LogicalFont CaptionFont() {
  LogicalFont font;
  font.name = "MS Sans Serif";
  font.height = -11;
  font.bold = true;
  return font;
}

void DrawCaptionButton(DeviceContext& dc, const Rect& rect, CaptionGlyph glyph,
                       CaptionButtonState state) {
  Rect face = rect;
  const bool pushed = state == CaptionButtonState::Pushed;
  DrawEdge(dc, face, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | (pushed ? 0u : BF_SOFT));
  const GlyphShape shape = ShapeOf(glyph, rect);
  Point at{rect.left + shape.offset.x, rect.top + shape.offset.y};
  if (pushed) at = {at.x + 1, at.y + 1};
  if (state == CaptionButtonState::Disabled) {
    DrawRuns(dc, shape.runs, {at.x + 1, at.y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawRuns(dc, shape.runs, at, GetSysColor(COLOR_BTNSHADOW));
  } else {
    DrawRuns(dc, shape.runs, at, GetSysColor(COLOR_BTNTEXT));
  }
}

void PaintClassicFrame(DeviceContext& dc, const NonClientLayout& layout, const FrameLook& look) {
  PaintWindowFrame(dc, layout, look);
  if (HasCaption(look.style) && !layout.caption.IsEmpty()) PaintCaption(dc, layout, look);
  if (!layout.clientEdge.IsEmpty()) {
    Rect edge = layout.clientEdge;
    DrawEdge(dc, edge, EDGE_SUNKEN, BF_RECT);
  }
  if (!layout.sizeBox.IsEmpty()) FillRect(dc, layout.sizeBox, GetSysColor(COLOR_BTNFACE));
}

}  // namespace tappomat
