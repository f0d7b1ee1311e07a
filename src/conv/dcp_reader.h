// The reader of Disk Image Pro's DCP and DCU containers: the media byte
// gives the geometry (the N88-BASIC layout's single-density first track
// included), the flags which tracks are stored; tracks not stored stay
// absent.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readDcpImage(const char* path, DiskModel& disk, Refusal& refusal);
