#include "disk/program_info.h"

#include <cstring>

#include "common/messages.h"
#include "disk/disk_exit_status.h"

namespace {

constexpr Message kUsageLines[] = {
    Message::PasteUsageTitle,  Message::DiskUsageExtract, Message::DiskUsageSplit,
    Message::DiskUsageJoin,    Message::DiskUsageRemove,  Message::DiskUsageMove,
    Message::DiskUsageName,    Message::DiskUsageProtect, Message::DiskUsageMedia,
};

bool isOneOf(const char* argument, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        if (std::strcmp(argument, word) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void printDiskUsage(std::FILE* stream) {
    for (const Message line : kUsageLines) {
        printMessage(stream, line);
    }
}

bool answerHelpOrVersion(int argc, char** argv, int& exitStatus) {
    if (argc != 2) {
        return false;
    }
    if (isOneOf(argv[1], {"-h", "--help"})) {
        printDiskUsage(stdout);
    } else if (isOneOf(argv[1], {"--version"})) {
        printMessage(stdout, Message::DiskVersion, IMGTOOLS_VERSION);
    } else {
        return false;
    }
    exitStatus = std::fflush(stdout) == 0 ? kDiskExitSuccess : kDiskExitFailure;
    return true;
}
