// The user's language: the locale from the environment, and the English
// catalog of the messages, found beside the program (the build tree's
// share/locale, or the installed one under the same prefix).
#pragma once

// Sets the locale from the environment and opens the message catalog. Every
// program calls it first.
void startLocale();

// The text in the user's language: the catalog's translation under a locale
// that has one (English), else the text itself.
const char* translated(const char* text);
