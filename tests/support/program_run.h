#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What one run of a program left behind, as a user at a terminal would see it.
struct ProgramResult {
    int exitStatus = -1;  // 0-255, or -1 if the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the program with the given arguments (argv[0] is the program path) in
// workDir. The locale variables are cleared and LC_ALL is set to `locale`.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workDir, const std::string& locale = "C.UTF-8");

// The same with standard output sent to `standardOutput` (a device such as
// /dev/full) instead of being captured; `out` of the result stays empty.
ProgramResult runProgramWithOutputTo(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::filesystem::path& workDir,
                                     const std::filesystem::path& standardOutput);
