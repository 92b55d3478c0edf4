#include "skin/controls/skinned_label.h"

#include <algorithm>

#include "gdi/blit.h"
#include "imaging/blend.h"
#include "skin/common/background_query.h"
#include "skin/common/font_source.h"
#include "skin/paint/mask_paint.h"
#include "skin/paint/section_paint.h"
#include "skin/data/skin_message.h"
#include "skin/data/upper_ascii.h"
#include "ui/canvas.h"
#include "ui/win_control.h"
#include "win/window_system.h"

namespace tappomat {
namespace {

constexpr ColorRef kDefaultHoverColor = 0x0000FF;  // pure red
constexpr ColorRef kDefaultLinkColor = 0xFF0000;   // pure blue

ColorRef FontColorOf(const TsGeneralData& section) {
  return static_cast<ColorRef>(section.props[0].fontColor[0]) & 0xFFFFFF;
}

// One of the text colours of GLOBALINFO (its contour slots hold the link colours), or the
// fallback when the skin does not set it.
ColorRef GlobalTextColor(const SkinTables& tables, std::size_t slot, ColorRef fallback) {
  const int index = tables.indices.Of(SkinSectionId::GLOBALINFO).section;
  if (index < 0 || index >= static_cast<int>(tables.sections.size())) return fallback;
  const std::int32_t color = tables.sections[static_cast<std::size_t>(index)].fontColor[slot];
  return color == -1 ? fallback : static_cast<ColorRef>(color) & 0xFFFFFF;
}

}  // namespace

// --- TsLabel

TsLabel::TsLabel(TComponent* owner) : TLabel(owner) { SetTransparent(true); }

const TsSkinManager* TsLabel::ActiveManager() const {
  const TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (manager == nullptr || (manager->ComponentState() & csDestroying)) return nullptr;
  return manager->SkinActive() && manager->SkinLoaded() ? manager : nullptr;
}

void TsLabel::UpdateSectionIndex() {
  const TsSkinManager* manager = TsSkinManager::DefaultManager();
  m_sectionIndex =
      m_skinSection.empty() || manager == nullptr ? -1 : manager->SectionIndex(m_skinSection);
}

int TsLabel::SectionIndex() const {
  const TsSkinManager* manager = ActiveManager();
  if (manager == nullptr || m_sectionIndex >= static_cast<int>(manager->Tables().sections.size()))
    return -1;
  return m_sectionIndex;
}

void TsLabel::SetSkinSection(const std::string& section) {
  const std::string stored = UpperAscii(section);
  if (stored == m_skinSection) return;
  m_skinSection = stored;
  UpdateSectionIndex();
  Invalidate();
}

void TsLabel::SetUseSkinColor(bool on) {
  if (on == m_useSkinColor) return;
  m_useSkinColor = on;
  Invalidate();
}

ColorRef TsLabel::SkinColor(const SkinTables& tables) const {
  const int own = SectionIndex();
  if (own >= 0) {
    // A wholly see-through section without a border shows nothing of its own, so the
    // text takes the colour of what lies behind it.
    const TsGeneralData& section = tables.sections[static_cast<std::size_t>(own)];
    if (section.props[0].transparency < 100 || MaskAt(tables, section.borderIndex) != nullptr) {
      return FontColorOf(section);
    }
  }
  const int source = FontSourceSection(*this, tables);
  if (source >= 0) return FontColorOf(tables.sections[static_cast<std::size_t>(source)]);
  return tables.colors.globalFont;
}

std::optional<ColorRef> TsLabel::OwnTextColor() const {
  const TsSkinManager* manager = ActiveManager();
  if (!m_useSkinColor || manager == nullptr) return std::nullopt;
  const ColorRef color = SkinColor(manager->Tables());
  if (Enabled()) return color;
  // Disabled text fades into what lies behind it: 40 % of its colour, 60 % of the parent's.
  const ColorRef behind = Parent() != nullptr ? ColorBehind(*Parent()) : color;
  return MixColors(color, behind, 0.4);
}

void TsLabel::PaintSectionBackground(DeviceContext& dc) {
  const int index = SectionIndex();
  if (index < 0 || Width() <= 0 || Height() <= 0) return;
  const std::optional<ParentBackground> parent = AskParentBackground(*this);
  if (!parent) return;
  Bitmap32 picture(Width(), Height(), 0);
  SectionPaint paint;
  paint.sectionIndex = index;
  paint.paintState = 0;
  PaintSection(picture, picture.Bounds(), ActiveManager()->Tables(), paint, *parent);
  BitBlt(dc, 0, 0, picture.Width(), picture.Height(), picture, 0, 0, SRCCOPY);
}

void TsLabel::Paint() {
  if (DeviceContext* dc = Canvas()->Handle()) PaintSectionBackground(*dc);
  TLabel::Paint();
}

void TsLabel::WndProc(TMessage& message) {
  if (message.Msg == WM_SKIN) {
    const SkinCode code = SkinCodeOf(message.WParam);
    if (code == SkinCode::NewSkin || code == SkinCode::RemoveSkin || code == SkinCode::Refresh) {
      UpdateSectionIndex();
      Invalidate();
    }
    return;
  }
  TLabel::WndProc(message);
}

// --- TsWebLabel

TsWebLabel::UrlOpener TsWebLabel::OpenUrl = [](const std::string& url, int /*showMode*/) {
  if (WindowSystem::HasCurrent()) WindowSystem::Current().GetPlatform().OpenWithDesktop(url);
};

TsWebLabel::TsWebLabel(TComponent* owner) : TsLabel(owner) {
  m_hoverFont.Assign(Font());
  m_hoverFont.OnChange = [this] {
    if (!m_over) return;
    AdjustBounds();
    Invalidate();
  };
  SetCursor(crHandPoint);
}

ColorRef TsWebLabel::SkinColor(const SkinTables& tables) const {
  // GLOBALINFO keeps the link colours in its top and bottom contour slots.
  if (m_over) return GlobalTextColor(tables, 2, kDefaultHoverColor);
  const int source = FontSourceSection(*this, tables);
  if (source >= 0) return FontColorOf(tables.sections[static_cast<std::size_t>(source)]);
  return GlobalTextColor(tables, 4, kDefaultLinkColor);
}

void TsWebLabel::SetOver(bool over) {
  if (over == m_over) return;
  m_over = over;
  // The font may change with the state: the bounds follow it, and the parent repaints the
  // area under the label (the old bounds and the new).
  Invalidate();
  AdjustBounds();
  Invalidate();
}

void TsWebLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TsLabel::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft && !m_url.empty() && OpenUrl) OpenUrl(m_url, m_showMode);
}

void TsWebLabel::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (Enabled() && !(ComponentState() & csDesigning)) SetOver(message.Msg == CM_MOUSEENTER);
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled()) SetOver(false);
      break;
    default:
      break;
  }
  TsLabel::WndProc(message);
}

}  // namespace tappomat
