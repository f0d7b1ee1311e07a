#include "disk/output_file.h"

#include <sys/stat.h>

#include <cstdio>

#include "common/messages.h"
#include "disk/slice_copy.h"

namespace {

// A directory cannot be renamed over; finding it now, before anything is
// written, keeps one such target of a split from failing after others were
// renamed into place.
bool isDirectory(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool prepareOutput(const OutputPlan& plan, const std::string& target, ReplacementFile& output) {
    if (isDirectory(target) || !output.begin(target)) {
        printMessage<Message::CannotOpenReadOutput>(stderr);
        return false;
    }
    for (const OutputPiece& piece : plan) {
        const CopyOutcome outcome = copySlice(*piece.source, piece.bytes, output);
        if (outcome != CopyOutcome::Copied) {
            output.abandon();
            printMessage(stderr, outcome == CopyOutcome::ReadFailed ? Message::ImageReadFailed
                                                                    : Message::ReadOutputWriteFailed);
            return false;
        }
    }
    if (!output.finish()) {
        printMessage<Message::ReadOutputWriteFailed>(stderr);
        return false;
    }
    return true;
}

bool commitOutput(ReplacementFile& output) {
    if (!output.commit()) {
        printMessage<Message::ReadOutputWriteFailed>(stderr);
        return false;
    }
    return true;
}

bool writeOutput(const OutputPlan& plan, const std::string& target) {
    ReplacementFile output;
    return prepareOutput(plan, target, output) && commitOutput(output);
}
