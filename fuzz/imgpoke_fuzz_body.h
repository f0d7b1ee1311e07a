#pragma once

#include <cstddef>
#include <cstdint>

// The whole imgpoke run on an arbitrary image, source and command line.
// Input: a flag byte, a 32-bit little-endian image length and the image, a
// 32-bit source length and the source (lengths are cut to what is left),
// then the numeric arguments separated by NUL bytes. Flag bit 0 puts "-s"
// first, bit 1 names a missing image, bit 2 a missing source. Returns 0, or
// the number of the first invariant found broken (see the .cpp).
int runImgpokeFuzzInput(const std::uint8_t* data, std::size_t size);
