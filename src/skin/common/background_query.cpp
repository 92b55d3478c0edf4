#include "skin/common/background_query.h"

#include "gdi/primitives.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {

bool AskForBackground(TControl& control, TacBGInfo& info) {
  return control.Perform(WM_SKIN, SkinWParam(SkinCode::QueryBackground),
                         reinterpret_cast<LPARAM>(&info)) != 0;
}

void PassQueryOn(const TControl& owner, TacBGInfo& query) {
  query.offset = {query.offset.x + owner.Left(), query.offset.y + owner.Top()};
  TWinControl* parent = owner.Parent();
  if (parent != nullptr && AskForBackground(*parent, query)) return;
  query.kind = BackgroundKind::Color;
  query.image = nullptr;
  query.color = parent != nullptr ? ColorToRGB(parent->Color()) : ColorToRGB(owner.Color());
}

void AnswerWithColor(TacBGInfo& query, ColorRef color) {
  query.kind = BackgroundKind::Color;
  query.image = nullptr;
  query.color = color;
  if (query.drawToDc && query.dc != nullptr) FillRect(*query.dc, query.rect, color);
}

ParentBackground ToParentBackground(const TacBGInfo& info) {
  ParentBackground background;
  if (info.kind == BackgroundKind::Image && info.image != nullptr && !info.image->IsEmpty()) {
    background.image = info.image;
    background.offset = info.offset;
    background.ready = true;
  } else {
    background.fill = info.color;
    // A plain parent with a border: the border's ring is taken from its picture.
    if (info.image != nullptr && !info.image->IsEmpty()) {
      background.image = info.image;
      background.offset = info.offset;
      background.frame = info.margins;
    }
  }
  return background;
}

std::optional<ParentBackground> AskParentBackground(const TControl& control) {
  TWinControl* parent = control.Parent();
  if (parent == nullptr) return ParentBackground{};
  TacBGInfo info;
  info.offset = {control.Left(), control.Top()};
  if (!AskForBackground(*parent, info)) {
    info.kind = BackgroundKind::Color;
    info.image = nullptr;
    info.color = ColorToRGB(parent->Color());
  }
  if (info.kind == BackgroundKind::NotNow) return std::nullopt;
  return ToParentBackground(info);
}

ColorRef ColorBehind(TControl& control) {
  TacBGInfo info;
  if (AskForBackground(control, info) && info.kind == BackgroundKind::Color) return info.color;
  return ColorToRGB(control.Color());
}

}  // namespace tappomat
