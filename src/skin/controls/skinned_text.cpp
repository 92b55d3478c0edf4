#include "skin/controls/skinned_text.h"

#include "gdi/system_colors.h"
#include "gdi/text.h"
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
  parent->Perform(WM_SKIN, SkinWParam(SkinCode::QuerySectionIndex), reinterpret_cast<LPARAM>(&index));
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
    look.text = data.Adjusted(MixColors(static_cast<ColorRef>(section->fontColor[0]) & 0xFFFFFF, global, 0.4));
    return look;
  }
  const TsGenState& state = section->props[static_cast<std::size_t>(record)];
  for (std::size_t side = 0; side < 4; ++side) {
    const std::int32_t c = state.fontColor[side + 1];
    look.contour[side] = c == -1 ? -1 : static_cast<std::int32_t>(data.Adjusted(static_cast<ColorRef>(c) & 0xFFFFFF));
  }
  look.text = data.Adjusted(static_cast<ColorRef>(state.fontColor[0]) & 0xFFFFFF);
  return look;
}

void DrawSkinnedText(DeviceContext& dc, LogicalFont font, std::string_view text, const Rect& rect,
                     unsigned format, const SkinnedTextLook& look) {
  const DeviceContext::Saver saver(dc);
  dc.IntersectClipRect(rect);
  dc.SetBkMode(BkMode::Transparent);
  font.underline = font.underline || look.underline;
  dc.SetFont(font);
  const auto pass = [&](int dx, int dy, ColorRef color, unsigned extra) {
    Rect r = rect.Offset(dx, dy);
    dc.SetTextColor(color);
    DrawText(dc, text, r, format | extra);
  };
  if (look.sunken) {
    pass(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT), 0);
    pass(0, 0, look.text, 0);
    return;
  }
  // Contours one pixel to the left, top, right and bottom, then the text.
  const Point shifts[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
  for (std::size_t side = 0; side < 4; ++side) {
    if (look.contour[side] != -1) {
      pass(shifts[side].x, shifts[side].y, static_cast<ColorRef>(look.contour[side]), DT_NOCLIP);
    }
  }
  pass(0, 0, look.text, DT_NOCLIP);
}

}  // namespace tappomat
