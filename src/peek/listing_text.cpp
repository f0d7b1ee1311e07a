#include "peek/listing_text.h"

#include <cstdarg>
#include <cstdio>

#include "common/console_text.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kLastPrintable = 0x7E;
constexpr char kListSeparator = ',';
constexpr char kWordSeparator = ' ';
constexpr const char* kCutListEnd = "...";

bool shownAsItself(unsigned char byte) { return byte >= kFirstPrintable && byte <= kLastPrintable && byte != '\\'; }

}  // namespace

std::string formatListing(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, arguments);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(arguments);
    return text;
}

std::string escapedName(const char* name) {
    std::string shown;
    for (const char* at = name; *at != '\0'; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if (shownAsItself(byte)) {
            shown += *at;
        } else {
            shown += formatListing("\\x%02X", static_cast<unsigned>(byte));
        }
    }
    return shown;
}

void appendToList(std::string& list, int value) {
    if (!list.empty()) {
        list += kListSeparator;
    }
    list += std::to_string(value);
}

void endCutList(std::string& list) {
    list += kListSeparator;
    list += kCutListEnd;
}

void appendWord(std::string& words, const std::string& word) {
    if (!words.empty()) {
        words += kWordSeparator;
    }
    words += word;
}

void writeListingLine(std::string line) {
    std::size_t end = line.size();
    if (end > 0 && line[end - 1] == '\n') {
        --end;
    }
    std::size_t kept = end;
    while (kept > 0 && line[kept - 1] == kWordSeparator) {
        --kept;
    }
    line.erase(kept, end - kept);
    writeConsoleText(stdout, line);
}
