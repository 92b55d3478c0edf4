// TsCommonData, the part about what shows through a control: its transparency flags, the
// colour under it and whether it repaints with its parent. Panels and other containers
// use them to tell their children what lies behind them.
#include <algorithm>

#include "skin/common/common_data.h"
#include "skin/paint/mask_paint.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

constexpr int kFillsCentre = 4;   // border draw-mode bit: the centre is drawn
constexpr int kAlphaTexture = 10; // texture draw mode: drawn with its alpha over the background

bool AnyCorner(const TsGeneralData& section) {
  return std::any_of(section.cornerIndex.begin(), section.cornerIndex.end(), [](int i) { return i >= 0; });
}

}  // namespace

const TsGeneralData* TsCommonData::Section() const {
  if (!Skinned()) return nullptr;
  return &SkinManager()->Tables().sections[static_cast<std::size_t>(m_skinIndex)];
}

void TsCommonData::UpdateTransparencyFlags() {
  const unsigned kept = m_transparencyFlags & (kObjectLinked | kInsideUpdate);
  const auto set = [&](unsigned flags) { m_transparencyFlags = kept | flags; };
  const TsGeneralData* section = Section();
  if (section == nullptr) return set(kTransparentBackground);
  const SkinTables& tables = SkinManager()->Tables();
  if (const TsMaskData* border = MaskAt(tables, m_borderIndex); border && (border->drawMode & kFillsCentre)) {
    return set(0);
  }
  const TsGenState& normal = section->props[0];
  if (normal.transparency >= 100) {
    const TsMaskData* texture = MaskAt(tables, m_texture);
    if (texture != nullptr && texture->drawMode == kAlphaTexture) return set(0);
    TWinControl* parent = m_owner != nullptr ? m_owner->Parent() : nullptr;
    if (parent == nullptr) return set(0);
    if (!parent->HandleAllocated()) return set(kTransparencyUnknown);
    if (parent->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)) != 1) return set(kTransparentBackground);
    const auto answer = static_cast<unsigned>(parent->Perform(WM_SKIN, SkinWParam(SkinCode::TransparencyFlags, 0)));
    return set(answer & kTransparentBackground);
  }
  if (normal.transparency > 0 || normal.imagePercent > 0 || normal.gradientPercent > 0) return set(0);
  set(AnyCorner(*section) ? 0u : unsigned{kTransparentBackground});
}

ColorRef TsCommonData::ColorUnder() const {
  const TsGeneralData* section = Section();
  TWinControl* parent = m_owner != nullptr ? m_owner->Parent() : nullptr;
  const auto parentColor = [&] {
    if (parent == nullptr) return ColorToRGB(m_owner != nullptr ? m_owner->Color() : clBtnFace);
    if (parent->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySkinned)) == 1) {
      return static_cast<ColorRef>(parent->Perform(WM_SKIN, SkinWParam(SkinCode::QueryColorUnder)));
    }
    return ColorToRGB(parent->Color());
  };
  if (section == nullptr) return ColorToRGB(m_owner != nullptr ? m_owner->Color() : clBtnFace);
  const ColorRef own = static_cast<ColorRef>(section->props[0].color) & 0xFFFFFF;
  const int t = std::clamp(section->props[0].transparency, 0, 100);
  if (t == 0) return own;
  const ColorRef behind = parentColor();
  if (t == 100) return behind;
  // Each channel moves from the section's colour towards the parent's by t / 256.
  ColorRef out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((own >> shift) & 0xFF);
    const int p = static_cast<int>((behind >> shift) & 0xFF);
    out |= static_cast<ColorRef>(std::clamp(d + (p - d) * t / 256, 0, 255)) << shift;
  }
  return out;
}

bool TsCommonData::RepaintsWithParent() const {
  const TsGeneralData* section = Section();
  if (section == nullptr) return false;
  const TsGenState& normal = section->props[0];
  if (normal.transparency > 0 && m_owner != nullptr && m_owner->Parent() != nullptr) return true;
  if (normal.gradientPercent > 0 || normal.imagePercent > 0) return true;
  const TsMaskData* border = MaskAt(SkinManager()->Tables(), m_borderIndex);
  return border != nullptr && (border->drawMode & kFillsCentre);
}

}  // namespace tappomat
