// imgdisk's usage block and version line.
#pragma once

#include <cstdio>

void printDiskUsage(std::FILE* stream);

// Answers "-h", "--help" or "--version" given as the only argument: the usage
// block or the version line on standard output. True, with the exit status
// set, when the command line was one of them.
bool answerHelpOrVersion(int argc, char** argv, int& exitStatus);
