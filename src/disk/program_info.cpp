#include "disk/program_info.h"

#include "common/messages.h"

namespace {

constexpr Message kUsageLines[] = {
    Message::PasteUsageTitle,  Message::DiskUsageExtract, Message::DiskUsageSplit,
    Message::DiskUsageJoin,    Message::DiskUsageRemove,  Message::DiskUsageMove,
    Message::DiskUsageName,    Message::DiskUsageProtect, Message::DiskUsageMedia,
};

}  // namespace

void printDiskUsage(std::FILE* stream) {
    for (const Message line : kUsageLines) {
        printMessage(stream, line);
    }
}
