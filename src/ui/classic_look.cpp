#include "ui/classic_look.h"

#include <algorithm>

#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/text.h"

namespace tappomat {

void DrawEmbossedText(DeviceContext& dc, std::string_view text, const Rect& rect, unsigned format) {
  DeviceContext::Saver saver(dc);
  dc.SetBkMode(BkMode::Transparent);
  Rect shadow = rect.Offset(1, 1);
  dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawText(dc, text, shadow, format);
  Rect face = rect;
  dc.SetTextColor(GetSysColor(COLOR_BTNSHADOW));
  DrawText(dc, text, face, format);
}

void FillDithered(DeviceContext& dc, const Rect& rect, ColorRef first, ColorRef second) {
  const Pixel a = PixelFromColor(first);
  const Pixel b = PixelFromColor(second);
  Bitmap32& target = dc.Target();
  dc.ForEachClipRect(dc.ToDevice(rect), [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = target.Row(y);
      for (int x = part.left; x < part.right; ++x) row[x] = ((x + y) & 1) == 0 ? a : b;
    }
  });
}

void DrawCheckMark(DeviceContext& dc, Point at, ColorRef color) {
  // Seven columns of three pixels: down-right for three columns, then up-right.
  for (int column = 0; column < 7; ++column) {
    const int top = column <= 2 ? 2 + column : 6 - column;
    const int x = at.x + column;
    DrawLine(dc, {x, at.y + top}, {x, at.y + top + 3}, color);
  }
}

Rect DrawEditFrame(DeviceContext& dc, const Rect& rect, const EditFrameLook& look) {
  Rect inside = rect;
  DrawEdge(dc, inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, inside, GetSysColor(look.enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  return inside;
}

namespace {

// A 7x4 triangle pointing down, rows of 7, 5, 3 and 1 pixels.
void DrawDownTriangle(DeviceContext& dc, Point at, ColorRef color) {
  for (int row = 0; row < 4; ++row) {
    FillRect(dc, Rect::FromSize(at.x + row, at.y + row, 7 - 2 * row, 1), color);
  }
}

}  // namespace

void DrawComboArrowButton(DeviceContext& dc, const Rect& rect, const ComboButtonLook& look) {
  Rect face = rect;
  if (look.pressed) {
    // The pressed combo button is drawn flat (BF_FLAT): a shadow frame only.
    DrawEdge(dc, face, EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE);
  } else {
    DrawEdge(dc, face, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  Point at{rect.left + (rect.Width() - 7) / 2, rect.top + (rect.Height() - 4) / 2};
  if (look.pressed) at = {at.x + 1, at.y + 1};
  if (look.enabled) {
    DrawDownTriangle(dc, at, GetSysColor(COLOR_BTNTEXT));
  } else {
    DrawDownTriangle(dc, {at.x + 1, at.y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawDownTriangle(dc, at, GetSysColor(COLOR_BTNSHADOW));
  }
}

void DrawListItem(DeviceContext& dc, const Rect& rect, const ListItemLook& look) {
  DeviceContext::Saver saver(dc);
  const bool highlighted = look.selected && look.enabled;
  FillRect(dc, rect, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  dc.SetFont(look.font);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(GetSysColor(!look.enabled  ? COLOR_GRAYTEXT
                              : highlighted ? COLOR_HIGHLIGHTTEXT
                                            : COLOR_WINDOWTEXT));
  Rect text{rect.left + 2, rect.top, rect.right, rect.bottom};
  DrawText(dc, look.text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (look.focused) DrawFocusRect(dc, rect);
}

void DrawGridCell(DeviceContext& dc, const Rect& rect, const GridCellLook& look) {
  DeviceContext::Saver saver(dc);
  const bool fixed = look.kind == GridCellKind::Fixed;
  Rect cell = rect;
  if (look.gridLines) {
    const ColorRef line = fixed ? kGridFixedLineColor : kGridLineColor;
    FillRect(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, line);
    FillRect(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, line);
    cell = {rect.left, rect.top, rect.right - 1, rect.bottom - 1};
  }
  if (cell.IsEmpty()) return;

  ColorRef background = GetSysColor(COLOR_WINDOW);
  ColorRef textColor = GetSysColor(COLOR_WINDOWTEXT);
  if (fixed) {
    background = GetSysColor(COLOR_BTNFACE);
    textColor = GetSysColor(COLOR_BTNTEXT);
  } else if (look.selected) {
    background = GetSysColor(COLOR_HIGHLIGHT);
    textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  FillRect(dc, cell, background);
  if (fixed) {
    Rect edge = cell;
    DrawEdge(dc, edge, BDR_RAISEDINNER, BF_RECT);
  }
  // Canvas.TextRect(cell, left + 2, top + 2, text): the text is cut at the cell.
  dc.IntersectClipRect(cell);
  dc.SetFont(look.font);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(textColor);
  TextOut(dc, cell.left + 2, cell.top + 2, look.text);
  if (look.focused) DrawFocusRect(dc, cell);
}

void Frame3D(DeviceContext& dc, Rect& rect, ColorRef topLeft, ColorRef bottomRight, int width) {
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    const Rect& r = rect;
    FillRect(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillRect(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillRect(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    rect = rect.Inflate(-1, -1);
  }
}

namespace {

void PanelBevelColors(PanelBevel bevel, ColorRef& topLeft, ColorRef& bottomRight) {
  const bool lowered = bevel == PanelBevel::Lowered;
  topLeft = GetSysColor(lowered ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
  bottomRight = GetSysColor(lowered ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
}

}  // namespace

Rect DrawPanel(DeviceContext& dc, const Rect& rect, const PanelLook& look) {
  DeviceContext::Saver saver(dc);
  Rect inside = rect;
  ColorRef topLeft = 0;
  ColorRef bottomRight = 0;
  if (look.bevelOuter != PanelBevel::None) {
    PanelBevelColors(look.bevelOuter, topLeft, bottomRight);
    Frame3D(dc, inside, topLeft, bottomRight, look.bevelWidth);
  }
  Frame3D(dc, inside, look.color, look.color, look.borderWidth);
  if (look.bevelInner != PanelBevel::None) {
    PanelBevelColors(look.bevelInner, topLeft, bottomRight);
    Frame3D(dc, inside, topLeft, bottomRight, look.bevelWidth);
  }
  if (inside.IsEmpty()) return inside;
  FillRect(dc, inside, look.color);
  if (!look.caption.empty()) {
    dc.SetFont(look.font);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(look.textColor);
    // As TCustomPanel.Paint: one text line high, centred in the inside.
    const int lineHeight = GetTextMetrics(look.font).height;
    const int top = (inside.top + inside.bottom - lineHeight) / 2;
    Rect line{inside.left, top, inside.right, top + lineHeight};
    const unsigned align = look.alignment == TextAlignment::Center ? DT_CENTER
                           : look.alignment == TextAlignment::Right ? DT_RIGHT
                                                                    : DT_LEFT;
    DrawText(dc, look.caption, line, DT_EXPANDTABS | DT_SINGLELINE | align);
  }
  return inside;
}

void DrawGroupFrame(DeviceContext& dc, const Rect& rect, const GroupFrameLook& look) {
  DeviceContext::Saver saver(dc);
  dc.SetFont(look.font);
  const int lineHeight = GetTextMetrics(look.font).height;
  Rect frame{rect.left, rect.top + lineHeight / 2, rect.right, rect.bottom};
  DrawEdge(dc, frame, EDGE_ETCHED, BF_RECT);
  if (look.caption.empty()) return;
  Rect text{rect.left + 8, rect.top, rect.right - 8, rect.top + lineHeight};
  Rect measured = text;
  DrawText(dc, look.caption, measured, DT_SINGLELINE | DT_CALCRECT);
  // The caption sits on a face-coloured gap in the top line, one pixel wider each side.
  text.right = std::min(text.right, measured.right);
  FillRect(dc, {text.left - 1, text.top, text.right + 1, text.bottom}, GetSysColor(COLOR_BTNFACE));
  if (look.enabled) {
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, look.caption, text, DT_SINGLELINE);
  } else {
    DrawEmbossedText(dc, look.caption, text, DT_SINGLELINE);
  }
}

}  // namespace tappomat
