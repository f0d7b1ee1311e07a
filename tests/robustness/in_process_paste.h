// imgpoke's whole run called in this process, with what it prints captured,
// for sweeps of thousands of runs where starting a program each time would
// cost minutes.
#pragma once

#include <string>
#include <vector>

#include "support/program_run.h"

ProgramResult pasteInProcess(const std::vector<std::string>& arguments);
