#include "peek/peek_command.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/messages.h"
#include "common/parse_number.h"
#include "image/d88_image.h"
#include "peek/disk_list.h"
#include "peek/sector_read.h"
#include "peek/track_list.h"

namespace {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,
};

constexpr const char* kSingleSidedFlag = "-s";

// The three forms by their argument counts (after "-s" for the third).
constexpr int kDiskListArguments = 1;
constexpr int kTrackListArguments = 2;
constexpr int kSectorReadArguments = 6;

// Argument positions of the sector read, before "-s" moves them on.
enum ReadArgument : int { kImagePath = 1, kDiskNumber = 2, kTrack = 3, kSector = 4, kLength = 5, kOutputPath = 6 };

void printUsage() {
    printMessage(stderr, Message::PasteUsageTitle);
    printMessage(stderr, Message::PeekUsageDiskList);
    printMessage(stderr, Message::PeekUsageTrackList);
    printMessage(stderr, Message::PeekUsageRead);
    printMessage(stderr, Message::PasteUsageSingleSided);
}

bool isSingleSidedFlag(const char* argument) { return std::strcmp(argument, kSingleSidedFlag) == 0; }

// Standard output must have taken the whole listing.
int listingStatus() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        printMessage(stderr, Message::ReadOutputWriteFailed);
        return kExitFailure;
    }
    return kExitSuccess;
}

int listDisks(const char* imagePath) {
    D88Image image;
    if (!image.openReadOnly(imagePath)) {
        printMessage(stderr, Message::CannotOpenImage);
        return kExitFailure;
    }
    printDiskList(image);
    return listingStatus();
}

int listTracks(const char* imagePath, std::int32_t diskNumber) {
    D88Image image;
    if (!image.openReadOnly(imagePath)) {
        printMessage(stderr, Message::CannotOpenImage);
        return kExitFailure;
    }
    if (diskNumber < 0 || diskNumber >= image.diskCount()) {
        printMessage(stderr, Message::NoSuchDisk);
        return kExitFailure;
    }
    printTrackList(image, diskNumber);
    return listingStatus();
}

int readSectors(char** arguments, bool singleSided) {
    SectorReadRequest request;
    request.imagePath = arguments[kImagePath];
    request.run.singleSided = singleSided;
    request.run.diskNumber = parseNumber(arguments[kDiskNumber]);
    request.run.track = parseNumber(arguments[kTrack]);
    request.run.sector = parseNumber(arguments[kSector]);
    request.length = parseNumber(arguments[kLength]);
    request.outputPath = arguments[kOutputPath];
    return readSectorsToFile(request);
}

}  // namespace

// One argument lists the disks, two list a disk's tracks, six or more
// (seven with "-s" first) read sectors; anything else is refused. "-s"
// belongs to the third form only.
int runPeekCommand(int argc, char** argv) {
    const int argCount = argc - 1;
    const bool singleSided = argCount >= 1 && isSingleSidedFlag(argv[1]);
    if (!singleSided && argCount == kDiskListArguments) {
        return listDisks(argv[1]);
    }
    if (!singleSided && argCount == kTrackListArguments) {
        return listTracks(argv[1], parseNumber(argv[2]));
    }
    const int readArguments = singleSided ? argCount - 1 : argCount;
    if (readArguments >= kSectorReadArguments) {
        return readSectors(singleSided ? argv + 1 : argv, singleSided);
    }
    printUsage();
    return kExitFailure;
}
