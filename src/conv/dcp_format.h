// The DCP and DCU containers of Disk Image Pro: a media byte, one
// "stored" flag per track index 0-159, and an all-tracks flag, followed by
// the data of the stored tracks only, in track-index order, each track a
// plain run of its sectors. DCU sets the all-tracks flag when every track of
// the media is stored; DCP writes 0 there.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dcp {

struct Header {
    static constexpr std::size_t size = 0xA2;
    static constexpr std::size_t mediaOffset = 0x00;
    static constexpr std::size_t storedFlagsOffset = 0x01;  // one byte per track index, not 0: stored
    static constexpr int storedFlags = 160;
    static constexpr std::size_t allTracksOffset = 0xA1;  // not 0: every track of the media is stored
};
static_assert(Header::storedFlagsOffset + Header::storedFlags == Header::allTracksOffset);

// Media bytes.
inline constexpr std::uint8_t kMedia2HD = 0x01;       // 77 x 2 x 8 x 1,024
inline constexpr std::uint8_t kMedia2HC = 0x02;       // 80 x 2 x 15 x 512
inline constexpr std::uint8_t kMedia144 = 0x03;       // 80 x 2 x 18 x 512
inline constexpr std::uint8_t kMedia2DD8 = 0x04;      // 80 x 2 x 8 x 512
inline constexpr std::uint8_t kMedia2DD9 = 0x05;      // 80 x 2 x 9 x 512
inline constexpr std::uint8_t kMedia144Large = 0x08;  // 80 x 2 x 9 x 1,024
inline constexpr std::uint8_t kMediaN88 = 0x11;       // 77 x 2 x 26: track 0 single density x 128, then 256
inline constexpr std::uint8_t kMedia2DDBasic = 0x19;  // 80 x 2 x 16 x 256
inline constexpr std::uint8_t kMedia2HD26 = 0x21;     // 77 or 80 x 2 x 26 x 256

}  // namespace dcp
