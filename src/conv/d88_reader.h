// Reads one disk of a D88 file into a disk model through D88Image and its
// record cursor. Each present track is read as the number of records its
// first record's count field gives; the read is refused, naming the track,
// when a table entry or a record lies outside the disk or the file, when a
// count is 0 or disagrees with the first, or when two tracks share bytes (so
// the model never holds more data than the file).
//
// A header written with a 160-entry table (672 bytes) is read as such: table
// entries that would lie at or beyond the first track's data are not entries.
#pragma once

#include <cstdint>

#include "conv/disk_model.h"
#include "conv/refusal.h"

bool readD88Disk(const char* path, std::int32_t diskNumber, DiskModel& disk, Refusal& refusal);
