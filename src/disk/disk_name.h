// The name field of a disk header from a name typed at the console.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "d88/d88_format.h"

enum class DiskNameProblem {
    None,
    TooLong,      // more than 16 bytes once in Shift_JIS
    NotShiftJis,  // a character Shift_JIS cannot hold
};

struct DiskNameField {
    DiskNameProblem problem = DiskNameProblem::None;
    std::size_t encodedLength = 0;  // the name's Shift_JIS bytes
    // The name in Shift_JIS, padded with NUL to the whole field.
    std::array<std::uint8_t, d88::DiskHeader::nameFieldSize> bytes{};
};

// Encodes the name as the header stores it; a name that does not fit is
// refused whole, never cut.
DiskNameField encodeDiskName(const char* typed);
