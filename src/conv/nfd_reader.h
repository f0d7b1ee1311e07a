// The reader of T98-Next's NFD containers (revisions 0 and 1, told apart by
// their signature): every sector with its identity as stored, its density,
// deleted mark and BIOS status, in its track-index place. Revision 1's retry
// copies and special-read data have no place in a D88 and are skipped by
// their declared lengths; the first copy of each sector is kept.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readNfdImage(const char* path, DiskModel& disk, Refusal& refusal);
