// Console output encoding: texts are held in UTF-8 and written as UTF-8,
// except that a Japanese locale whose character set is not UTF-8 gets its
// own: Shift_JIS (CP932) or EUC-JP.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// The character sets the console can be written in.
enum class ConsoleCharset { Utf8, ShiftJis, EucJp };

// The character set of the current locale (after setlocale): Shift_JIS or
// EUC-JP by their usual names, UTF-8 for everything else (English texts
// are ASCII, which every character set holds).
ConsoleCharset consoleCharset();

bool consoleUsesShiftJis();

// Converts UTF-8 text to Shift_JIS (code page 932) or EUC-JP. Characters
// that have no form there are replaced by '?'.
std::string utf8ToShiftJis(std::string_view utf8);
std::string utf8ToEucJp(std::string_view utf8);

// Converts text typed at the console, in the locale's character set (UTF-8,
// Shift_JIS, EUC-JP or any other that iconv knows), to Shift_JIS (code page
// 932). False, with `shiftJis` unspecified, when a character has no
// Shift_JIS form or the text is not valid in the locale's character set.
bool consoleTextToShiftJis(std::string_view text, std::string& shiftJis);

// Converts Shift_JIS (code page 932) bytes to UTF-8; false when they are not
// whole Shift_JIS characters.
bool shiftJisToUtf8(std::string_view shiftJis, std::string& utf8);

// Writes UTF-8 text to the stream in the console's character set.
void writeConsoleText(std::FILE* stream, std::string_view utf8);
