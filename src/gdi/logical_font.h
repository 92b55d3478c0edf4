#pragma once
// LogicalFont: a font as the program asks for it (face name, height, weight, style,
// character set). FontCache turns it into installed font files.
#include <cstdint>
#include <string>

namespace tappomat {

// Character sets by number (ANSI_CHARSET 0 …); fonts render any UTF-8 text, so the value
// is carried for the controls that compare it, not used to pick glyphs.
enum CharSet : std::uint8_t {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  RUSSIAN_CHARSET = 204,
};

struct LogicalFont {
  std::string name = "MS Sans Serif";
  // Negative: the character height in pixels (em size); positive: the cell height
  // (ascent + descent); 0: the default height.
  int height = -11;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charSet = DEFAULT_CHARSET;

  friend bool operator==(const LogicalFont&, const LogicalFont&) = default;
};

}  // namespace tappomat
