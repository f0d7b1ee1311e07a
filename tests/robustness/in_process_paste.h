// imgpoke's whole run called in this process, with what it prints captured,
// for sweeps of thousands of runs where starting a program each time would
// cost minutes.
#pragma once

#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"

ProgramResult pasteInProcess(const std::vector<std::string>& arguments);

// The whole file in one read: the sweeps read thousands of images, and the
// stream iterators of the shared helper cost seconds for that in a Debug build.
Bytes loadFile(const std::string& path);
