#pragma once

#include <cstddef>
#include <cstdint>

// The whole imgpeek run on an arbitrary image: the disk list, a track list or
// a sector read. Input: a flag byte, a 16-bit little-endian read length, a
// 32-bit little-endian image length and the image (cut to what is left),
// then the numeric arguments (diskno, track, sector) separated by NUL bytes.
// Flag bits 0-1 pick the form (disk list, track list, read, read with "-s"),
// bit 2 sends the read to standard output ("-"). Returns 0, or the number of
// the first invariant found broken (see the .cpp).
int runImgpeekFuzzInput(const std::uint8_t* data, std::size_t size);
