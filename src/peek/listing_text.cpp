#include "peek/listing_text.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "common/console_text.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kLastPrintable = 0x7E;
constexpr unsigned char kFirstEightBitByte = 0x80;
constexpr char kListSeparator = ',';
constexpr char kWordSeparator = ' ';
constexpr const char* kCutListEnd = "...";

bool shownAsItself(unsigned char byte) { return byte >= kFirstPrintable && byte <= kLastPrintable && byte != '\\'; }

// U+0080 to U+009F, which some tables give single bytes: they could steer a
// terminal as much as the bytes below 0x20.
bool isControlCharacter(const std::string& utf8) {
    return utf8.size() == 2 && static_cast<unsigned char>(utf8[0]) == 0xC2 &&
           static_cast<unsigned char>(utf8[1]) < 0xA0;
}

// The first byte of a double-byte Shift_JIS character.
bool isLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

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

std::string decodedName(const char* name) {
    const std::string_view bytes(name);
    std::string shown;
    std::string character;
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (shownAsItself(byte)) {
            shown += bytes[at++];
            continue;
        }
        // One byte (half-width katakana) or a lead byte and its trail byte.
        const std::size_t length = isLeadByte(byte) && at + 1 < bytes.size() ? 2 : 1;
        if (byte >= kFirstEightBitByte && shiftJisToUtf8(bytes.substr(at, length), character) &&
            !isControlCharacter(character)) {
            shown += character;
            at += length;
            continue;
        }
        shown += formatListing("\\x%02X", static_cast<unsigned>(byte));
        ++at;
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
