// Numbers in imgconv's options: decimal digits, or hexadecimal digits after
// "0x" or "0X"; nothing else in the text, no sign, at most 2^31 - 1.
#pragma once

#include <cstdint>
#include <string_view>

bool parseStrictNumber(std::string_view text, std::int32_t& value);
