// imgdisk remove FILE N and imgdisk move FILE N M: FILE rewritten with its
// disks in a new order. The bytes after the last disk stay at the end.
#include <cstdio>
#include <vector>

#include "common/messages.h"
#include "common/parse_number.h"
#include "disk/disk_checks.h"
#include "disk/disk_commands.h"
#include "command/exit_status.h"
#include "disk/output_file.h"

namespace {

// Writes the disks in `order`, then the trailing bytes, over the file.
bool rewriteInOrder(const char* imagePath, const SourceImage& source, const std::vector<std::int32_t>& order) {
    OutputPlan plan;
    std::int64_t totalBytes = 0;
    for (const std::int32_t number : order) {
        plan.push_back({&source, source.disk(number)});
        totalBytes += source.disk(number).length;
    }
    const ByteSlice trailing = source.trailingBytes();
    plan.push_back({&source, trailing});
    totalBytes += trailing.length;
    return !refuseOversizedResult(static_cast<std::int64_t>(order.size()), totalBytes) &&
           writeOutput(plan, imagePath);
}

std::vector<std::int32_t> diskNumbersExcept(const SourceImage& source, std::int32_t left) {
    std::vector<std::int32_t> order;
    for (std::int32_t number = 0; number < source.diskCount(); ++number) {
        if (number != left) {
            order.push_back(number);
        }
    }
    return order;
}

}  // namespace

int runRemove(CommandArguments arguments) {
    const char* imagePath = arguments[0];
    const std::int32_t number = parseNumber(arguments[1]);

    SourceImage source;
    if (!source.open(imagePath)) {
        printMessage<Message::CannotOpenImage>(stderr);
        return kExitFailure;
    }
    // Every disk after N moves, so every disk must be sound.
    if (refuseMissingDisk(source, number) || refuseAnyUnsoundDisk(source)) {
        return kExitFailure;
    }
    if (!rewriteInOrder(imagePath, source, diskNumbersExcept(source, number))) {
        return kExitFailure;
    }
    printMessage<Message::RemoveResult>(stdout, number, source.diskCount() - 1);
    return kExitSuccess;
}

int runMove(CommandArguments arguments) {
    const char* imagePath = arguments[0];
    const std::int32_t number = parseNumber(arguments[1]);
    const std::int32_t target = parseNumber(arguments[2]);

    SourceImage source;
    if (!source.open(imagePath)) {
        printMessage<Message::CannotOpenImage>(stderr);
        return kExitFailure;
    }
    if (refuseMissingDisk(source, number)) {
        return kExitFailure;
    }
    if (target < 0 || target >= source.diskCount()) {
        printMessage<Message::MoveTargetOutOfRange>(stderr);
        return kExitFailure;
    }
    if (refuseAnyUnsoundDisk(source)) {
        return kExitFailure;
    }
    std::vector<std::int32_t> order = diskNumbersExcept(source, number);
    order.insert(order.begin() + target, number);
    if (!rewriteInOrder(imagePath, source, order)) {
        return kExitFailure;
    }
    printMessage<Message::MoveResult>(stdout, number, target);
    return kExitSuccess;
}
