#include "skin/window/window_picture.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/text.h"
#include "imaging/blend.h"
#include "imaging/stretch.h"
#include "skin/common/caption_look.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/skinned_text.h"
#include "win/frame_painter.h"

namespace tappomat {
namespace {

// The state record of a section for the window's active flag.
int StateFor(const SkinTables& tables, int section, int active) {
  if (section < 0 || section >= static_cast<int>(tables.sections.size())) return 0;
  return StateRecordOf(tables.sections[static_cast<std::size_t>(section)], active);
}

void PaintBar(Bitmap32& picture, const SkinTables& tables, const WindowPictureParts& parts,
              const Rect& area) {
  SectionPaint paint;
  paint.sectionIndex = parts.titleSection;
  paint.paintState = parts.active;
  ParentBackground behind;
  behind.fill = tables.colors.global;
  // The bar is painted whole and `area` copied from it, so that a part painted again
  // (a caption button's place) matches the rest of the bar pixel for pixel.
  const Rect bar = parts.caption.bar;
  if (area == bar) {
    PaintSection(picture, bar, tables, paint, behind);
    return;
  }
  Bitmap32 whole(bar.Width(), bar.Height());
  PaintSection(whole, whole.Bounds(), tables, paint, behind);
  const Rect part = area.Intersect(bar);
  if (part.IsEmpty()) return;
  DeviceContext dc(picture);
  BitBlt(dc, part.left, part.top, part.Width(), part.Height(), whole, part.left - bar.left,
         part.top - bar.top, SRCCOPY);
}

CaptionGlyph ClassicGlyph(CaptionButtonKind kind, bool maximized) {
  switch (kind) {
    case CaptionButtonKind::Maximize:
      return maximized ? CaptionGlyph::Restore : CaptionGlyph::Maximize;
    case CaptionButtonKind::Minimize:
      return CaptionGlyph::Minimize;
    default:
      return CaptionGlyph::Close;
  }
}

void PaintButton(Bitmap32& picture, const SkinTables& tables, const WindowPictureParts& parts,
                 CaptionButtonKind kind) {
  const CaptionButtonPlace& place = parts.caption.buttons[static_cast<std::size_t>(kind)];
  if (place.rect.IsEmpty()) return;
  const int state = parts.buttonStates[static_cast<std::size_t>(kind)];
  if (MaskAt(tables, place.maskIndex) != nullptr) {
    DrawImageMask(picture, place.rect.TopLeft(), state, tables, place.maskIndex);
    return;
  }
  // A skin without the button's image: the classic button keeps it usable.
  DeviceContext dc(picture);
  DrawCaptionButton(dc, place.rect, ClassicGlyph(kind, false),
                    state == 2 ? CaptionButtonState::Pushed : CaptionButtonState::Normal);
}

void PaintTitle(Bitmap32& picture, const SkinTables& tables, const WindowPictureParts& parts,
                std::size_t index) {
  if (index >= parts.caption.titleButtons.size()) return;
  const CaptionButtonPlace& place = parts.caption.titleButtons[index];
  if (place.rect.IsEmpty()) return;
  const int state = index < parts.titleStates.size() ? parts.titleStates[index] : 0;
  DrawImageMask(picture, place.rect.TopLeft(), state, tables, place.maskIndex);
  const Bitmap32* glyph = index < parts.titleGlyphs.size() ? parts.titleGlyphs[index] : nullptr;
  if (glyph == nullptr || glyph->IsEmpty()) return;
  // The glyph in the middle of the button, one pixel further while pressed.
  const int shift = state == 2 ? 1 : 0;
  const Point at{place.rect.left + (place.rect.Width() - glyph->Width()) / 2 + shift,
                 place.rect.top + (place.rect.Height() - glyph->Height()) / 2 + shift};
  AlphaBlend(picture, at, *glyph, glyph->Bounds(), 255, AlphaMode::PerPixel);
}

void PaintIcon(Bitmap32& picture, const WindowPictureParts& parts) {
  const Rect at = parts.caption.icon;
  if (at.IsEmpty() || parts.icon == nullptr || parts.icon->IsEmpty()) return;
  if (parts.icon->GetSize() == at.GetSize()) {
    AlphaBlend(picture, at.TopLeft(), *parts.icon, parts.icon->Bounds(), 255, AlphaMode::PerPixel);
    return;
  }
  Bitmap32 scaled(at.Width(), at.Height(), 0);
  StretchCopy(scaled, scaled.Bounds(), scaled.Bounds(), *parts.icon, parts.icon->Bounds(),
              StretchMode::Nearest);
  AlphaBlend(picture, at.TopLeft(), scaled, scaled.Bounds(), 255, AlphaMode::PerPixel);
}

unsigned TextFlags(const WindowPictureParts& parts, DeviceContext& dc, const Rect& area) {
  unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  TAlignment alignment = parts.alignment;
  if (parts.rightToLeft) {
    flags |= DT_RTLREADING;
    if (alignment == TAlignment::taLeftJustify) alignment = TAlignment::taRightJustify;
    else if (alignment == TAlignment::taRightJustify) alignment = TAlignment::taLeftJustify;
  }
  if (alignment == TAlignment::taCenter) return flags | DT_CENTER;
  if (alignment == TAlignment::taRightJustify) {
    // Flush right only while the whole text fits; else it starts at the left and ends in
    // an ellipsis like any other caption.
    Rect measured = area;
    DrawText(dc, parts.text, measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    if (measured.Width() <= area.Width()) return flags | DT_RIGHT;
  }
  return flags;
}

void PaintText(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts) {
  const SkinTables& tables = data.SkinManager()->Tables();
  Rect area = parts.caption.text;
  if (area.IsEmpty() || parts.titleSection < 0) return;
  const int record = StateFor(tables, parts.titleSection, parts.active);
  DeviceContext dc(picture);
  dc.SetFont(CaptionFont());
  if (parts.caption.captionSection) {
    const int caption = tables.indices.Of(SkinSectionId::CAPTION).section;
    SectionPaint paint;
    paint.sectionIndex = caption;
    paint.paintState = parts.active;
    ParentBackground behind;
    behind.image = &picture;
    behind.ready = true;
    PaintSection(picture, area.Inflate(4, 2), tables, paint, behind);
  }
  const TsGeneralData& title = tables.sections[static_cast<std::size_t>(parts.titleSection)];
  const SkinnedTextLook look = SectionTextLook(data, title, record, true);
  const unsigned flags = TextFlags(parts, dc, area);
  DrawSkinnedText(dc, CaptionFont(), parts.text, area, flags, look);
  if (parts.addedText.empty()) return;
  Rect used = area;
  DrawText(dc, parts.text, used, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  Rect added{std::min(area.right, used.right + 4), area.top, area.right, area.bottom};
  SkinnedTextLook addedLook = look;
  if (parts.active == 0) addedLook.text = MixColors(look.text, data.SkinManager()->Tables().colors.global, 0.5);
  DrawSkinnedText(dc, CaptionFont(), parts.addedText, added, flags & ~(DT_CENTER | DT_RIGHT), addedLook);
}

void PaintGrip(Bitmap32& picture, const SkinTables& tables, const WindowPictureParts& parts) {
  const int grip = tables.indices.Of(GlobalImage::GRIPIMAGE);
  const TsMaskData* mask = MaskAt(tables, grip);
  if (mask == nullptr) return;
  const auto& m = parts.metrics;
  const Point at{picture.Width() - m.margins[2] - m.border - mask->FrameWidth(),
                 picture.Height() - m.margins[3] - m.border - mask->FrameHeight()};
  DrawImageMask(picture, at, 0, tables, grip);
}

}  // namespace

void PaintWindowPicture(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts) {
  const SkinTables& tables = data.SkinManager()->Tables();
  SectionPaint form;
  form.sectionIndex = parts.formSection;
  form.paintState = parts.active;
  ParentBackground behind;
  behind.fill = tables.colors.global;
  PaintSection(picture, picture.Bounds(), tables, form, behind);
  if (!parts.caption.bar.IsEmpty()) {
    PaintBar(picture, tables, parts, parts.caption.bar);
    PaintIcon(picture, parts);
    for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
      PaintButton(picture, tables, parts, static_cast<CaptionButtonKind>(i));
    }
    for (std::size_t i = 0; i < parts.caption.titleButtons.size(); ++i) PaintTitle(picture, tables, parts, i);
    PaintText(picture, data, parts);
  }
  if (parts.grip) PaintGrip(picture, tables, parts);
}

void PaintCaptionButton(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts,
                        CaptionButtonKind kind) {
  const SkinTables& tables = data.SkinManager()->Tables();
  const Rect place = parts.caption.buttons[static_cast<std::size_t>(kind)].rect;
  if (place.IsEmpty()) return;
  PaintBar(picture, tables, parts, place);
  PaintButton(picture, tables, parts, kind);
}

void PaintTitleButton(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts,
                      std::size_t index) {
  if (index >= parts.caption.titleButtons.size()) return;
  const Rect place = parts.caption.titleButtons[index].rect;
  if (place.IsEmpty()) return;
  const SkinTables& tables = data.SkinManager()->Tables();
  PaintBar(picture, tables, parts, place);
  PaintTitle(picture, tables, parts, index);
}

}  // namespace tappomat
