#include "format/format_command.h"

#include <cstdio>
#include <cstdint>
#include <string_view>

#include "command/exit_status.h"
#include "command/standard_options.h"
#include "command/standard_output.h"
#include "common/messages.h"
#include "common/parse_number.h"
#include "common/replacement_file.h"
#include "common/to_lower_ascii.h"
#include "format/image_builder.h"

namespace {

constexpr const char* kOutputName = "NEW.D88";
constexpr std::string_view kOutputOption = "-o";

// Argument positions after the program name.
enum Argument : int { kMediaType = 1, kSectorsOrPattern = 2, kSizeCode = 3, kTracks = 4, kGenericPattern = 5 };

// A switch without a default, so that the compiler reports a problem that
// has no message.
Message messageFor(GeometryProblem problem) {
    switch (problem) {
        case GeometryProblem::TooManyTracks:
            return Message::TooManyTracks;
        case GeometryProblem::NegativeTracks:
            return Message::NegativeTracks;
        case GeometryProblem::NegativeSectors:
            return Message::NegativeSectors;
        case GeometryProblem::TooManySectors:
            return Message::TooManySectors;
        case GeometryProblem::SizeCodeOutOfRange:
            return Message::SizeCodeOutOfRange;
        case GeometryProblem::TooManySingleSidedTracks:
            return Message::TooManySingleSidedTracks;
        case GeometryProblem::ImageTooLarge:
            return Message::ImageTooLarge;
        case GeometryProblem::None:
            break;  // not a refusal; never asked for
    }
    return Message::ImageTooLarge;
}

void printUsage(std::FILE* stream) {
    printMessage<Message::FormatUsage>(stream);
    bool first = true;
    for (const MediaPreset& preset : mediaPresets()) {
        if (first) {
            printMessage<Message::FormatUsageFirstKeyword>(stream, preset.keyword);
        } else {
            printMessage<Message::FormatUsageKeyword>(stream, preset.keyword);
        }
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

// A file named with -o is replaced only once the image is whole in it, so a
// failure leaves it as it was.
int replaceImageFile(const ImageBuffer& image, const char* path) {
    ReplacementFile file;
    if (!file.begin(path)) {
        printMessage<Message::CannotOpenOutput>(stderr);
        return kExitFileError;
    }
    if (!file.write(image.bytes.get(), image.length) || !file.commit()) {
        printMessage<Message::OutputWriteFailed>(stderr);
        return kExitFileError;
    }
    return kExitSuccess;
}

// NEW.D88 is written as it always was: opened with truncation, then one
// write of the whole image; closing must succeed too, since that is where
// buffered bytes reach the disk.
int writeImageFile(const ImageBuffer& image) {
    std::FILE* file = std::fopen(kOutputName, "wb");
    if (file == nullptr) {
        printMessage<Message::CannotOpenOutput>(stderr);
        return kExitFileError;
    }
    const std::size_t written = std::fwrite(image.bytes.get(), 1, image.length, file);
    const bool closed = std::fclose(file) == 0;
    if (written != image.length || !closed) {
        printMessage<Message::OutputWriteFailed>(stderr);
        return kExitFileError;
    }
    return kExitSuccess;
}

}  // namespace

Message geometryProblemMessage(GeometryProblem problem) { return messageFor(problem); }

FormatRequest readFormatRequest(int argc, char** argv) {
    FormatRequest request;
    // "-o FILE" before the media type names the output; the media type and
    // its numbers then follow as usual.
    if (argc >= 2 && std::string_view(argv[1]) == kOutputOption) {
        if (argc < 3) {
            request.exitStatus = kExitUsage;
            return request;
        }
        request.outputPath = argv[2];
        request.outputNamed = true;
        argc -= 2;
        argv += 2;
    }
    const int argCount = argc - 1;
    if (argCount < 1) {
        request.exitStatus = kExitUsage;
        return request;
    }
    request.exitStatus = kExitFailure;
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
    if (const auto answered = answerStandardOption(argc, argv, "imgmint", printUsage)) {
        return *answered;
    }
    const FormatRequest request = readFormatRequest(argc, argv);
    if (!request.accepted) {
        if (request.refusal == Message::FormatUsage) {
            printUsage(stderr);
        } else {
            printMessage(stderr, request.refusal);
        }
        return request.exitStatus;
    }
    ImageBuffer image;
    if (!buildImage(request.geometry, image)) {
        printMessage<Message::OutOfMemory>(stderr);
        return kExitFailure;
    }
    const int status =
        request.outputNamed ? replaceImageFile(image, request.outputPath) : writeImageFile(image);
    image.bytes.reset();
    if (status != kExitSuccess) {
        return status;
    }
    const ImageGeometry& geometry = request.geometry;
    printMessage<Message::FormatResult>(stdout, request.outputPath, request.preset->description, geometry.tracks,
                                        geometry.sectors, geometry.sizeCode);
    // The image is written, but a result line that never arrived is an
    // output that could not be written, as for the image itself.
    return endAfterResultLine(kExitFileError);
}
