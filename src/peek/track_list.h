// The track list of one disk: its disk line, then one line per track-table
// entry that is not 0, with the column headings.
#pragma once

#include <cstdint>

#include "image/d88_image.h"

// The disk must exist in the image.
void printTrackList(D88Image& image, std::int32_t diskNumber);
