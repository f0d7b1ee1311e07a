#include "paste/paste_command.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/messages.h"
#include "common/parse_number.h"
#include "image/d88_image.h"
#include "image/start_sector.h"

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
using SourceBuffer = std::array<std::uint8_t, kSourceBufferSize>;

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

struct PasteOutcome {
    bool wrote = false;  // the checks passed and the run was made
    std::int32_t length = 0;
    std::int32_t written = 0;
};

// Makes the checks in order and pastes the source. A refusal prints its
// message and leaves `wrote` false; the image stays open for the caller.
PasteOutcome paste(D88Image& image, const SectorRunRequest& request, const char* sourcePath) {
    PasteOutcome outcome;
    SectorRunStart start;
    if (!prepareSectorRun(image, request, stdout, start)) {
        return outcome;
    }

    static SourceBuffer buffer;
    switch (readSource(sourcePath, buffer, outcome.length)) {
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
    outcome.written = image.writeSectors(start.trackIndex, start.cylinder, start.head, request.sector, start.sizeCode,
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
    SectorRunRequest request;
    request.singleSided = singleSided;
    request.diskNumber = parseNumber(arguments[kDiskNumber]);
    request.track = parseNumber(arguments[kTrack]);
    request.sector = parseNumber(arguments[kSector]);

    D88Image image;
    if (!image.open(arguments[kImagePath])) {
        printMessage(stderr, Message::CannotOpenImage);
        return kExitFailure;
    }
    const PasteOutcome outcome = paste(image, request, arguments[kSourcePath]);
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
