#pragma once
// Skins compare file names in upper case: ASCII letters only, so that a name's bytes in any
// other encoding stay as they are.
#include <string>
#include <string_view>

namespace tappomat {

inline std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace tappomat
