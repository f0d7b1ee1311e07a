#include "peek/listing_text.h"

#include <cstdio>

#include "common/console_text.h"
#include "common/messages.h"

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kLastPrintable = 0x7E;
constexpr char kListSeparator = ',';
constexpr char kWordSeparator = ' ';
constexpr const char* kCutListEnd = "...";

bool shownAsItself(unsigned char byte) { return byte >= kFirstPrintable && byte <= kLastPrintable && byte != '\\'; }

}  // namespace

std::string escapedName(const char* name) {
    std::string shown;
    for (const char* at = name; *at != '\0'; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if (shownAsItself(byte)) {
            shown += *at;
        } else {
            shown += formatMessage(Message::EscapedByte, static_cast<unsigned>(byte));
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
