#include "common/messages.h"

#include <cstdio>
#include <string>

namespace message_table {

namespace {

// Flags and width of one conversion, as the text gives them.
struct ConversionFormat {
    bool leftAligned = false;
    bool zeroPadded = false;
    std::size_t width = 0;
    bool hexadecimal = false;
};

ConversionFormat readConversionFormat(std::string_view text, std::size_t& at) {
    ConversionFormat conversion;
    ++at;  // past '%'
    for (; at < text.size() && (text[at] == '-' || text[at] == '0' || text[at] == ' ' || text[at] == '+'); ++at) {
        conversion.leftAligned = conversion.leftAligned || text[at] == '-';
        conversion.zeroPadded = conversion.zeroPadded || text[at] == '0';
    }
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        conversion.width = conversion.width * 10 + static_cast<std::size_t>(text[at] - '0');
    }
    return conversion;
}

void appendPadded(std::string& out, std::string_view value, const ConversionFormat& conversion) {
    const std::size_t padding = value.size() < conversion.width ? conversion.width - value.size() : 0;
    if (!conversion.leftAligned) {
        out.append(padding, ' ');
    }
    out += value;
    if (conversion.leftAligned) {
        out.append(padding, ' ');
    }
}

void appendNumber(std::string& out, long long value, const ConversionFormat& conversion) {
    char digits[32];
    const int length = conversion.hexadecimal ? std::snprintf(digits, sizeof digits, "%llX", static_cast<unsigned long long>(value))
                                        : std::snprintf(digits, sizeof digits, "%lld", value);
    std::string_view shown(digits, length > 0 ? static_cast<std::size_t>(length) : 0);
    if (conversion.zeroPadded && !conversion.leftAligned && shown.size() < conversion.width) {
        const bool negative = value < 0;
        out += shown.substr(0, negative ? 1 : 0);
        out.append(conversion.width - shown.size(), '0');
        out += shown.substr(negative ? 1 : 0);
        return;
    }
    appendPadded(out, shown, conversion);
}

}  // namespace

std::string format(const char* text, const Argument* arguments, std::size_t count) {
    const std::string_view source(text);
    std::string out;
    std::size_t used = 0;
    for (std::size_t at = 0; at < source.size();) {
        if (source[at] != '%') {
            const std::size_t next = source.find('%', at);
            const std::size_t end = next == std::string_view::npos ? source.size() : next;
            out += source.substr(at, end - at);
            at = end;
            continue;
        }
        if (at + 1 < source.size() && source[at + 1] == '%') {
            out += '%';
            at += 2;
            continue;
        }
        ConversionFormat conversion = readConversionFormat(source, at);
        if (at < source.size()) {
            // The argument's own kind decides how it prints; X shows a
            // number in upper-case hexadecimal.
            conversion.hexadecimal = source[at] == 'X';
            ++at;
        }
        if (used < count) {
            const Argument& value = arguments[used++];
            if (value.kind == Conversion::Number) {
                appendNumber(out, value.number, conversion);
            } else {
                appendPadded(out, value.text, conversion);
            }
        }
    }
    return out;
}

}  // namespace message_table
