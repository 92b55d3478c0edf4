#pragma once
// UTF-16 settings and script files (as some editors save them, with a byte-order mark) are
// turned into the UTF-8 text that IniFile works on, and back when they are saved, so that
// every byte the user wrote survives a load and a save. The conversion is exact in both
// directions: an unpaired surrogate (which UTF-16 editors may leave in a file) is kept as
// its three-byte UTF-8 form instead of being replaced, and comes back as the same unit.
#include <optional>
#include <string>
#include <string_view>

namespace tappomat {

enum class Utf16ByteOrder { LittleEndian, BigEndian };

// The UTF-8 form of UTF-16 units (the byte-order mark already taken off); nothing when
// the byte count is odd.
std::optional<std::string> Utf16ToUtf8(std::string_view units, Utf16ByteOrder order);

// The UTF-16 units of UTF-8 text, without a byte-order mark; nothing when the text holds
// a byte sequence that is no UTF-8 (it could not be written without changing it).
std::optional<std::string> Utf8ToUtf16(std::string_view text, Utf16ByteOrder order);

}  // namespace tappomat
