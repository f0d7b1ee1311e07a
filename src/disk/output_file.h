// Writing a result file from slices of input files: into a temporary file
// beside the target, flushed to the disk, then renamed over the target. Each
// step prints its one line when it fails, and leaves the target as it was.
#pragma once

#include <string>
#include <vector>

#include "common/replacement_file.h"
#include "disk/source_image.h"

struct OutputPiece {
    const SourceImage* source = nullptr;
    ByteSlice bytes;
};

using OutputPlan = std::vector<OutputPiece>;

// Writes the pieces, in order, to a temporary file for `target` and
// finishes it; only the rename is left.
bool prepareOutput(const OutputPlan& plan, const std::string& target, ReplacementFile& output);

// Renames a prepared output over its target.
bool commitOutput(ReplacementFile& output);

// Both steps for a single output.
bool writeOutput(const OutputPlan& plan, const std::string& target);
