// -h, --help and --version: answered before anything else is read.
#pragma once

#include <cstdio>

// When an argument before any "--" is -h or --help (the usage block to
// standard output) or --version ("<program> <version>"), prints the answer
// to the first such argument, sets `status` to 0 and returns true.
bool answerHelpOrVersion(int argc, char** argv, const char* program, void (*printUsage)(std::FILE*), int& status);
