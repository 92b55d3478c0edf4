#pragma once
// Accelerator characters of captions ("&File", "Save &as..."): which key a menu item,
// label or button answers to, and the caption without its "&" marks. Called by the menu
// code (Alt+letter and letters inside an open menu), by labels and buttons (dialog
// mnemonics) and by the classic look to measure captions.
//
// "&&" stands for a literal ampersand, and when a caption marks several characters the
// last mark wins.
#include <string>
#include <string_view>

namespace tappomat {

// Upper case for ASCII and Cyrillic letters (the two alphabets of the program's
// languages); any other code point is returned unchanged.
char32_t UpperCaseHotkeyChar(char32_t c);

// The marked character, upper-cased as above; 0 when the caption marks none. The
// character may be any UTF-8 code point; a mark before a malformed sequence marks nothing.
char32_t GetHotkey(std::string_view caption);

// True when `key` (a typed character or an ASCII virtual-key code, any case) is the
// caption's marked character.
bool IsAccel(char32_t key, std::string_view caption);

// The caption as shown without underlines: "&File" -> "File", "A && B" -> "A & B"; a
// lone "&" at the end is dropped.
std::string StripHotkey(std::string_view caption);

}  // namespace tappomat
