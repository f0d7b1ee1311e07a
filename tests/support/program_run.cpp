#include "support/program_run.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <sstream>

#include "argument_vector.h"
#include "support/temp_dir.h"

namespace {

std::string readText(const std::filesystem::path& path) {
    const Bytes bytes = readFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

[[noreturn]] void runChild(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workDir, const std::string& locale,
                           const ProgramLimits& limits, const std::filesystem::path& outPath,
                           const std::filesystem::path& errPath) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::dup2(in, 0) < 0 ||
        ::chdir(workDir.c_str()) != 0) {
        ::_exit(127);
    }
    for (const char* name : {"LANG", "LANGUAGE", "LC_CTYPE", "LC_MESSAGES"}) {
        ::unsetenv(name);
    }
    ::setenv("LC_ALL", locale.c_str(), 1);
    if (limits.fileSizeLimit > 0) {
        // Both survive exec: an ignored signal stays ignored.
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {limits.fileSizeLimit, limits.fileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            ::_exit(127);
        }
    }
    std::vector<std::string> texts = arguments;
    std::vector<char*> argv = argumentVector(program.c_str(), texts);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

}  // namespace

namespace {

ProgramResult runCapturing(const std::string& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workDir, const std::string& locale,
                           const ProgramLimits& limits, const std::filesystem::path& standardOutput) {
    // The captured streams live beside the work directory, not in it, so that
    // the program sees only the files a test put there.
    static int runNumber = 0;
    std::ostringstream stem;
    stem << workDir.filename().string() << ".run" << ::getpid() << "." << runNumber++;
    const std::filesystem::path outPath = workDir.parent_path() / (stem.str() + ".out");
    const std::filesystem::path errPath = workDir.parent_path() / (stem.str() + ".err");

    ProgramResult result;
    const bool capturesOutput = standardOutput.empty();
    const pid_t child = ::fork();
    if (child == 0) {
        runChild(program, arguments, workDir, locale, limits, capturesOutput ? outPath : standardOutput, errPath);
    }
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    if (capturesOutput) {
        result.out = readText(outPath);
    }
    result.err = readText(errPath);
    std::error_code ignored;
    std::filesystem::remove(outPath, ignored);
    std::filesystem::remove(errPath, ignored);
    return result;
}

}  // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workDir, const std::string& locale,
                         const ProgramLimits& limits) {
    return runCapturing(program, arguments, workDir, locale, limits, {});
}

ProgramResult runProgramWithOutputTo(const std::string& program, const std::vector<std::string>& arguments,
                                     const std::filesystem::path& workDir,
                                     const std::filesystem::path& standardOutput) {
    return runCapturing(program, arguments, workDir, "C.UTF-8", {}, standardOutput);
}
