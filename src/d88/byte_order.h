// Little-endian field access, assembled byte by byte so that the host's byte
// order never matters and unaligned positions are fine.
#pragma once

#include <cstdint>

namespace d88 {

inline std::uint16_t readLE16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// Offsets and sizes in a D88 file are handled as signed 32-bit numbers; the
// unsigned pattern is converted explicitly (well defined since C++20).
inline std::int32_t readLE32(const std::uint8_t* at) {
    const std::uint32_t value = static_cast<std::uint32_t>(at[0]) |
                                (static_cast<std::uint32_t>(at[1]) << 8) |
                                (static_cast<std::uint32_t>(at[2]) << 16) |
                                (static_cast<std::uint32_t>(at[3]) << 24);
    return static_cast<std::int32_t>(value);
}

inline void writeLE16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

inline void writeLE32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    at[2] = static_cast<std::uint8_t>((value >> 16) & 0xFF);
    at[3] = static_cast<std::uint8_t>((value >> 24) & 0xFF);
}

}  // namespace d88
