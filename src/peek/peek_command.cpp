#include "peek/peek_command.h"

#include <cstdint>
#include <cstdio>

#include "command/exit_status.h"
#include "command/image_access.h"
#include "command/single_sided_flag.h"
#include "command/standard_options.h"
#include "command/standard_output.h"
#include "common/messages.h"
#include "common/parse_number.h"
#include "image/d88_image.h"
#include "peek/disk_list.h"
#include "peek/sector_read.h"
#include "peek/track_list.h"

namespace {

// The three forms by their argument counts (after "-s" for the third).
constexpr int kDiskListArguments = 1;
constexpr int kTrackListArguments = 2;
constexpr int kSectorReadArguments = 6;

// Argument positions of the sector read, after "-s".
enum ReadArgument : int { kImagePath = 1, kDiskNumber = 2, kTrack = 3, kSector = 4, kLength = 5, kOutputPath = 6 };

void printUsage(std::FILE* stream) {
    printMessage<Message::PasteUsageTitle>(stream);
    printMessage<Message::PeekUsageDiskList>(stream);
    printMessage<Message::PeekUsageTrackList>(stream);
    printMessage<Message::PeekUsageRead>(stream);
    printMessage<Message::PasteUsageSingleSided>(stream);
}

// Standard output must have taken the whole listing, and the image must
// have been read without an error.
int listingStatus(const D88Image& image) {
    if (!standardOutputComplete()) {
        printMessage<Message::ReadOutputWriteFailed>(stderr);
        return kExitFailure;
    }
    return imageReadOrReport(image) ? kExitSuccess : kExitFailure;
}

int listDisks(const char* imagePath) {
    D88Image image;
    if (!openImageOrReport(image, imagePath, ImageAccess::ReadOnly)) {
        return kExitFailure;
    }
    printDiskList(image);
    return listingStatus(image);
}

int listTracks(const char* imagePath, std::int32_t diskNumber) {
    D88Image image;
    if (!openImageOrReport(image, imagePath, ImageAccess::ReadOnly)) {
        return kExitFailure;
    }
    if (diskNumber < 0 || diskNumber >= image.diskCount()) {
        printMessage<Message::NoSuchDisk>(stderr);
        return kExitFailure;
    }
    printTrackList(image, diskNumber);
    return listingStatus(image);
}

int readSectors(const FlaggedArguments& arguments) {
    char** const values = arguments.values;
    SectorReadRequest request;
    request.imagePath = values[kImagePath];
    request.run.singleSided = arguments.singleSided;
    request.run.diskNumber = parseNumber(values[kDiskNumber]);
    request.run.track = parseNumber(values[kTrack]);
    request.run.sectorNumber = parseNumber(values[kSector]);
    request.length = parseNumber(values[kLength]);
    request.outputPath = values[kOutputPath];
    return readSectorsToFile(request);
}

}  // namespace

// One argument lists the disks, two list a disk's tracks, six or more
// (seven with "-s" first) read sectors; anything else is refused. "-s"
// belongs to the third form only.
int runPeekCommand(int argc, char** argv) {
    if (const auto answered = answerStandardOption(argc, argv, "imgpeek", printUsage)) {
        return *answered;
    }
    const FlaggedArguments arguments = takeSingleSidedFlag(argc, argv);
    if (!arguments.singleSided && arguments.count == kDiskListArguments) {
        return listDisks(argv[1]);
    }
    if (!arguments.singleSided && arguments.count == kTrackListArguments) {
        return listTracks(argv[1], parseNumber(argv[2]));
    }
    if (arguments.count >= kSectorReadArguments) {
        return readSectors(arguments);
    }
    printUsage(stderr);
    return kExitFailure;
}
