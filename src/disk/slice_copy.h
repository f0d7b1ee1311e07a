// Copies stretches of an input file into an output in fixed-size chunks, so
// that a disk of any size passes through one small buffer.
#pragma once

#include "common/replacement_file.h"
#include "disk/source_image.h"

enum class CopyOutcome {
    Copied,
    ReadFailed,   // the input ended early or could not be read
    WriteFailed,  // the output did not take the bytes
};

CopyOutcome copySlice(const SourceImage& source, ByteSlice slice, ReplacementFile& output);
