// The disk list: one line per disk of the file, with the column headings.
#pragma once

#include <cstdint>

#include "image/d88_image.h"

void printDiskHeading();

// Selects the disk and prints its line: number, media code and name,
// write protection, size field, usable track-table entries, name.
void printDiskLine(D88Image& image, std::int32_t number);

// The headings, then every disk's line.
void printDiskList(D88Image& image);
