#pragma once

#include <cstdint>

// Turns one command-line argument into a signed 32-bit number: "0x" followed
// by a hexadecimal conversion, otherwise a decimal conversion, otherwise 0.
// Never octal. Out-of-range values keep their low 32 bits.
std::int32_t parseNumber(const char* argument);
