#include "common/parse_number.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct NumberCase {
    const char* argument;
    std::int32_t expected;
};

// The documented examples and the forms a user is likely to type.
constexpr NumberCase kCases[] = {
    {"0x1A", 26},        {"0xFFFFFFFF", -1}, {"26", 26},     {"010", 10},   {"0X1A", 0},
    {"1A", 1},           {"A", 0},           {"0xe5", 229},  {"229", 229},  {"-27", -27},
    {"0x1E5", 485},      {"", 0},            {"0x", 0},      {"0xg", 0},    {"+5", 5},
    {"  42", 42},        {"0x 1a", 26},      {"0x0x1A", 26}, {"0x0X1A", 26}, {"0x-1", -1},
    {"0x+1a", 26},       {"-", 0},           {"12abc", 12},  {"0x10zz", 16}, {"0", 0},
    {"-0x10", 0},        {"//", 0},
};

TEST(ParseNumber, DocumentedAndCommonForms) {
    for (const NumberCase& c : kCases) {
        EXPECT_EQ(parseNumber(c.argument), c.expected) << "argument \"" << c.argument << "\"";
    }
}

// Numbers beyond 32 bits keep their low 32 bits; beyond 64 bits they saturate
// first, the way the C library's conversions do on a 64-bit system.
constexpr NumberCase kOutOfRange[] = {
    {"2147483647", 2147483647},
    {"2147483648", -2147483647 - 1},
    {"4294967296", 0},
    {"4294967297", 1},
    {"-2147483649", 2147483647},
    {"99999999999999999999", -1},
    {"-99999999999999999999", 0},
    {"0x123456789", 0x23456789},
    {"0x10000000000000000", -1},
    {"0x-FFFFFFFFFFFFFFFFFF", -1},
};

TEST(ParseNumber, OutOfRangeNumbersKeepTheirLowBits) {
    for (const NumberCase& c : kOutOfRange) {
        EXPECT_EQ(parseNumber(c.argument), c.expected) << "argument \"" << c.argument << "\"";
    }
}

// The C library's scanf, used the documented way, as an independent reference
// for every argument above (this machine's library defines what it does with
// out-of-range numbers).
std::int32_t scanReference(const char* argument) {
    int value = 0;
    unsigned int hex = 0;
    if (std::sscanf(argument, "0x%x", &hex) == 1) {
        return static_cast<std::int32_t>(hex);
    }
    if (std::sscanf(argument, "%d", &value) == 1) {
        return value;
    }
    return 0;
}

TEST(ParseNumber, AgreesWithTheLibraryScan) {
    for (const NumberCase& c : kCases) {
        EXPECT_EQ(parseNumber(c.argument), scanReference(c.argument)) << "argument \"" << c.argument << "\"";
    }
    for (const NumberCase& c : kOutOfRange) {
        EXPECT_EQ(parseNumber(c.argument), scanReference(c.argument)) << "argument \"" << c.argument << "\"";
    }
}

TEST(ParseNumber, NullArgumentIsZero) { EXPECT_EQ(parseNumber(nullptr), 0); }

}  // namespace
