#include "platform/x11/x11_text_encoding.h"

namespace tappomat {

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      latin1 += static_cast<char>(lead);
      ++i;
      continue;
    }
    int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + length > utf8.size()) length = static_cast<int>(utf8.size() - i);
    unsigned codePoint = 0x110000;  // invalid unless decoded below
    if (length == 2 && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      codePoint = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    }
    latin1 += codePoint >= 0x80 && codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
    i += static_cast<std::size_t>(length);
  }
  return latin1;
}

bool IsPrintableText(std::string_view utf8) {
  if (utf8.empty()) return false;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace tappomat
