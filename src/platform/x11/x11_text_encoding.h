#pragma once
// Conversions between UTF-8 and ISO 8859-1 (the X STRING type), for the clipboard and for
// typed text when no input method is available.
#include <string>
#include <string_view>

namespace tappomat {

std::string Latin1ToUtf8(std::string_view latin1);
// Characters outside ISO 8859-1 become '?'; invalid UTF-8 bytes too.
std::string Utf8ToLatin1(std::string_view utf8);
// True when the text holds a character the user typed to be inserted (no C0 control
// characters and no DEL), which is what Text events carry.
bool IsPrintableText(std::string_view utf8);

}  // namespace tappomat
