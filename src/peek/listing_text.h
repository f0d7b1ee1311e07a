// Small pieces of the listing lines: escaped names, number lists, and lines
// written without trailing blanks.
#pragma once

#include <cstdint>
#include <string>

// The name with every byte outside printable ASCII, and the backslash, shown
// as \xNN, so that a name can never change the terminal or hide its bytes.
std::string escapedName(const char* name);

// Appends a number to a comma-separated list.
void appendToList(std::string& list, int value);

// Marks the end of a list that was cut short.
void endCutList(std::string& list);

// Appends a word to a blank-separated list.
void appendWord(std::string& words, const std::string& word);

// Writes one listing line to standard output, without the blanks that empty
// last columns leave before its line break.
void writeListingLine(std::string line);
