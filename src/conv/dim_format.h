// The DIM container of the X68000 copy tool DIFC.X: a 256-byte header with
// a media byte, one "present" flag per track index, a signature and a
// comment; then the tracks in track-index order, each at the place its index
// gives (track t at header + t x the track length), each a plain run of its
// sectors. The file may end after its last present track.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dim {

struct Header {
    static constexpr std::size_t size = 0x100;
    static constexpr std::size_t mediaOffset = 0x00;
    static constexpr std::size_t presentFlagsOffset = 0x01;  // one byte per track index, not 0: present
    static constexpr int presentFlags = 170;
    static constexpr std::size_t signatureOffset = 0xAB;
};
static_assert(Header::presentFlagsOffset + Header::presentFlags == Header::signatureOffset);

inline constexpr std::string_view kSignature{"DIFC HEADER  "};

// Media bytes with a plain layout: sectors 1 to n of one size on every track.
inline constexpr std::uint8_t kMedia2HD = 0;    // 8 x 1,024
inline constexpr std::uint8_t kMedia2HC = 2;    // 15 x 512
inline constexpr std::uint8_t kMedia2HQ = 9;    // 18 x 512
inline constexpr std::uint8_t kMedia2HD26 = 17;  // 26 x 256
// Media bytes whose sector numbers the sources disagree on (2HS, 2HDE); not read.
inline constexpr std::uint8_t kMedia2HS = 1;
inline constexpr std::uint8_t kMedia2HDE = 3;

}  // namespace dim
