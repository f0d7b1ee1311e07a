// imgdisk join OUT IN...: the disks of every input, in order, into OUT.
// Bytes after an input's last disk are not disks and are left out.
#include <cstdio>
#include <vector>

#include "common/messages.h"
#include "disk/disk_checks.h"
#include "disk/disk_commands.h"
#include "command/exit_status.h"
#include "disk/output_file.h"

int runJoin(CommandArguments arguments) {
    const char* outputPath = arguments[0];
    const CommandArguments inputPaths = arguments.subspan(1);

    std::vector<SourceImage> sources;
    sources.reserve(inputPaths.size());
    OutputPlan plan;
    std::int64_t totalBytes = 0;
    for (const char* inputPath : inputPaths) {
        SourceImage& source = sources.emplace_back();
        if (!source.open(inputPath)) {
            printInputPathPrefix(inputPath);
            printMessage<Message::CannotOpenImage>(stderr);
            return kExitFailure;
        }
        if (refuseNoDisks(source, inputPath) || refuseAnyUnsoundDisk(source, inputPath)) {
            return kExitFailure;
        }
        for (std::int32_t number = 0; number < source.diskCount(); ++number) {
            plan.push_back({&source, source.disk(number)});
            totalBytes += source.disk(number).length;
        }
        // Checked input by input, so that no more files are held open than
        // a result can draw from.
        if (refuseOversizedResult(static_cast<std::int64_t>(plan.size()), totalBytes)) {
            return kExitFailure;
        }
    }
    if (!writeOutput(plan, outputPath)) {
        return kExitFailure;
    }
    printMessage<Message::JoinResult>(stdout, static_cast<int>(plan.size()), static_cast<int>(totalBytes));
    return kExitSuccess;
}
