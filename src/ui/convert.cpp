#include "ui/convert.h"

#include <limits>

namespace tappomat {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

EConvertError NotAnInteger(std::string_view text) {
  return EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

std::optional<std::int64_t> TryStrToInt64(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // Accumulate the magnitude as unsigned so that the most negative value still fits.
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63
                                       : static_cast<std::uint64_t>(
                                             std::numeric_limits<std::int64_t>::max());
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit < 0 || digit >= base) return std::nullopt;
    if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / static_cast<unsigned>(base)) {
      return std::nullopt;
    }
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  if (!negative) return static_cast<std::int64_t>(magnitude);
  return magnitude == (std::uint64_t{1} << 63) ? std::numeric_limits<std::int64_t>::min()
                                                : -static_cast<std::int64_t>(magnitude);
}

std::optional<int> TryStrToInt(std::string_view text) {
  const std::optional<std::int64_t> value = TryStrToInt64(text);
  if (!value || *value < std::numeric_limits<int>::min() ||
      *value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

int StrToInt(std::string_view text) {
  const std::optional<int> value = TryStrToInt(text);
  if (!value) throw NotAnInteger(text);
  return *value;
}

std::int64_t StrToInt64(std::string_view text) {
  const std::optional<std::int64_t> value = TryStrToInt64(text);
  if (!value) throw NotAnInteger(text);
  return *value;
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

}  // namespace tappomat
