// The one line that tells the user why imgconv stopped.
#pragma once

#include <cstdio>

#include "conv/refusal.h"

void printRefusal(std::FILE* stream, const Refusal& refusal);
