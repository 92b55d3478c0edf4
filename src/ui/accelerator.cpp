#include "ui/accelerator.h"

namespace tappomat {
namespace {

// Decodes one UTF-8 code point at `pos`, advancing it; 0 for a malformed sequence (the
// position then moves by one byte).
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  int length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    ++pos;
    return 0;
  }
  if (pos + static_cast<std::size_t>(length) > s.size()) {
    ++pos;
    return 0;
  }
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + static_cast<std::size_t>(i));
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode are malformed as well.
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
    ++pos;
    return 0;
  }
  pos += static_cast<std::size_t>(length);
  return cp;
}

}  // namespace

char32_t UpperCaseHotkeyChar(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - U'a' + U'A';
  if (c >= 0x0430 && c <= 0x044F) return c - 0x20;  // а..я
  if (c >= 0x0450 && c <= 0x045F) return c - 0x50;  // ѐ..џ, ё included
  return c;
}

char32_t GetHotkey(std::string_view caption) {
  char32_t hotkey = 0;
  std::size_t pos = 0;
  while (pos < caption.size()) {
    if (caption[pos] != '&') {
      DecodeUtf8(caption, pos);
      continue;
    }
    ++pos;
    if (pos >= caption.size()) break;
    if (caption[pos] == '&') {
      ++pos;
      continue;
    }
    // Later marks replace earlier ones: the scan goes on to the caption's end.
    hotkey = UpperCaseHotkeyChar(DecodeUtf8(caption, pos));
  }
  return hotkey;
}

bool IsAccel(char32_t key, std::string_view caption) {
  const char32_t hotkey = GetHotkey(caption);
  return hotkey != 0 && UpperCaseHotkeyChar(key) == hotkey;
}

std::string StripHotkey(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

}  // namespace tappomat
