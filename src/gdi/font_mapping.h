#pragma once
// The one table that maps the font names the program and its skins ask for ("MS Sans
// Serif", "Arial Narrow", ...) to installed families with the same metrics (the
// Liberation fonts are metric-compatible with Arial, Arial Narrow, Courier New and Times
// New Roman). FontCache is its only caller.
#include <string_view>

namespace tappomat {

inline constexpr std::string_view kLiberationSans = "Liberation Sans";
inline constexpr std::string_view kLiberationSansNarrow = "Liberation Sans Narrow";
inline constexpr std::string_view kLiberationMono = "Liberation Mono";
inline constexpr std::string_view kLiberationSerif = "Liberation Serif";
// Used when the mapped family is not installed, and for characters a face lacks.
inline constexpr std::string_view kFallbackFamily = "DejaVu Sans";

// The installed family for a logical font name (compared without regard to case or
// surrounding blanks). Names not in the table go by their kind: a monospaced-sounding
// name to Liberation Mono, a serif one to Liberation Serif, anything else (the sans
// faces dialogs and skins name) to Liberation Sans.
std::string_view MapFontFamily(std::string_view logicalName);

}  // namespace tappomat
