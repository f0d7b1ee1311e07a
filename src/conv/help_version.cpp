#include "conv/help_version.h"

#include <cstring>

#include "common/messages.h"

#ifndef IMGTOOLS_VERSION
#error "IMGTOOLS_VERSION must be defined by the build"
#endif

bool answerHelpOrVersion(int argc, char** argv, const char* program, void (*printUsage)(std::FILE*), int& status) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0) {
            return false;
        }
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
            printUsage(stdout);
        } else if (std::strcmp(argument, "--version") == 0) {
            printMessage(stdout, Message::ProgramVersion, program, IMGTOOLS_VERSION);
        } else {
            continue;
        }
        status = std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
        return true;
    }
    return false;
}
