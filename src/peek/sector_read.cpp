#include "peek/sector_read.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "command/exit_status.h"
#include "command/image_access.h"
#include "command/standard_output.h"
#include "common/messages.h"
#include "image/d88_image.h"

namespace {

constexpr const char* kStandardOutputName = "-";

// Truncating the image to write its own sectors into it would destroy it.
bool namesTheImage(const char* outputPath, const char* imagePath) {
    std::error_code error;
    return std::filesystem::equivalent(outputPath, imagePath, error) && !error;
}

// The length must be 0 or more and fit in the selected disk.
bool lengthAccepted(std::int32_t length, const D88Image& image) {
    if (length < 0) {
        printMessage<Message::NegativeLength>(stderr);
        return false;
    }
    if (length > image.diskSizeField()) {
        printMessage<Message::LengthBeyondDisk>(stderr, image.diskSizeField());
        return false;
    }
    return true;
}

// Completes the output: closes a file, flushes standard output. False if
// that or any write before it failed.
bool completeOutput(std::FILE* output, bool toStandardOutput) {
    if (toStandardOutput) {
        return standardOutputComplete();
    }
    const bool clean = std::ferror(output) == 0;
    return std::fclose(output) == 0 && clean;
}

}  // namespace

int readSectorsToFile(const SectorReadRequest& request) {
    const bool toStandardOutput = std::strcmp(request.outputPath, kStandardOutputName) == 0;
    // With the bytes on standard output, the lines for the user go beside
    // the errors.
    std::FILE* const reportStream = toStandardOutput ? stderr : stdout;

    D88Image image;
    if (!openImageOrReport(image, request.imagePath, ImageAccess::ReadOnly)) {
        return kExitFailure;
    }
    SectorRunStart start;
    if (!startSectorRun(image, request.run, reportStream, start) || !lengthAccepted(request.length, image)) {
        return kExitFailure;
    }
    if (!toStandardOutput && namesTheImage(request.outputPath, request.imagePath)) {
        printMessage<Message::OutputIsImage>(stderr);
        return kExitFailure;
    }
    std::FILE* const output = toStandardOutput ? stdout : std::fopen(request.outputPath, "wb");
    if (output == nullptr) {
        printMessage<Message::CannotOpenReadOutput>(stderr);
        return kExitFailure;
    }
    // Each sector goes out as it is read; a write that fails ends the run.
    bool written = true;
    const D88Image::SectorSink writeOut = [output, &written](const std::uint8_t* bytes, std::int32_t length) {
        const auto size = static_cast<std::size_t>(length);
        written = std::fwrite(bytes, 1, size, output) == size;
        return written;
    };
    const std::int32_t got = image.readSectorsAsPasted(start.trackIndex, start.cylinder, start.head,
                                                       request.run.sectorNumber, start.sizeCode, writeOut,
                                                       request.length);
    const bool readClean = !image.readFailed();
    image.close();
    if (!completeOutput(output, toStandardOutput) || !written) {
        printMessage<Message::ReadOutputWriteFailed>(stderr);
        return kExitFailure;
    }
    if (!readClean) {
        printMessage<Message::ImageReadFailed>(stderr);
        return kExitFailure;
    }
    if (got != request.length) {
        printMessage<Message::ImageReadShort>(stderr, got);
        return kExitFailure;
    }
    printMessage<Message::PeekResult>(reportStream, request.run.diskNumber, request.run.track,
                                      request.run.sectorNumber, got);
    return endAfterResultLine(kExitFailure);
}
