#pragma once
// Where the parts of a skinned window frame lie: the border and caption sizes of the two
// frame modes, and the caption's layout (centre line, icon, caption buttons, text) in the
// window picture. Pure geometry from a form's facts and the skin's tables; the provider
// asks it whenever it rebuilds the picture, hit-tests or repaints a caption button, so the
// three agree.
#include <array>
#include <cstddef>
#include <vector>

#include "imaging/geometry.h"
#include "skin/data/skin_tables.h"
#include "ui/form.h"

namespace tappomat {

enum class FrameMode {
  InWindow,  // the frame is painted into the form's own non-client area
  Extended,  // the frame and its shadow lie in a border window around the form
};

// The standard caption buttons, in the order they are laid out from the right.
enum class CaptionButtonKind : std::size_t { Close, Maximize, Minimize, Help, Count };
inline constexpr std::size_t kCaptionButtonCount = static_cast<std::size_t>(CaptionButtonKind::Count);

// Frames the user can size by their borders (sizeable and sizeable tool windows).
bool IsSizeable(TFormBorderStyle style);
// Single and sizeable frames: the large caption-button set, the spacing between buttons,
// the icon, and the only frames with minimize and maximize buttons.
bool HasLargeFrame(TFormBorderStyle style);

// What a frame's geometry depends on, taken from the form.
struct FrameFacts {
  TFormBorderStyle borderStyle = TFormBorderStyle::bsSizeable;
  int borderWidth = 0;         // the form's own extra border
  bool hasSystemMenu = false;  // the window has a system menu (biSystemMenu)
  bool maximized = false;
  bool minimizedSecondary = false;  // minimized, and not the application's main form
  bool hasIcon = false;             // the window has an icon to show
  // The caption buttons that exist (the system menu's visibility rules).
  std::array<bool, kCaptionButtonCount> visible{};
  bool hasMenuLine = false;  // a main menu with at least one visible item
  // The user's title buttons (left of the standard ones, the first rightmost): shown or not.
  std::vector<bool> titleButtons;
};

// Sizes of the frame: the side and bottom border, the caption bar, the shadow margins
// (left, top, right, bottom) outside the window in extended mode, and the menu line.
struct FrameMetrics {
  int border = 0;
  int caption = 0;
  std::array<int, 4> margins{};
  int menuLine = 0;
  // The extended picture's own caption, before the shadow margins (0 in-window).
  int maxHeight = 0;
};

// The sizes of the frame in `mode`. `margins` are the skin manager's shadow margins
// (used in extended mode only).
FrameMetrics ComputeFrameMetrics(FrameMode mode, const FrameFacts& facts, const TsSkinData& skin,
                                 const std::array<int, 4>& margins);

struct CaptionButtonPlace {
  int maskIndex = -1;  // the three-image mask (normal, hot, pressed); -1: none in the skin
  Rect rect;           // in the window picture; empty: the button is not shown
};

struct CaptionLayout {
  int centerLine = 0;  // y of the caption's middle in the window picture
  Rect bar;            // the caption bar
  Rect icon;           // empty: no icon
  std::array<CaptionButtonPlace, kCaptionButtonCount> buttons;
  // One place per title button of the facts (empty rectangle: not shown); the mask is
  // TITLEBUTTON's.
  std::vector<CaptionButtonPlace> titleButtons;
  Rect text;           // where the caption text may go
  bool captionSection = false;  // the skin has a CAPTION section behind the text
};

// The caption of a window picture of `picture` size; everything empty without a caption.
CaptionLayout LayOutCaption(FrameMode mode, const FrameFacts& facts, const FrameMetrics& metrics,
                            Size picture, const SkinTables& tables);

// The image mask a caption button uses in this skin, by the button sets of the border
// style (the large set for single and sizeable frames, the small one for the others when
// the skin has it); -1 when the skin has none.
int CaptionButtonMask(CaptionButtonKind kind, const FrameFacts& facts, const SkinTables& tables);

}  // namespace tappomat
