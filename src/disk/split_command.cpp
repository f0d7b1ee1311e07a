// imgdisk split FILE [PREFIX]: every disk of FILE into PREFIX-0.d88,
// PREFIX-1.d88, ... All outputs are written and flushed before the first is
// renamed into place, so a failure in any leaves every existing one as it was.
#include <cstdio>
#include <string>
#include <vector>

#include "common/messages.h"
#include "disk/disk_checks.h"
#include "disk/disk_commands.h"
#include "command/exit_status.h"
#include "disk/output_file.h"

namespace {

constexpr const char* kOutputExtension = ".d88";

// The path without the extension of its last component; a name whose only
// dot is its first character has none.
std::string pathWithoutExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) {
        return path;
    }
    return path.substr(0, dot);
}

}  // namespace

int runSplit(CommandArguments arguments) {
    const char* imagePath = arguments[0];
    const std::string prefix = arguments.size() > 1 ? std::string(arguments[1]) : pathWithoutExtension(imagePath);

    SourceImage source;
    if (!source.open(imagePath)) {
        printMessage<Message::CannotOpenImage>(stderr);
        return kExitFailure;
    }
    if (refuseNoDisks(source) || refuseAnyUnsoundDisk(source)) {
        return kExitFailure;
    }
    // Constructed in place and never moved: each keeps its temporary file
    // until it is committed or dropped.
    std::vector<ReplacementFile> outputs(static_cast<std::size_t>(source.diskCount()));
    for (std::int32_t number = 0; number < source.diskCount(); ++number) {
        const std::string target = prefix + "-" + std::to_string(number) + kOutputExtension;
        if (!prepareOutput({{&source, source.disk(number)}}, target, outputs[static_cast<std::size_t>(number)])) {
            return kExitFailure;
        }
    }
    for (ReplacementFile& output : outputs) {
        if (!commitOutput(output)) {
            return kExitFailure;
        }
    }
    printMessage<Message::SplitResult>(stdout, source.diskCount());
    return kExitSuccess;
}
