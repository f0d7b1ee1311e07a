#include "command/single_sided_flag.h"

#include <cstring>

namespace {

constexpr const char* kSingleSidedFlag = "-s";

}  // namespace

FlaggedArguments takeSingleSidedFlag(int argc, char** argv) {
    FlaggedArguments arguments;
    arguments.singleSided = argc > 1 && std::strcmp(argv[1], kSingleSidedFlag) == 0;
    arguments.values = arguments.singleSided ? argv + 1 : argv;
    arguments.count = argc - 1 - (arguments.singleSided ? 1 : 0);
    return arguments;
}
