#pragma once

#include <cstddef>
#include <cstdint>

// The whole imgconv run on an arbitrary input file: the input's first five
// bytes choose the formats and options, the rest is the file. Control bytes:
// flags (bits 0-1 input format d88/raw/fdi/container, bits 2-3 output format
// d88/raw/fdi/raw, bit 4 gives --disk, bit 5 gives --media to a raw input,
// bits 6-7 its type 2d/2dd/1d/1dd), the disk number, and the sector count,
// N and track count of --media; for a container input the third control
// byte (modulo 5) picks nfd/fdd/dcp/dip/dim. Output goes to standard output.
// Returns 0, or the number of the first invariant found broken (see the
// .cpp).
int runImgconvFuzzInput(const std::uint8_t* data, std::size_t size);

inline constexpr std::size_t kImgconvFuzzControlBytes = 5;
