#include "conv/strict_number.h"

namespace {

constexpr std::int64_t kLargest = 0x7FFFFFFF;

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

}  // namespace

bool parseStrictNumber(std::string_view text, std::int32_t& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return false;
    }
    std::int64_t number = 0;
    for (const char c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            return false;
        }
        number = number * base + digit;
        if (number > kLargest) {
            return false;
        }
    }
    value = static_cast<std::int32_t>(number);
    return true;
}
