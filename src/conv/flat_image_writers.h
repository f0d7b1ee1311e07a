// The writers of plain sector images: raw (the data alone) and FDI (a
// 4,096-byte header describing the geometry, then the same data). Both
// refuse a disk that is not a plain grid (flat_layout.h).
#pragma once

#include "conv/byte_sink.h"
#include "conv/disk_model.h"
#include "conv/refusal.h"

bool writeRawImage(const DiskModel& disk, ByteSink& sink, Refusal& refusal);
bool writeFdiImage(const DiskModel& disk, ByteSink& sink, Refusal& refusal);
