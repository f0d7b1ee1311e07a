// The reader of DIFC.X's DIM containers with a plain layout (2HD, 2HC, 2HQ
// and 26 x 256): each track flagged present becomes that track of the
// layout, the others stay absent. The 2HS and 2HDE layouts are refused,
// their sector numbers being uncertain.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readDimImage(const char* path, DiskModel& disk, Refusal& refusal);
