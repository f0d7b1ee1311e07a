// The DIP container: a 256-byte header of unknown meaning (a comment from
// byte 0x10 on) and the 2HD disk's 77 x 2 x 8 x 1,024 bytes of sector data
// in cylinder, head, sector order. Only its size says what it is.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dip {

inline constexpr std::size_t kHeaderSize = 0x100;
inline constexpr std::int32_t kTracks = 154;
inline constexpr std::int32_t kSectors = 8;
inline constexpr std::int32_t kSizeCode = 3;

}  // namespace dip
