// The reader of DIP containers: a 2HD disk of 77 x 2 x 8 x 1,024 bytes
// behind a 256-byte header, which is not read.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readDipImage(const char* path, DiskModel& disk, Refusal& refusal);
