#include "common/parse_number.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::int32_t lowBits(unsigned long long value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

}  // namespace

// The C library defines what happens beyond 64 bits: strtoull gives all ones,
// strtoll clamps to its range; a negative hexadecimal number is negated
// modulo 2^64. Either way the low 32 bits are kept.
std::int32_t parseNumber(const char* argument) {
    if (argument == nullptr) {
        return 0;
    }
    char* end = nullptr;
    if (argument[0] == '0' && argument[1] == 'x') {
        const char* digits = argument + 2;
        const unsigned long long hex = std::strtoull(digits, &end, 16);
        if (end != digits) {
            return lowBits(hex);
        }
    }
    const long long decimal = std::strtoll(argument, &end, 10);
    return end != argument ? lowBits(static_cast<unsigned long long>(decimal)) : 0;
}
