// Small pieces of the listing lines: formatted columns, escaped names, number
// lists, and lines written without trailing blanks. The listing's layout and
// words are its own fixed format, not messages: they stay the same in every
// locale.
#pragma once

#include <cstdint>
#include <string>

// printf into a string; the format is a literal at every call, so the
// compiler checks the arguments against it.
[[gnu::format(printf, 1, 2)]] std::string formatListing(const char* format, ...);

// A disk name, stored as Shift_JIS, as UTF-8 text for the console: printable
// ASCII, half-width katakana and double-byte characters as themselves; the
// backslash, control bytes and every byte that is no whole Shift_JIS
// character as \xNN, so that a name can never change the terminal or hide
// its bytes.
std::string decodedName(const char* name);

// Appends a number to a comma-separated list.
void appendToList(std::string& list, int value);

// Marks the end of a list that was cut short.
void endCutList(std::string& list);

// Appends a word to a blank-separated list.
void appendWord(std::string& words, const std::string& word);

// Writes one listing line to standard output, without the blanks that empty
// last columns leave before its line break.
void writeListingLine(std::string line);
