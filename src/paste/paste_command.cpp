#include "paste/paste_command.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/messages.h"
#include "common/parse_number.h"
#include "d88/d88_format.h"
#include "image/d88_image.h"

namespace {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,
};

// Argument positions after the program name, before "-s" moves them on.
enum Argument : int { kImagePath = 1, kSourcePath = 2, kDiskNumber = 3, kTrack = 4, kSector = 5 };

constexpr const char* kSingleSidedFlag = "-s";

// The most a source file may hold: 720 KiB, a whole 2DD disk's data.
constexpr std::size_t kSourceBufferSize = 737280;
// Room for the first 64 identities of the start track.
constexpr int kListedIdentities = 64;
constexpr std::int32_t kIdentityListBytes = kListedIdentities * static_cast<std::int32_t>(d88::SectorId::size);
// Single-sided runs stop after cylinder 35.
constexpr std::int32_t kSingleSidedLastTrackIndex = 70;

using SourceBuffer = std::array<std::uint8_t, kSourceBufferSize>;

struct SectorIdList {
    std::array<d88::SectorId, kListedIdentities> ids;
    int count = 0;
};

struct StartPosition {
    std::int32_t trackIndex;
    std::int32_t cylinder;
    std::int32_t head;
};

void printUsage() {
    printMessage(stderr, Message::PasteUsageTitle);
    printMessage(stderr, Message::PasteUsage);
    printMessage(stderr, Message::PasteUsageSingleSided);
}

bool isSingleSidedFlag(const char* argument) { return std::strcmp(argument, kSingleSidedFlag) == 0; }

// Five arguments are needed, six when the first is "-s".
bool argumentCountAccepted(int argc, char** argv) {
    const int argCount = argc - 1;
    if (argCount < kSector) {
        return false;
    }
    return !(argCount == kSector && isSingleSidedFlag(argv[1]));
}

StartPosition startPosition(std::int32_t track, bool singleSided) {
    if (singleSided) {
        return {track * 2, track, 0};
    }
    return {track, track / 2, track % 2};
}

SectorIdList listSectorIds(D88Image& image, std::int32_t trackIndex) {
    std::array<std::uint8_t, kIdentityListBytes> bytes{};
    const std::int32_t stored = image.readSectorIds(trackIndex, bytes.data(), kIdentityListBytes);
    SectorIdList list;
    list.count = stored / static_cast<std::int32_t>(d88::SectorId::size);
    for (int i = 0; i < list.count; ++i) {
        const std::uint8_t* id = bytes.data() + static_cast<std::size_t>(i) * d88::SectorId::size;
        list.ids[static_cast<std::size_t>(i)] = {id[0], id[1], id[2], id[3]};
    }
    return list;
}

// Exchange sort by sector number: k - 1 passes over adjacent pairs, swapping
// only when the first is greater, so equal numbers keep their stored order.
void sortBySectorNumber(SectorIdList& list) {
    for (int pass = 0; pass + 1 < list.count; ++pass) {
        for (int i = 0; i + 1 < list.count; ++i) {
            d88::SectorId& first = list.ids[static_cast<std::size_t>(i)];
            d88::SectorId& second = list.ids[static_cast<std::size_t>(i) + 1];
            if (first.record > second.record) {
                std::swap(first, second);
            }
        }
    }
}

// The identity at position sector - lowest of the sorted list; when gaps in
// the numbering put that position past the list, the first identity whose
// sector number is at least the requested one.
std::int32_t startSizeCode(const SectorIdList& list, std::int32_t sector, std::int32_t lowest) {
    const std::int32_t position = sector - lowest;
    if (position < list.count) {
        return list.ids[static_cast<std::size_t>(position)].sizeCode;
    }
    // The highest number is at least `sector`, so the walk stops at a match.
    std::size_t i = 0;
    while (i + 1 < static_cast<std::size_t>(list.count) && list.ids[i].record < sector) {
        ++i;
    }
    return list.ids[i].sizeCode;
}

enum class SourceRead { Read, CannotOpen, Failed, TooLarge };

// One read of the whole source; a byte beyond the buffer means the file does
// not fit and nothing may be pasted.
SourceRead readSource(const char* path, SourceBuffer& buffer, std::int32_t& length) {
    std::FILE* source = std::fopen(path, "rb");
    if (source == nullptr) {
        return SourceRead::CannotOpen;
    }
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), source);
    bool tooLarge = false;
    if (got == buffer.size() && std::ferror(source) == 0) {
        tooLarge = std::fgetc(source) != EOF;
    }
    const bool failed = std::ferror(source) != 0;
    std::fclose(source);
    length = static_cast<std::int32_t>(got);
    if (failed) {
        return SourceRead::Failed;
    }
    return tooLarge ? SourceRead::TooLarge : SourceRead::Read;
}

struct PasteRequest {
    bool singleSided;
    const char* sourcePath;
    std::int32_t diskNumber;
    std::int32_t track;
    std::int32_t sector;
};

struct PasteOutcome {
    bool wrote = false;  // the checks passed and the run was made
    std::int32_t length = 0;
    std::int32_t written = 0;
};

// Makes the checks in order and pastes the source. A refusal prints its
// message and leaves `wrote` false; the image stays open for the caller.
PasteOutcome paste(D88Image& image, const PasteRequest& request) {
    PasteOutcome outcome;
    if (request.diskNumber < 0 || request.diskNumber >= image.diskCount()) {
        printMessage(stderr, Message::NoSuchDisk);
        return outcome;
    }
    image.selectDisk(request.diskNumber);
    image.setDoubleSided(!request.singleSided);
    if (request.track < 0 || request.track > d88::kLastTrackIndex) {
        printMessage(stderr, Message::TrackOutOfRange);
        return outcome;
    }
    const StartPosition start = startPosition(request.track, request.singleSided);
    if (request.singleSided) {
        printMessage(stdout, Message::SingleSidedBanner);
        image.setLastTrack(kSingleSidedLastTrackIndex);
    }
    SectorIdList list = listSectorIds(image, start.trackIndex);
    if (list.count == 0) {
        printMessage(stderr, Message::TrackNotFormatted);
        return outcome;
    }
    sortBySectorNumber(list);
    const std::int32_t lowest = list.ids[0].record;
    const std::int32_t highest = list.ids[static_cast<std::size_t>(list.count) - 1].record;
    if (request.sector < lowest || request.sector > highest) {
        printMessage(stderr, Message::SectorNotFound);
        return outcome;
    }
    const std::int32_t sizeCode = startSizeCode(list, request.sector, lowest);
    image.setSectorRange(lowest, highest);

    static SourceBuffer buffer;
    switch (readSource(request.sourcePath, buffer, outcome.length)) {
        case SourceRead::CannotOpen:
            printMessage(stderr, Message::CannotOpenSource);
            return outcome;
        case SourceRead::Failed:
            printMessage(stderr, Message::SourceReadFailed);
            return outcome;
        case SourceRead::TooLarge:
            printMessage(stderr, Message::SourceTooLarge, static_cast<int>(kSourceBufferSize));
            return outcome;
        case SourceRead::Read:
            break;
    }
    outcome.wrote = true;
    outcome.written = image.writeSectors(start.trackIndex, start.cylinder, start.head, request.sector, sizeCode,
                                         buffer.data(), outcome.length);
    return outcome;
}

}  // namespace

int runPasteCommand(int argc, char** argv) {
    if (!argumentCountAccepted(argc, argv)) {
        printUsage();
        return kExitFailure;
    }
    const bool singleSided = isSingleSidedFlag(argv[1]);
    char** const arguments = singleSided ? argv + 1 : argv;
    PasteRequest request{singleSided, arguments[kSourcePath], 0, 0, 0};
    request.diskNumber = parseNumber(arguments[kDiskNumber]);
    request.track = parseNumber(arguments[kTrack]);
    request.sector = parseNumber(arguments[kSector]);

    D88Image image;
    if (!image.open(arguments[kImagePath])) {
        printMessage(stderr, Message::CannotOpenImage);
        return kExitFailure;
    }
    const PasteOutcome outcome = paste(image, request);
    const bool closed = image.close();
    if (!outcome.wrote) {
        return kExitFailure;
    }
    if (!closed) {
        printMessage(stderr, Message::ImageCloseFailed);
        return kExitFailure;
    }
    if (outcome.written != outcome.length) {
        printMessage(stderr, Message::ImageWriteShort, outcome.written);
        return kExitFailure;
    }
    printMessage(stdout, Message::PasteResult, request.diskNumber, request.track, request.sector, outcome.written);
    return kExitSuccess;
}
