#pragma once
// Integer conversion of the texts that the program keeps in grid cells and edit fields,
// with these rules: optional blanks in front, an optional sign, then
// decimal digits or "$"/"0x" followed by hexadecimal digits; nothing may follow; the value
// must fit the target type. StrToInt reports a text that does not convert with
// EConvertError "'<text>' is not a valid integer value", which the error box then shows.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tappomat {

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::optional<std::int64_t> TryStrToInt64(std::string_view text);
std::optional<int> TryStrToInt(std::string_view text);
int StrToInt(std::string_view text);
std::int64_t StrToInt64(std::string_view text);
std::string IntToStr(std::int64_t value);

}  // namespace tappomat
