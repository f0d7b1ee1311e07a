#pragma once

#include <cstdint>
#include <string>

#include "support/temp_dir.h"

// What a freshly formatted single-disk image should hold, written down in the
// test's own terms.
struct ExpectedLayout {
    std::uint8_t mediaCode;
    int tracks;
    int sectors;
    int sizeCode;
    bool doubleSided;
    bool singleDensityFirstTrack;
    std::uint8_t fill;
};

// Walks the image through its own track table, record by record, and checks
// every byte against the expected layout. Returns an empty string when the
// image is exactly right, else a description of the first difference.
std::string checkFormattedLayout(const Bytes& image, const ExpectedLayout& expected);
