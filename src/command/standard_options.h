// The options every program answers the same way, when given as the only
// argument: -h or --help writes the usage block to standard output, and
// --version writes the program's name and the project's version.
#pragma once

#include <cstdio>
#include <optional>

#include "command/exit_status.h"

using UsagePrinter = void (*)(std::FILE* stream);

// The exit status when the command line was one of these options (the
// answer is written), or nothing when the command goes on as usual.
std::optional<ExitStatus> answerStandardOption(int argc, char** argv, const char* programName,
                                               UsagePrinter printUsage);
