#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// What one run of a program left behind, as a user at a terminal would see it.
struct ProgramResult {
    int exitStatus = -1;  // 0-255, or -1 if the program did not exit normally
    std::string out;
    std::string err;
};

// Limits the program runs under, set in the child before it starts.
struct ProgramLimits {
    // The largest file the program may write (RLIMIT_FSIZE), 0 for no limit.
    // SIGXFSZ is ignored, so a write past it fails as on a full file system
    // instead of ending the program.
    std::uint64_t fileSizeLimit = 0;
};

// Runs the program with the given arguments (argv[0] is the program path) in
// workDir. The locale variables are cleared and LC_ALL is set to `locale`.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workDir, const std::string& locale = "C.UTF-8",
                         const ProgramLimits& limits = {});

// The same with standard output sent to `standardOutput` (a device such as
// /dev/full) instead of being captured; `out` of the result stays empty.
ProgramResult runProgramWithOutputTo(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::filesystem::path& workDir,
                                     const std::filesystem::path& standardOutput);
