// The reader of Virtual98's FDD containers: every sector with its identity
// as stored, its density and deleted mark, in its track-index place; a
// sector stored as a fill byte becomes that byte repeated. The special-read
// settings have no place in a D88 and are not read.
#pragma once

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readFddImage(const char* path, DiskModel& disk, Refusal& refusal);
