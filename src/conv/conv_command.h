#pragma once

#include <cstdio>

// imgconv's usage block, on the given stream.
void printConvUsage(std::FILE* stream);

// The whole imgconv run: reads INPUT into a disk, writes it to OUTPUT in the
// other format (or refuses, leaving OUTPUT as it was), and prints one line;
// returns the process exit status.
int runConvCommand(int argc, char** argv);
