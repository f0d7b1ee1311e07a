// The disk list: one line per disk of the file, with the column headings.
#pragma once

#include <cstdint>

#include "image/d88_image.h"

void printDiskHeading();

// Prints the line of the selected disk, numbered `number`: its media code and
// name, write protection, size field, usable track-table entries and name.
// Only reads what the selection loaded; the caller selects.
void printDiskLine(const D88Image& image, std::int32_t number);

// The headings, then every disk's line; selects each disk in turn.
void printDiskList(D88Image& image);
