// Console output encoding: texts are held in UTF-8 and written as UTF-8,
// except that a Shift_JIS (CP932) locale gets Shift_JIS bytes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Whether the character set of the current locale (after setlocale) is
// Shift_JIS or one of its Windows variants.
bool consoleUsesShiftJis();

// Converts UTF-8 text to Shift_JIS (code page 932). Characters that have no
// Shift_JIS form are replaced by '?'.
std::string utf8ToShiftJis(std::string_view utf8);

// Converts text typed at the console (Shift_JIS under a Shift_JIS locale,
// UTF-8 otherwise, the encodings the console is written in) to Shift_JIS
// (code page 932). False, with `shiftJis` unspecified, when a character has
// no Shift_JIS form or the text is not valid in the console's encoding.
bool consoleTextToShiftJis(std::string_view text, std::string& shiftJis);

// Writes UTF-8 text to the stream in the console's encoding.
void writeConsoleText(std::FILE* stream, std::string_view utf8);
