#include "disk/disk_command.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "command/exit_status.h"
#include "command/standard_options.h"
#include "disk/disk_commands.h"
#include "disk/program_info.h"

namespace {

constexpr int kAnyNumber = std::numeric_limits<int>::max();

struct CommandEntry {
    const char* word;
    int fewestArguments;  // after the command word
    int mostArguments;
    int (*run)(CommandArguments);
};

constexpr CommandEntry kCommands[] = {
    {"extract", 3, 3, runExtract}, {"split", 1, 2, runSplit},     {"join", 2, kAnyNumber, runJoin},
    {"remove", 2, 2, runRemove},   {"move", 3, 3, runMove},       {"name", 3, 3, runName},
    {"protect", 3, 3, runProtect}, {"media", 3, 3, runMedia},
};

const CommandEntry* findCommand(const char* word) {
    for (const CommandEntry& entry : kCommands) {
        if (std::strcmp(word, entry.word) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

// A command word it does not know, or a count of arguments the command does
// not take (extra ones too, since every command changes files), gets the
// usage block on standard error.
int runDiskCommand(int argc, char** argv) {
    if (const auto answered = answerStandardOption(argc, argv, "imgdisk", printDiskUsage)) {
        return *answered;
    }
    const CommandEntry* command = argc >= 2 ? findCommand(argv[1]) : nullptr;
    const int argumentCount = argc - 2;
    if (command == nullptr || argumentCount < command->fewestArguments || argumentCount > command->mostArguments) {
        printDiskUsage(stderr);
        return kExitFailure;
    }
    return command->run(CommandArguments(argv + 2, static_cast<std::size_t>(argumentCount)));
}
