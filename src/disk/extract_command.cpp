// imgdisk extract FILE N OUT: disk N alone, as it stands in FILE, into OUT.
#include <cstdio>

#include "common/messages.h"
#include "common/parse_number.h"
#include "disk/disk_checks.h"
#include "disk/disk_commands.h"
#include "disk/disk_exit_status.h"
#include "disk/output_file.h"

int runExtract(CommandArguments arguments) {
    const char* imagePath = arguments[0];
    const std::int32_t number = parseNumber(arguments[1]);
    const char* outputPath = arguments[2];

    SourceImage source;
    if (!source.open(imagePath)) {
        printMessage(stderr, Message::CannotOpenImage);
        return kDiskExitFailure;
    }
    if (refuseMissingDisk(source, number) || refuseUnsoundDisk(source, number)) {
        return kDiskExitFailure;
    }
    const ByteSlice disk = source.disk(number);
    if (!writeOutput({{&source, disk}}, outputPath)) {
        return kDiskExitFailure;
    }
    printMessage(stdout, Message::ExtractResult, number, static_cast<int>(disk.length));
    return kDiskExitSuccess;
}
