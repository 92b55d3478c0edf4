#pragma once
// The bytes of a file saved in UTF-16 of either byte order, with its byte-order mark, as
// some editors save text: for the tests of files that are read and written back in it.
#include <string>
#include <string_view>

namespace tappomat {

inline std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace tappomat
