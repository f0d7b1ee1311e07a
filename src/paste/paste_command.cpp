#include "paste/paste_command.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "command/exit_status.h"
#include "command/image_access.h"
#include "command/sector_run_start.h"
#include "command/single_sided_flag.h"
#include "command/standard_options.h"
#include "command/standard_output.h"
#include "common/messages.h"
#include "common/parse_number.h"
#include "image/d88_image.h"

namespace {

// Argument positions after the program name and "-s".
enum Argument : int { kImagePath = 1, kSourcePath = 2, kDiskNumber = 3, kTrack = 4, kSector = 5 };

// The most a source file may hold: 720 KiB, a whole 2DD disk's data.
constexpr std::size_t kSourceBufferSize = 737280;
using SourceBuffer = std::array<std::uint8_t, kSourceBufferSize>;

void printUsage(std::FILE* stream) {
    printMessage<Message::PasteUsageTitle>(stream);
    printMessage<Message::PasteUsage>(stream);
    printMessage<Message::PasteUsageSingleSided>(stream);
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
    if (!startSectorRun(image, request, stdout, start)) {
        return outcome;
    }

    static SourceBuffer buffer;
    switch (readSource(sourcePath, buffer, outcome.length)) {
        case SourceRead::CannotOpen:
            printMessage<Message::CannotOpenSource>(stderr);
            return outcome;
        case SourceRead::Failed:
            printMessage<Message::SourceReadFailed>(stderr);
            return outcome;
        case SourceRead::TooLarge:
            printMessage<Message::SourceTooLarge>(stderr, kSourceBufferSize);
            return outcome;
        case SourceRead::Read:
            break;
    }
    outcome.wrote = true;
    outcome.written = image.writeSectors(start.trackIndex, start.cylinder, start.head, request.sectorNumber,
                                         start.sizeCode, buffer.data(), outcome.length);
    return outcome;
}

}  // namespace

// Five arguments are needed after "-s", if it is given.
int runPasteCommand(int argc, char** argv) {
    if (const auto answered = answerStandardOption(argc, argv, "imgpoke", printUsage)) {
        return *answered;
    }
    const FlaggedArguments arguments = takeSingleSidedFlag(argc, argv);
    if (arguments.count < kSector) {
        printUsage(stderr);
        return kExitFailure;
    }
    SectorRunRequest request;
    request.singleSided = arguments.singleSided;
    request.diskNumber = parseNumber(arguments.values[kDiskNumber]);
    request.track = parseNumber(arguments.values[kTrack]);
    request.sectorNumber = parseNumber(arguments.values[kSector]);

    D88Image image;
    if (!openImageOrReport(image, arguments.values[kImagePath], ImageAccess::Update)) {
        return kExitFailure;
    }
    const PasteOutcome outcome = paste(image, request, arguments.values[kSourcePath]);
    const bool readClean = !image.readFailed();
    const bool closed = image.close();
    if (!outcome.wrote) {
        return kExitFailure;
    }
    if (!closed) {
        printMessage<Message::ImageCloseFailed>(stderr);
        return kExitFailure;
    }
    if (!readClean) {
        printMessage<Message::ImageReadFailed>(stderr);
        return kExitFailure;
    }
    if (outcome.written != outcome.length) {
        printMessage<Message::ImageWriteShort>(stderr, outcome.written);
        return kExitFailure;
    }
    printMessage<Message::PasteResult>(stdout, request.diskNumber, request.track, request.sectorNumber,
                                       outcome.written);
    return endAfterResultLine(kExitFailure);
}
