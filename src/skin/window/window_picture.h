#pragma once
// The window picture: one 32-bit bitmap with the whole look of a skinned form (frame,
// caption bar with icon, caption buttons and text, size grip, and the client background),
// painted from the skin in one pass. The provider keeps it and copies the frame and the
// client background from it; a caption button that changes state is painted again alone.
#include <array>
#include <string_view>
#include <vector>

#include "imaging/bitmap32.h"
#include "skin/common/common_data.h"
#include "skin/window/frame_metrics.h"
#include "ui/alignment.h"

namespace tappomat {

// Everything the picture shows besides the skin.
struct WindowPictureParts {
  FrameMode mode = FrameMode::InWindow;
  FrameMetrics metrics;
  CaptionLayout caption;
  int active = 0;                // 1: the window is shown as active
  int formSection = -1;          // "FORM", or the section the form's skin data names
  int titleSection = -1;         // `TitleSkin`, else "FORMTITLE"
  std::array<int, kCaptionButtonCount> buttonStates{};  // 0 normal, 1 hot, 2 pressed
  std::vector<int> titleStates;                // per title button of the caption layout
  std::vector<const Bitmap32*> titleGlyphs;    // per title button; null or empty: none
  std::string_view text;         // the caption, UTF-8
  std::string_view addedText;    // shown 4 pixels after the caption
  const Bitmap32* icon = nullptr;  // premultiplied; drawn at caption.icon's size
  TAlignment alignment = TAlignment::taLeftJustify;
  bool rightToLeft = false;
  bool grip = false;             // the size grip in the lower right corner
};

// Paints the whole picture (already sized) for the form whose skin data is `data`.
void PaintWindowPicture(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts);

// Paints caption button `kind` again in its state, over the caption bar behind it.
void PaintCaptionButton(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts,
                        CaptionButtonKind kind);
// The same for the user's title button `index`.
void PaintTitleButton(Bitmap32& picture, const TsCommonData& data, const WindowPictureParts& parts,
                      std::size_t index);

}  // namespace tappomat
