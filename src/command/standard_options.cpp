#include "command/standard_options.h"

#include <string_view>

#include "command/standard_output.h"

std::optional<ExitStatus> answerStandardOption(int argc, char** argv, const char* programName,
                                               UsagePrinter printUsage) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view option = argv[1];
    if (option == "-h" || option == "--help") {
        printUsage(stdout);
    } else if (option == "--version") {
        std::printf("%s %s\n", programName, IMGTOOLS_VERSION);
    } else {
        return std::nullopt;
    }
    return endAfterResultLine(kExitFailure);
}
