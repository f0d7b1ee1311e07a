#include "format/format_command.h"

#include <cstdio>
#include <cstdint>

#include "common/messages.h"
#include "common/parse_number.h"
#include "common/to_lower_ascii.h"
#include "format/image_builder.h"

namespace {

constexpr const char* kOutputName = "NEW.D88";

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitRefused = 1,
    kExitFileError = 2,
    kExitUsage = -1,  // 255 where statuses are 8 bits wide
};

// Argument positions after the program name.
enum Argument : int { kMediaType = 1, kSectorsOrPattern = 2, kSizeCode = 3, kTracks = 4, kGenericPattern = 5 };

struct ProblemMessage {
    GeometryProblem problem;
    Message message;
};

constexpr ProblemMessage kProblemMessages[] = {
    {GeometryProblem::TooManyTracks, Message::TooManyTracks},
    {GeometryProblem::NegativeTracks, Message::NegativeTracks},
    {GeometryProblem::NegativeSectors, Message::NegativeSectors},
    {GeometryProblem::TooManySectors, Message::TooManySectors},
    {GeometryProblem::SizeCodeOutOfRange, Message::SizeCodeOutOfRange},
    {GeometryProblem::TooManySingleSidedTracks, Message::TooManySingleSidedTracks},
    {GeometryProblem::ImageTooLarge, Message::ImageTooLarge},
};

void printUsage() {
    printMessage(stderr, Message::FormatUsage);
    bool first = true;
    for (const MediaPreset& preset : mediaPresets()) {
        printMessage(stderr, first ? Message::FormatUsageFirstKeyword : Message::FormatUsageKeyword, preset.keyword);
        first = false;
    }
}

std::uint8_t patternByte(const char* argument) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(parseNumber(argument)) & 0xFF);
}

// argCount counts the arguments after the program name.
ImageGeometry geometryFor(const MediaPreset& preset, int argCount, char** argv) {
    if (preset.generic) {
        const std::int32_t tracks = argCount >= kTracks ? parseNumber(argv[kTracks]) : preset.tracks;
        const std::uint8_t fill = argCount >= kGenericPattern ? patternByte(argv[kGenericPattern]) : 0;
        return genericGeometry(preset, parseNumber(argv[kSectorsOrPattern]), parseNumber(argv[kSizeCode]), tracks,
                               fill);
    }
    return fixedGeometry(preset, argCount >= kSectorsOrPattern ? patternByte(argv[kSectorsOrPattern]) : 0);
}

// One write of the whole image; closing must succeed too, since that is
// where buffered bytes reach the disk.
int writeImageFile(const ImageBuffer& image) {
    std::FILE* file = std::fopen(kOutputName, "wb");
    if (file == nullptr) {
        printMessage(stderr, Message::CannotOpenOutput);
        return kExitFileError;
    }
    const std::size_t written = std::fwrite(image.bytes.get(), 1, image.length, file);
    const bool closed = std::fclose(file) == 0;
    if (written != image.length || !closed) {
        printMessage(stderr, Message::OutputWriteFailed);
        return kExitFileError;
    }
    return kExitSuccess;
}

}  // namespace

Message geometryProblemMessage(GeometryProblem problem) {
    for (const ProblemMessage& entry : kProblemMessages) {
        if (entry.problem == problem) {
            return entry.message;
        }
    }
    return Message::ImageTooLarge;
}

FormatRequest readFormatRequest(int argc, char** argv) {
    FormatRequest request;
    const int argCount = argc - 1;
    if (argCount < 1) {
        request.exitStatus = kExitUsage;
        return request;
    }
    request.exitStatus = kExitRefused;
    toLowerAscii(argv[kMediaType]);
    request.preset = findMediaPreset(argv[kMediaType]);
    if (request.preset == nullptr) {
        request.refusal = Message::UnknownMediaType;
        return request;
    }
    if (request.preset->generic && argCount < kSizeCode) {
        request.refusal = Message::GeometryArgumentsMissing;
        return request;
    }
    request.geometry = geometryFor(*request.preset, argCount, argv);
    if (const GeometryProblem problem = checkGeometry(request.geometry); problem != GeometryProblem::None) {
        request.refusal = geometryProblemMessage(problem);
        return request;
    }
    request.accepted = true;
    request.exitStatus = kExitSuccess;
    return request;
}

int runFormatCommand(int argc, char** argv) {
    const FormatRequest request = readFormatRequest(argc, argv);
    if (!request.accepted) {
        if (request.refusal == Message::FormatUsage) {
            printUsage();
        } else {
            printMessage(stderr, request.refusal);
        }
        return request.exitStatus;
    }
    ImageBuffer image;
    if (!buildImage(request.geometry, image)) {
        printMessage(stderr, Message::OutOfMemory);
        return kExitRefused;
    }
    const int status = writeImageFile(image);
    image.bytes.reset();
    if (status != kExitSuccess) {
        return status;
    }
    const ImageGeometry& geometry = request.geometry;
    printMessage(stdout, Message::FormatResult, kOutputName, request.preset->description, geometry.tracks,
                 geometry.sectors, geometry.sizeCode);
    return kExitSuccess;
}
