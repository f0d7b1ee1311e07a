#include "disk/disk_checks.h"

#include <cstdio>
#include <string>

#include "common/messages.h"
#include "d88/d88_format.h"

namespace {

// A switch without a default, so that the compiler reports a problem that
// has no message; false for a sound disk.
bool printProblem(DiskProblem problem, std::int32_t number) {
    switch (problem) {
        case DiskProblem::SizeBelowHeader:
            printMessage<Message::DiskSizeBelowHeader>(stderr, number);
            return true;
        case DiskProblem::PastEndOfFile:
            printMessage<Message::DiskPastEndOfFile>(stderr, number);
            return true;
        case DiskProblem::TrackInsideHeader:
            printMessage<Message::DiskTrackInsideHeader>(stderr, number);
            return true;
        case DiskProblem::None:
            break;
    }
    return false;
}

void printPathPrefix(const char* path) {
    if (path != nullptr) {
        printInputPathPrefix(path);
    }
}

}  // namespace

// The path is written as the bytes it was given, already in the console's
// encoding, so it is not converted like the message texts.
void printInputPathPrefix(const char* path) {
    const std::string prefix = formatMessage<Message::InputPathPrefix>(path);
    std::fwrite(prefix.data(), 1, prefix.size(), stderr);
}

bool refuseMissingDisk(const SourceImage& source, std::int32_t number) {
    if (number >= 0 && number < source.diskCount()) {
        return false;
    }
    printMessage<Message::NoSuchDisk>(stderr);
    return true;
}

bool refuseUnsoundDisk(const SourceImage& source, std::int32_t number, const char* path) {
    const DiskProblem problem = source.problem(number);
    if (problem == DiskProblem::None) {
        return false;
    }
    printPathPrefix(path);
    return printProblem(problem, number);
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
    printMessage<Message::ImageHasNoDisks>(stderr);
    return true;
}

bool refuseOversizedResult(std::int64_t disks, std::int64_t bytes) {
    if (disks > d88::kMaxDisks) {
        printMessage<Message::ResultTooManyDisks>(stderr, static_cast<int>(disks));
        return true;
    }
    if (bytes > d88::kMaxFileOffset) {
        printMessage<Message::ResultTooLarge>(stderr, static_cast<int>(d88::kMaxFileOffset));
        return true;
    }
    return false;
}
