#pragma once
// How a skinned control learns what lies behind it: it asks its parent with the skin
// message's background query, and a skinned parent answers with its plain colour or its
// cache picture (or says that it is being updated and has nothing to give now). A parent
// that is not skinned does not answer; its own colour then stands for its background.
// Buttons, check boxes and labels ask before they paint; panels answer their children.
#include <array>
#include <cstdint>

#include "gdi/device_context.h"
#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "skin/paint/section_paint.h"
#include "ui/control.h"

namespace tappomat {

enum class BackgroundKind : std::uint8_t { Color = 1, Image = 2, NotNow = 3 };

// The query record: the asker fills `offset` with its position in the parent (and the
// draw flag); the parent fills the rest. With an image, `offset` is where the asker's
// top-left pixel lies in it.
struct TacBGInfo {
  const Bitmap32* image = nullptr;
  ColorRef color = kFuchsia;
  Point offset;
  Rect rect;
  std::array<int, 4> margins{};  // of the parent's border mask: left, top, right, bottom
  BackgroundKind kind = BackgroundKind::Color;
  bool drawToDc = false;
  DeviceContext* dc = nullptr;
};

// The background behind `control` as its parent gives it. Empty (nullopt) while the parent
// is being updated: the caller keeps its old picture.
std::optional<ParentBackground> AskParentBackground(const TControl& control);

// The parent's answer made into what painting takes.
ParentBackground ToParentBackground(const TacBGInfo& info);

// Sends the query to `control`; false when it does not answer (it is not skinned).
bool AskForBackground(TControl& control, TacBGInfo& query);

// The query passed on to `owner`'s parent, as if the owner were not there (its position
// added to the offset); an unskinned parent's colour stands for its background.
void PassQueryOn(const TControl& owner, TacBGInfo& query);

// Answers with a plain colour (and fills the asker's rectangle when it asked for that).
void AnswerWithColor(TacBGInfo& query, ColorRef color);

// The colour of a control behind a child: its skin's answer, else its own colour.
ColorRef ColorBehind(TControl& control);

}  // namespace tappomat
