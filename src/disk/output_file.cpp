#include "disk/output_file.h"

#include <cstdio>

#include "common/messages.h"
#include "disk/slice_copy.h"

bool prepareOutput(const OutputPlan& plan, const std::string& target, ReplacementFile& output) {
    if (!output.begin(target)) {
        printMessage(stderr, Message::CannotOpenReadOutput);
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
        printMessage(stderr, Message::ReadOutputWriteFailed);
        return false;
    }
    return true;
}

bool commitOutput(ReplacementFile& output) {
    if (!output.commit()) {
        printMessage(stderr, Message::ReadOutputWriteFailed);
        return false;
    }
    return true;
}

bool writeOutput(const OutputPlan& plan, const std::string& target) {
    ReplacementFile output;
    return prepareOutput(plan, target, output) && commitOutput(output);
}
