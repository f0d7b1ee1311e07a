#pragma once

#include <cstddef>
#include <cstdint>

// D88Image over an arbitrary image: the input's first bytes choose the
// stepping mode, the sector range and two sector runs, the rest is the image
// file. Every listed disk is selected, every track index listed, and the runs
// written and read, read-only and for update. Returns 0, or the number of the
// first invariant found broken (see the .cpp).
int runD88ImageFuzzInput(const std::uint8_t* data, std::size_t size);

// Bytes before the image in an input of this target.
inline constexpr std::size_t kD88ImageFuzzControlBytes = 18;
