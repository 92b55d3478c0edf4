#include "ui/classic_button_look.h"

#include <algorithm>

#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "ui/accelerator.h"
#include "ui/classic_look.h"

namespace tappomat {
namespace {

constexpr unsigned kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

bool HasGlyph(const ButtonGlyph& glyph) { return glyph.image != nullptr && !glyph.image->IsEmpty(); }

int GlyphCount(const ButtonGlyph& glyph) {
  return std::clamp(glyph.numGlyphs, 1, std::max(1, std::min(4, glyph.image->Width())));
}

Size GlyphSize(const ButtonGlyph& glyph) {
  if (!HasGlyph(glyph)) return {};
  return {glyph.image->Width() / GlyphCount(glyph), glyph.image->Height()};
}

int GlyphIndexFor(ButtonDrawState state) {
  switch (state) {
    case ButtonDrawState::Disabled: return 1;
    case ButtonDrawState::Pressed: return 2;
    case ButtonDrawState::Down: return 3;
    default: return 0;
  }
}

// Calls put(deviceX, deviceY, sourcePixel) for every pixel of the glyph image that is
// visible: not transparent and inside the clip region.
template <typename Put>
void ForEachGlyphPixel(DeviceContext& dc, Point at, const Bitmap32& image, const Rect& source, Put&& put) {
  const Pixel key = PixelRGB(image.At(0, image.Height() - 1));
  const Point device = dc.ToDevice(at);
  const Rect destination = Rect::FromSize(device.x, device.y, source.Width(), source.Height());
  dc.ForEachClipRect(destination, [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      for (int x = part.left; x < part.right; ++x) {
        const Pixel p = image.At(source.left + x - device.x, source.top + y - device.y);
        if (PixelA(p) == 0 || PixelRGB(p) == key) continue;
        put(x, y, p);
      }
    }
  });
}

// Straight-alpha "over" for glyph pixels; the result is opaque where the target was.
Pixel Blend(Pixel src, Pixel dst) {
  const int a = PixelA(src);
  if (a == 255) return src | 0xFF000000u;
  const auto mix = [a](int s, int d) { return static_cast<std::uint8_t>((s * a + d * (255 - a) + 127) / 255); };
  return MakePixel(mix(PixelR(src), PixelR(dst)), mix(PixelG(src), PixelG(dst)),
                   mix(PixelB(src), PixelB(dst)), std::max<std::uint8_t>(PixelA(dst), static_cast<std::uint8_t>(a)));
}

void DrawCaption(DeviceContext& dc, std::string_view caption, const Rect& textRect, bool enabled) {
  if (caption.empty()) return;
  if (!enabled) {
    DrawEmbossedText(dc, caption, textRect, kCaptionFormat);
    return;
  }
  DeviceContext::Saver saver(dc);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  Rect r = textRect;
  DrawText(dc, caption, r, kCaptionFormat);
}

void DrawContent(DeviceContext& dc, const Rect& client, std::string_view caption, const LogicalFont& font,
                 const ButtonGlyph& glyph, ButtonDrawState state, Point offset) {
  DeviceContext::Saver saver(dc);
  dc.SetFont(font);
  const ButtonContentLayout layout = CalcButtonLayout(client, caption, font, glyph, offset);
  if (HasGlyph(glyph)) DrawButtonGlyph(dc, layout.glyphPos, glyph, GlyphIndexFor(state));
  DrawCaption(dc, caption, layout.textRect, state != ButtonDrawState::Disabled);
}

}  // namespace

ButtonDrawState ButtonDrawStateFor(bool enabled, bool pressed, bool down, bool hot) {
  if (!enabled) return ButtonDrawState::Disabled;
  if (pressed) return ButtonDrawState::Pressed;
  if (down) return ButtonDrawState::Down;
  if (hot) return ButtonDrawState::Hot;
  return ButtonDrawState::Normal;
}

ButtonContentLayout CalcButtonLayout(const Rect& client, std::string_view caption, const LogicalFont& font,
                                     const ButtonGlyph& glyph, Point offset) {
  const Size clientSize = client.GetSize();
  const Size textSize = caption.empty() ? Size{} : GetTextExtent(font, StripHotkey(caption));
  const Size glyphSize = GlyphSize(glyph);
  const bool horizontal = glyph.layout == ButtonLayout::GlyphLeft || glyph.layout == ButtonLayout::GlyphRight;

  Point glyphPos;
  Point textPos;
  if (horizontal) {
    glyphPos.y = (clientSize.height - glyphSize.height + 1) / 2;
    textPos.y = (clientSize.height - textSize.height + 1) / 2;
  } else {
    glyphPos.x = (clientSize.width - glyphSize.width + 1) / 2;
    textPos.x = (clientSize.width - textSize.width + 1) / 2;
  }

  // Spacing means nothing unless there are both a glyph and a caption.
  int spacing = (textSize.width == 0 || glyphSize.width == 0) ? 0 : glyph.spacing;
  int margin = glyph.margin;
  const int clientExtent = horizontal ? clientSize.width : clientSize.height;
  const int glyphExtent = horizontal ? glyphSize.width : glyphSize.height;
  const int textExtent = horizontal ? textSize.width : textSize.height;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (clientExtent - glyphExtent - textExtent) / 3;
      spacing = margin;
    } else {
      margin = (clientExtent - (glyphExtent + spacing + textExtent) + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (clientExtent - (margin + glyphExtent) - textExtent) / 2;
  }

  switch (glyph.layout) {
    case ButtonLayout::GlyphLeft:
      glyphPos.x = margin;
      textPos.x = glyphPos.x + glyphSize.width + spacing;
      break;
    case ButtonLayout::GlyphRight:
      glyphPos.x = clientSize.width - margin - glyphSize.width;
      textPos.x = glyphPos.x - spacing - textSize.width;
      break;
    case ButtonLayout::GlyphTop:
      glyphPos.y = margin;
      textPos.y = glyphPos.y + glyphSize.height + spacing;
      break;
    case ButtonLayout::GlyphBottom:
      glyphPos.y = clientSize.height - margin - glyphSize.height;
      textPos.y = glyphPos.y - spacing - textSize.height;
      break;
  }
  const int dx = client.left + offset.x;
  const int dy = client.top + offset.y;
  return {{glyphPos.x + dx, glyphPos.y + dy},
          Rect::FromSize(textPos.x + dx, textPos.y + dy, textSize.width, textSize.height)};
}

void DrawButtonGlyph(DeviceContext& dc, Point at, const ButtonGlyph& glyph, int index) {
  if (!HasGlyph(glyph)) return;
  const Bitmap32& image = *glyph.image;
  const Size size = GlyphSize(glyph);
  const int count = GlyphCount(glyph);
  Bitmap32& target = dc.Target();
  if (index == 1 && count < 2) {
    // A disabled glyph made from the up image: every visible pixel that is not white becomes
    // ink, drawn in the highlight colour one pixel down and right and in the shadow colour
    // in place.
    const Rect up = Rect::FromSize(0, 0, size.width, size.height);
    const Pixel white = MakePixel(255, 255, 255);
    for (const auto& [shift, color] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
      const Pixel ink = PixelFromColor(GetSysColor(color));
      ForEachGlyphPixel(dc, {at.x + shift, at.y + shift}, image, up, [&](int x, int y, Pixel p) {
        if (PixelRGB(p) != PixelRGB(white)) target.At(x, y) = ink;
      });
    }
    return;
  }
  if (index < 0 || index >= count) index = 0;
  const Rect source = Rect::FromSize(index * size.width, 0, size.width, size.height);
  ForEachGlyphPixel(dc, at, image, source, [&](int x, int y, Pixel p) { target.At(x, y) = Blend(p, target.At(x, y)); });
}

void DrawPushButton(DeviceContext& dc, const Rect& rect, const PushButtonLook& look) {
  const bool pressed = look.state == ButtonDrawState::Pressed;
  Rect face = rect;
  if (look.isDefault || pressed) {
    FrameRect(dc, face, GetSysColor(COLOR_WINDOWFRAME));
    face = face.Inflate(-1, -1);
  }
  const bool latched = look.state == ButtonDrawState::Down;
  if (pressed) {
    FrameRect(dc, face, GetSysColor(COLOR_BTNSHADOW));
    FillRect(dc, face.Inflate(-1, -1), GetSysColor(COLOR_BTNFACE));
  } else if (latched) {
    // Latched on: sunk in, with the checked face of a toggle.
    Rect inside = face;
    DrawEdge(dc, inside, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_ADJUST);
    FillDithered(dc, inside, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
  } else {
    DrawEdge(dc, face, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
  }
  const Point offset = pressed || latched ? Point{1, 1} : Point{};
  DrawContent(dc, rect.Inflate(-2, -2), look.caption, look.font, look.glyph, look.state, offset);
  if (look.focused && look.state != ButtonDrawState::Disabled) DrawFocusRect(dc, rect.Inflate(-4, -4));
}

void DrawSpeedButton(DeviceContext& dc, const Rect& rect, const SpeedButtonLook& look) {
  const bool sunken = look.state == ButtonDrawState::Pressed || look.state == ButtonDrawState::Down;
  const ColorRef faceColor = GetSysColor(COLOR_BTNFACE);
  Rect inside = rect;
  if (look.flat) {
    FillRect(dc, rect, faceColor);
    if (sunken) {
      DrawEdge(dc, inside, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else if (look.state == ButtonDrawState::Hot) {
      DrawEdge(dc, inside, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    } else {
      inside = rect.Inflate(-1, -1);
    }
  } else {
    DrawEdge(dc, inside, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
  }
  if (look.state == ButtonDrawState::Down) {
    FillDithered(dc, inside, GetSysColor(COLOR_BTNHIGHLIGHT), faceColor);
  }
  const Point offset = sunken ? Point{1, 1} : Point{};
  DrawContent(dc, inside, look.caption, look.font, look.glyph, look.state, offset);
}

}  // namespace tappomat
