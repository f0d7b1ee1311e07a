// imgdisk extract FILE N OUT: disk N alone, as it stands in FILE, into OUT.
#include <cstdio>

#include "common/messages.h"
#include "common/parse_number.h"
#include "disk/disk_checks.h"
#include "disk/disk_commands.h"
#include "command/exit_status.h"
#include "disk/output_file.h"

int runExtract(CommandArguments arguments) {
    const char* imagePath = arguments[0];
    const std::int32_t number = parseNumber(arguments[1]);
    const char* outputPath = arguments[2];

    SourceImage source;
    if (!source.open(imagePath)) {
        printMessage<Message::CannotOpenImage>(stderr);
        return kExitFailure;
    }
    if (refuseMissingDisk(source, number) || refuseUnsoundDisk(source, number)) {
        return kExitFailure;
    }
    const ByteSlice disk = source.disk(number);
    if (!writeOutput({{&source, disk}}, outputPath)) {
        return kExitFailure;
    }
    printMessage<Message::ExtractResult>(stdout, number, static_cast<int>(disk.length));
    return kExitSuccess;
}
