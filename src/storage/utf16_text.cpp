#include "storage/utf16_text.h"

#include <cstdint>

namespace tappomat {
namespace {

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::uint32_t UnitAt(std::string_view units, std::size_t index, Utf16ByteOrder order) {
  const auto first = static_cast<unsigned char>(units[2 * index]);
  const auto second = static_cast<unsigned char>(units[2 * index + 1]);
  return order == Utf16ByteOrder::LittleEndian ? first | second << 8 : first << 8 | second;
}

void AppendUnit(std::string& out, std::uint32_t unit, Utf16ByteOrder order) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  if (order == Utf16ByteOrder::LittleEndian) {
    out += low;
    out += high;
  } else {
    out += high;
    out += low;
  }
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of the UTF-8 sequence at `text[pos]`, advancing `pos` past it; nothing for
// a byte sequence that is no UTF-8 (a stray continuation byte, a cut or overlong sequence,
// a value beyond U+10FFFF). Surrogates are accepted: they stand for unpaired units.
std::optional<std::uint32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t smallest = 0;  // below this the sequence is overlong
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF) return std::nullopt;
  pos += length;
  return code;
}

}  // namespace

std::optional<std::string> Utf16ToUtf8(std::string_view units, Utf16ByteOrder order) {
  if (units.size() % 2 != 0) return std::nullopt;
  const std::size_t count = units.size() / 2;
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t unit = UnitAt(units, i, order);
    if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(UnitAt(units, i + 1, order))) {
      const std::uint32_t low = UnitAt(units, ++i, order);
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else {
      AppendUtf8(out, unit);  // an unpaired surrogate too, so that it comes back
    }
  }
  return out;
}

std::optional<std::string> Utf8ToUtf16(std::string_view text, Utf16ByteOrder order) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::optional<std::uint32_t> code = NextCodePoint(text, pos);
    if (!code) return std::nullopt;
    if (*code >= 0x10000) {
      AppendUnit(out, 0xD800 + ((*code - 0x10000) >> 10), order);
      AppendUnit(out, 0xDC00 + ((*code - 0x10000) & 0x3FF), order);
    } else {
      AppendUnit(out, *code, order);
    }
  }
  return out;
}

}  // namespace tappomat
