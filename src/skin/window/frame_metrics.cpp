#include "skin/window/frame_metrics.h"

#include "gdi/system_metrics.h"
#include "skin/paint/mask_paint.h"

namespace tappomat {
namespace {

bool IsToolWindow(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

// The caption buttons when no close mask gives their height.
constexpr int kDefaultButtonSize = 21;
// The help button and the user title buttons keep this much more distance.
constexpr int kButtonGroupGap = 6;
// Between the caption text and the leftmost button.
constexpr int kTextToButtons = 12;

int IconSize(int caption) {
  if (caption >= 17) return 16;
  if (caption >= 9) return 8;
  return 1;
}

int Image(const SkinTables& tables, GlobalImage image) { return tables.indices.Of(image); }

}  // namespace

bool IsSizeable(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

bool HasLargeFrame(TFormBorderStyle style) {
  return style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
}

FrameMetrics ComputeFrameMetrics(FrameMode mode, const FrameFacts& facts, const TsSkinData& skin,
                                 const std::array<int, 4>& margins) {
  FrameMetrics metrics;
  if (facts.borderStyle == TFormBorderStyle::bsNone) {
    metrics.border = facts.borderWidth;
    return metrics;
  }
  if (mode == FrameMode::InWindow) {
    metrics.border = GetSystemMetrics(IsSizeable(facts.borderStyle) ? SM_CXFRAME : SM_CXDLGFRAME) +
                     facts.borderWidth;
    metrics.caption =
        GetSystemMetrics(IsToolWindow(facts.borderStyle) ? SM_CYSMCAPTION : SM_CYCAPTION);
  } else {
    metrics.border = skin.borderWidth;
    const int title = skin.titleHeight > 0 ? skin.titleHeight : 30;
    metrics.maxHeight = skin.maxHeight > 0 ? skin.maxHeight : title;
    metrics.caption = facts.maximized ? metrics.maxHeight : title;
    metrics.margins = margins;
  }
  if (facts.hasMenuLine) metrics.menuLine = GetSystemMetrics(SM_CYMENU) - 1;
  return metrics;
}

int CaptionButtonMask(CaptionButtonKind kind, const FrameFacts& facts, const SkinTables& tables) {
  const bool small = !HasLargeFrame(facts.borderStyle) && Image(tables, GlobalImage::SICONCLOSE) >= 0;
  const auto pick = [&](GlobalImage large, GlobalImage smallImage) {
    if (!small) return Image(tables, large);
    const int index = Image(tables, smallImage);
    return index >= 0 ? index : Image(tables, large);
  };
  const auto& visible = facts.visible;
  switch (kind) {
    case CaptionButtonKind::Close: {
      const bool alone = !visible[static_cast<std::size_t>(CaptionButtonKind::Maximize)] &&
                         !visible[static_cast<std::size_t>(CaptionButtonKind::Minimize)];
      if (!small && alone && Image(tables, GlobalImage::BICLOSEALONE) >= 0) {
        return Image(tables, GlobalImage::BICLOSEALONE);
      }
      return pick(GlobalImage::BICONCLOSE, GlobalImage::SICONCLOSE);
    }
    case CaptionButtonKind::Maximize:
      return facts.maximized ? pick(GlobalImage::BICONNORM, GlobalImage::SICONNORM)
                             : pick(GlobalImage::BICONMAX, GlobalImage::SICONMAX);
    case CaptionButtonKind::Minimize:
      return facts.minimizedSecondary ? pick(GlobalImage::BICONNORM, GlobalImage::SICONNORM)
                                      : pick(GlobalImage::BICONMIN, GlobalImage::SICONMIN);
    case CaptionButtonKind::Help:
      return pick(GlobalImage::BICONHELP, GlobalImage::SICONHELP);
    case CaptionButtonKind::Count:
      break;
  }
  return -1;
}

CaptionLayout LayOutCaption(FrameMode mode, const FrameFacts& facts, const FrameMetrics& metrics,
                            Size picture, const SkinTables& tables) {
  CaptionLayout layout;
  if (metrics.caption <= 0) return layout;
  const TsSkinData& skin = tables.skinData;
  const auto& margin = metrics.margins;
  if (mode == FrameMode::InWindow) {
    // The bar lies inside the frame, as the client area does; its middle is the centre line.
    layout.bar = {metrics.border, metrics.border, picture.width - metrics.border,
                  metrics.border + metrics.caption};
    layout.centerLine = metrics.border + metrics.caption / 2;
  } else {
    layout.bar = {margin[0], margin[1], picture.width - margin[2], margin[1] + metrics.caption};
    layout.centerLine = margin[1] + metrics.maxHeight / 2 + metrics.caption - metrics.maxHeight +
                        skin.centerOffset;
  }
  if (facts.maximized) layout.centerLine += 2;
  layout.captionSection = tables.indices.Of(SkinSectionId::CAPTION).section >= 0;

  const bool large = HasLargeFrame(facts.borderStyle);
  const int left = margin[0] + metrics.border;
  int textLeft = left;
  if (facts.hasIcon && large && facts.hasSystemMenu) {
    const int size = IconSize(metrics.caption);
    layout.icon = Rect::FromSize(left + skin.biLeft, layout.centerLine - size / 2, size, size);
    textLeft = layout.icon.right;
  }
  textLeft += skin.biLeft + 4 + (layout.captionSection ? 2 : 0);

  // The buttons, right to left; the close button's height sets every button's.
  const TsMaskData* closeMask = MaskAt(tables, CaptionButtonMask(CaptionButtonKind::Close, facts, tables));
  const int height = closeMask != nullptr ? closeMask->FrameHeight() : kDefaultButtonSize;
  const int top = skin.biVAlign == 1 && large ? layout.bar.top : layout.centerLine - height / 2;
  int x = picture.width - skin.biRight - margin[2] - metrics.border;
  int leftmost = x;
  for (std::size_t i = 0; i < kCaptionButtonCount; ++i) {
    const auto kind = static_cast<CaptionButtonKind>(i);
    if (!facts.visible[i]) continue;
    if (kind == CaptionButtonKind::Help) x -= kButtonGroupGap;
    CaptionButtonPlace& place = layout.buttons[i];
    place.maskIndex = CaptionButtonMask(kind, facts, tables);
    const TsMaskData* mask = MaskAt(tables, place.maskIndex);
    const int width = mask != nullptr ? mask->FrameWidth() : kDefaultButtonSize;
    place.rect = {x - width, top, x, top + height};
    leftmost = place.rect.left;
    x -= width + (large ? skin.biSpace : 0);
  }
  // The user's title buttons, a group gap further left, right to left.
  layout.titleButtons.resize(facts.titleButtons.size());
  const int titleMask = Image(tables, GlobalImage::TITLEBUTTON);
  const TsMaskData* title = MaskAt(tables, titleMask);
  bool first = true;
  for (std::size_t i = 0; i < facts.titleButtons.size(); ++i) {
    if (!facts.titleButtons[i]) continue;
    if (first) x = leftmost - kButtonGroupGap;
    first = false;
    const int width = title != nullptr ? title->FrameWidth() : kDefaultButtonSize;
    CaptionButtonPlace& place = layout.titleButtons[i];
    place.maskIndex = titleMask;
    place.rect = {x - width, top, x, top + height};
    leftmost = place.rect.left;
    x -= width + (large ? skin.biSpace : 0);
  }
  layout.text = {textLeft, layout.centerLine - metrics.caption / 2, leftmost - kTextToButtons,
                 layout.centerLine - metrics.caption / 2 + metrics.caption};
  if (layout.text.right < layout.text.left) layout.text.right = layout.text.left;
  return layout;
}

}  // namespace tappomat
