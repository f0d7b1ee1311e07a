// Writes a disk as a one-disk D88 image: the 688-byte header with the name,
// write protection, media code, size and track table, then each present
// track's records in track-index order. A disk laid out by grid_disk comes
// out byte for byte as the formatter makes that geometry.
#pragma once

#include "conv/byte_sink.h"
#include "conv/disk_model.h"
#include "conv/refusal.h"

bool writeD88Image(const DiskModel& disk, ByteSink& sink, Refusal& refusal);
