#pragma once
// ImageReference: a key value of a skin definition that names an image, parsed. Four marks
// cut images out of the master bitmap or name a separate file:
//   "@" glyph        @LLLL@TTTT@RRRR@BBBB@n@m
//   "^" border mask  ^LLLL^TTTT^RRRR^BBBB^WWWW^XXXX^YYYY^ZZZZ^n^m^d^w
//   "~" texture      ~LLLL~TTTT~RRRR~BBBB~dd~m
//   "!" file image   !FILE!n!m!k!WL!WT!WR!WB!d
// (fixed columns of exactly 4 or 1 digits; "!" words separated by "!"), and two older forms
// without a mark: a value holding "#" ("name (l,t,r,b) (n,m,w,d)") and a bare ".BMP" file
// name. Called by the definition loader for every key it reads.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/geometry.h"
#include "skin/data/upper_ascii.h"

namespace tappomat {

// What a mask is drawn as (the mask record's image kind).
enum class ImageKind : std::uint8_t { BorderMask = 0, Texture = 1, Glyph = 2, Glow = 3, GlowGlyph = 4 };

struct ImageReference {
  enum class Form { Glyph, BorderMask, Texture, File, Hash, BareBitmap };

  Form form = Form::Glyph;
  ImageKind kind = ImageKind::Glyph;
  std::string fileName;  // File and BareBitmap: as written
  Rect rect;             // in the master bitmap; File and BareBitmap: the whole image
  int frameCount = 1;
  int maskType = 0;
  int drawMode = 0;
  int borderWidth = 0;
  std::array<int, 4> margins{};  // left, top, right, bottom; 0 means not given
  bool marginsGiven = true;      // File: false when the words stop before the margins
};

// The reference that `value` holds; nullopt when it is not an image reference (a colour, a
// gradient, a "!" name that is neither BMP nor PNG). A fixed-column field that is not a
// number throws EConvertError with the conversion's message, which fails the skin load;
// "!" words and "#" numbers that are not numbers count as 0, and numbers beyond
// -32768 ... 32767 count as the nearer end of that range.
std::optional<ImageReference> ParseImageReference(std::string_view value);

}  // namespace tappomat
