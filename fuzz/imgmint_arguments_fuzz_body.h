#pragma once

#include <cstddef>
#include <cstdint>

// imgmint's command line from NUL-separated arguments: parseNumber on each,
// the keyword lookup and geometry checks, and the builder for every accepted
// geometry small enough to build. Returns 0, or 1 when a built image's size
// field does not describe it.
int runImgmintArgumentsFuzzInput(const std::uint8_t* data, std::size_t size);
