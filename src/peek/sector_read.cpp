#include "peek/sector_read.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

#include "common/messages.h"
#include "image/d88_image.h"

namespace {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1,
};

constexpr const char* kStandardOutputName = "-";

// Truncating the image to write its own sectors into it would destroy it.
bool namesTheImage(const char* outputPath, const char* imagePath) {
    std::error_code error;
    return std::filesystem::equivalent(outputPath, imagePath, error) && !error;
}

// The length must be 0 or more and fit in the selected disk.
bool lengthAccepted(std::int32_t length, const D88Image& image) {
    if (length < 0) {
        printMessage(stderr, Message::NegativeLength);
        return false;
    }
    if (length > image.diskSizeField()) {
        printMessage(stderr, Message::LengthBeyondDisk, image.diskSizeField());
        return false;
    }
    return true;
}

// Writes the bytes and completes the output: closes a file, flushes
// standard output. False if any of it failed.
bool writeOutput(std::FILE* output, bool toStandardOutput, const std::uint8_t* bytes, std::int32_t length) {
    const auto size = static_cast<std::size_t>(length);
    const bool written = std::fwrite(bytes, 1, size, output) == size;
    if (toStandardOutput) {
        return std::fflush(output) == 0 && written && std::ferror(output) == 0;
    }
    const bool clean = std::ferror(output) == 0;
    return std::fclose(output) == 0 && written && clean;
}

}  // namespace

int readSectorsToFile(const SectorReadRequest& request) {
    const bool toStandardOutput = std::strcmp(request.outputPath, kStandardOutputName) == 0;
    // With the bytes on standard output, the lines for the user go beside
    // the errors.
    std::FILE* const reportStream = toStandardOutput ? stderr : stdout;

    D88Image image;
    if (!image.openReadOnly(request.imagePath)) {
        printMessage(stderr, Message::CannotOpenImage);
        return kExitFailure;
    }
    SectorRunStart start;
    if (!prepareSectorRun(image, request.run, reportStream, start) || !lengthAccepted(request.length, image)) {
        return kExitFailure;
    }
    if (!toStandardOutput && namesTheImage(request.outputPath, request.imagePath)) {
        printMessage(stderr, Message::OutputIsImage);
        return kExitFailure;
    }
    // At most the disk's size, which is below 2^31.
    const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow)
                                                     std::uint8_t[static_cast<std::size_t>(request.length)]);
    if (buffer == nullptr) {
        printMessage(stderr, Message::OutOfMemory);
        return kExitFailure;
    }
    std::FILE* const output = toStandardOutput ? stdout : std::fopen(request.outputPath, "wb");
    if (output == nullptr) {
        printMessage(stderr, Message::CannotOpenReadOutput);
        return kExitFailure;
    }
    const std::int32_t got = image.readSectors(start.trackIndex, start.cylinder, start.head, request.run.sector,
                                               start.sizeCode, buffer.get(), request.length);
    image.close();
    if (!writeOutput(output, toStandardOutput, buffer.get(), got)) {
        printMessage(stderr, Message::ReadOutputWriteFailed);
        return kExitFailure;
    }
    if (got != request.length) {
        printMessage(stderr, Message::ImageReadShort, got);
        return kExitFailure;
    }
    printMessage(reportStream, Message::PeekResult, request.run.diskNumber, request.run.track, request.run.sector,
                 got);
    return kExitSuccess;
}
