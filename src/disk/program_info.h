// imgdisk's usage block.
#pragma once

#include <cstdio>

void printDiskUsage(std::FILE* stream);
