// imgpeek's third form: reads `length` bytes from a start sector on through
// the following sectors, sides and cylinders, into a file or standard output.
#pragma once

#include <cstdint>

#include "command/sector_run_start.h"

struct SectorReadRequest {
    const char* imagePath = nullptr;
    SectorRunRequest run;
    std::int32_t length = 0;
    const char* outputPath = nullptr;  // "-" for standard output
};

// Makes the checks, reads, writes and reports; returns the exit status.
int readSectorsToFile(const SectorReadRequest& request);
