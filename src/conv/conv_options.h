// imgconv's command line: options (anywhere, "--" ends them; values as the
// next argument or after "=") and the two operands INPUT and OUTPUT.
#pragma once

#include <cstdint>
#include <vector>

#include "conv/refusal.h"

struct ConvOptions {
    const char* from = nullptr;   // --from, or null for the input's extension
    const char* to = nullptr;     // --to, or null for the output's extension
    bool diskGiven = false;
    std::int32_t disk = 0;        // --disk
    const char* media = nullptr;  // --media, or null
    bool keepExisting = false;    // -n
    std::vector<const char*> operands;
};

// False with the refusal for an unknown option, a missing value or a disk
// number that is not one; the operands are not counted here.
bool parseConvOptions(int argc, char** argv, ConvOptions& options, Refusal& refusal);
