// The readers of plain sector images: raw, whose geometry comes from
// --media, the file name or its size (raw_geometry.h), and FDI, whose
// geometry comes from its header. Either becomes the disk a freshly
// formatted image of that geometry is, holding the file's sector data.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

// `media` is the --media argument, or null.
bool readRawImage(const char* path, const char* media, DiskModel& disk, Refusal& refusal);

bool readFdiImage(const char* path, DiskModel& disk, Refusal& refusal);
