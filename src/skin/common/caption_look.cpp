#include "skin/common/caption_look.h"

#include "gdi/system_colors.h"
#include "imaging/blend.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

// The section whose state colours the caption takes: the control's, or its parent's when
// the caption sits on the parent's background (a transparent check box, group box or
// window-less control).
const TsGeneralData* CaptionSection(const TsCommonData& data, int record) {
  const TsSkinManager* manager = data.SkinManager();
  const SkinTables& tables = manager->Tables();
  const TsGeneralData* own = &tables.sections[static_cast<std::size_t>(data.SkinIndex())];
  const TControl* owner = data.Owner();
  const int kind = data.KindCode();
  const bool onParent = kind == 32 || kind == 33 || kind == 74 || (owner && !owner->IsWindowed());
  if (!onParent || owner == nullptr || owner->Parent() == nullptr) return own;
  if (own->props[static_cast<std::size_t>(record)].transparency <= 0) return own;
  // The parent's section, when it is skinned.
  int index = -1;
  TControl* parent = owner->Parent();
  parent->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySectionIndex),
                  reinterpret_cast<LPARAM>(&index));
  if (index < 0 || index >= static_cast<int>(tables.sections.size())) return own;
  return &tables.sections[static_cast<std::size_t>(index)];
}

}  // namespace

SkinnedTextLook SkinnedTextLookOf(const TsCommonData& data, bool enabled, bool hot,
                                  ColorRef fontColor) {
  SkinnedTextLook look;
  if (!data.Skinned() || data.CustomFont()) {
    look.text = enabled ? fontColor : GetSysColor(COLOR_BTNSHADOW);
    look.sunken = !enabled;
    return look;
  }
  const int record = hot ? 1 : 0;
  const TsGeneralData* section = CaptionSection(data, record);
  look.underline = hot && section->name == "WEBBUTTON";
  if (!enabled) {
    const ColorRef global = data.SkinManager()->Tables().colors.global;
    look.text = data.Adjusted(
        MixColors(static_cast<ColorRef>(section->fontColor[0]) & 0xFFFFFF, global, 0.4));
    return look;
  }
  // The halo is part of the cached picture; controls that draw straight to the screen
  // would leave it behind on every repaint of their parent, so they go without.
  // (The cache is only looked at, never changed, here.)
  const bool underline = look.underline;
  look = SectionTextLook(data, *section, record, data.Cache() != nullptr);
  look.underline = underline;
  return look;
}

SkinnedTextLook SectionTextLook(const TsCommonData& data, const TsGeneralData& section, int record,
                                bool withGlow) {
  SkinnedTextLook look;
  const TsGenState& state = section.props[static_cast<std::size_t>(record)];
  for (std::size_t side = 0; side < 4; ++side) {
    const std::int32_t c = state.fontColor[side + 1];
    look.contour[side] =
        c == -1 ? -1
                : static_cast<std::int32_t>(data.Adjusted(static_cast<ColorRef>(c) & 0xFFFFFF));
  }
  look.text = data.Adjusted(static_cast<ColorRef>(state.fontColor[0]) & 0xFFFFFF);
  if (withGlow && state.glowSize > 0) {
    look.glowSize = state.glowSize;
    look.glowColor = data.Adjusted(static_cast<ColorRef>(state.glowColor) & 0xFFFFFF);
  }
  return look;
}

}  // namespace tappomat
