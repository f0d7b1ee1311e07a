#include "common/parse_number.h"

#include <cstdint>
#include <limits>

namespace {

bool isScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// The digits of one conversion: a magnitude that saturates instead of
// overflowing, and whether any digit was seen at all.
struct ScannedInteger {
    bool found = false;
    bool negative = false;
    bool saturated = false;
    std::uint64_t magnitude = 0;
};

// The standard integer scan: white space, an optional sign, for base 16 an
// optional 0x or 0X, then digits.
ScannedInteger scanInteger(const char* text, int base) {
    ScannedInteger result;
    while (isScanSpace(*text)) {
        ++text;
    }
    if (*text == '+' || *text == '-') {
        result.negative = *text == '-';
        ++text;
    }
    if (base == 16 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        digitValue(text[2], 16) >= 0) {
        text += 2;
    }
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (int digit = digitValue(*text, base); digit >= 0; digit = digitValue(*++text, base)) {
        result.found = true;
        const auto d = static_cast<std::uint64_t>(digit);
        if (result.magnitude > (kMax - d) / static_cast<std::uint64_t>(base)) {
            result.saturated = true;
        } else {
            result.magnitude = result.magnitude * static_cast<std::uint64_t>(base) + d;
        }
    }
    return result;
}

std::int32_t lowBits(std::uint64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

// Unsigned conversion as the C library does it on a 64-bit system: a negative
// number is negated modulo 2^64, anything beyond 64 bits becomes all ones.
std::int32_t hexResult(const ScannedInteger& scanned) {
    if (scanned.saturated) {
        return lowBits(std::numeric_limits<std::uint64_t>::max());
    }
    return lowBits(scanned.negative ? (0 - scanned.magnitude) : scanned.magnitude);
}

// Signed conversion as the C library does it on a 64-bit system: clamped to
// the 64-bit range, then reduced to its low 32 bits.
std::int32_t decimalResult(const ScannedInteger& scanned) {
    constexpr std::uint64_t kMaxPositive = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!scanned.negative) {
        return lowBits(scanned.saturated || scanned.magnitude > kMaxPositive ? kMaxPositive
                                                                              : scanned.magnitude);
    }
    const std::uint64_t magnitude =
        scanned.saturated || scanned.magnitude > kMaxPositive + 1 ? kMaxPositive + 1 : scanned.magnitude;
    return lowBits(0 - magnitude);
}

}  // namespace

std::int32_t parseNumber(const char* argument) {
    if (argument == nullptr) {
        return 0;
    }
    if (argument[0] == '0' && argument[1] == 'x') {
        const ScannedInteger hex = scanInteger(argument + 2, 16);
        if (hex.found) {
            return hexResult(hex);
        }
    }
    const ScannedInteger decimal = scanInteger(argument, 10);
    return decimal.found ? decimalResult(decimal) : 0;
}
