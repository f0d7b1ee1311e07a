#include "disk/disk_checks.h"

#include <cstdio>
#include <string>

#include "common/messages.h"
#include "d88/d88_format.h"

namespace {

struct ProblemMessage {
    DiskProblem problem;
    Message message;
};

constexpr ProblemMessage kProblemMessages[] = {
    {DiskProblem::SizeBelowHeader, Message::DiskSizeBelowHeader},
    {DiskProblem::PastEndOfFile, Message::DiskPastEndOfFile},
    {DiskProblem::TrackInsideHeader, Message::DiskTrackInsideHeader},
};

void printPathPrefix(const char* path) {
    if (path != nullptr) {
        printInputPathPrefix(path);
    }
}

}  // namespace

// The path is written as the bytes it was given, already in the console's
// encoding, so it is not converted like the message texts.
void printInputPathPrefix(const char* path) {
    const std::string prefix = formatMessage(Message::InputPathPrefix, path);
    std::fwrite(prefix.data(), 1, prefix.size(), stderr);
}

bool refuseMissingDisk(const SourceImage& source, std::int32_t number) {
    if (number >= 0 && number < source.diskCount()) {
        return false;
    }
    printMessage(stderr, Message::NoSuchDisk);
    return true;
}

bool refuseUnsoundDisk(const SourceImage& source, std::int32_t number, const char* path) {
    const DiskProblem problem = source.problem(number);
    for (const ProblemMessage& entry : kProblemMessages) {
        if (entry.problem == problem) {
            printPathPrefix(path);
            printMessage(stderr, entry.message, number);
            return true;
        }
    }
    return false;
}

bool refuseAnyUnsoundDisk(const SourceImage& source, const char* path) {
    const std::int32_t unsound = source.firstUnsoundDisk();
    return unsound >= 0 && refuseUnsoundDisk(source, unsound, path);
}

bool refuseNoDisks(const SourceImage& source, const char* path) {
    if (source.diskCount() > 0) {
        return false;
    }
    printPathPrefix(path);
    printMessage(stderr, Message::ImageHasNoDisks);
    return true;
}

bool refuseOversizedResult(std::int64_t disks, std::int64_t bytes) {
    if (disks > d88::kMaxDisks) {
        printMessage(stderr, Message::ResultTooManyDisks, static_cast<int>(disks));
        return true;
    }
    if (bytes > d88::kMaxFileOffset) {
        printMessage(stderr, Message::ResultTooLarge, static_cast<int>(d88::kMaxFileOffset));
        return true;
    }
    return false;
}
