#include "conv/conv_command.h"

#include <cstring>
#include <new>
#include <string>

#include "command/exit_status.h"
#include "command/standard_options.h"
#include "command/standard_output.h"
#include "common/messages.h"
#include "common/replacement_file.h"
#include "conv/conv_options.h"
#include "conv/image_formats.h"
#include "conv/output_sink.h"
#include "conv/refusal_messages.h"

namespace {

constexpr const char* kProgram = "imgconv";
constexpr const char* kStandardOutput = "-";
constexpr std::size_t kOperands = 2;

bool isStandardOutput(const char* path) { return std::strcmp(path, kStandardOutput) == 0; }

constexpr bool kWritableOnly = true;

// The format named by the option, or else chosen by the file name; an
// unknown name is refused with the names that can be given for that side.
bool chooseFormat(const char* named, const char* path, bool writableOnly, const ImageFormat*& format,
                  Refusal& refusal) {
    if (named == nullptr) {
        format = &formatForPath(path);
        return true;
    }
    format = findImageFormat(named);
    return format != nullptr || refuse(refusal, Problem::UnknownFormat, named, imageFormatNames(writableOnly));
}

// Only some formats can be written.
bool checkWritable(const ImageFormat& to, Refusal& refusal) {
    return to.write != nullptr || refuse(refusal, Problem::FormatNotWritable, to.name, imageFormatNames(kWritableOnly));
}

// The options that only some input formats take, and -n.
bool checkOptionsFit(const ConvOptions& options, const ImageFormat& from, const char* output, Refusal& refusal) {
    if (options.diskGiven && !from.holdsSeveralDisks) {
        return refuse(refusal, Problem::DiskOptionNeedsD88);
    }
    if (options.media != nullptr && !from.needsGeometry) {
        return refuse(refusal, Problem::MediaOptionNeedsRaw);
    }
    if (options.keepExisting && !isStandardOutput(output) && pathExists(output)) {
        return refuse(refusal, Problem::OutputExists, output);
    }
    return true;
}

int convert(const ConvOptions& options) {
    const char* input = options.operands[0];
    const char* output = options.operands[1];
    Refusal refusal;
    const ImageFormat* from = nullptr;
    const ImageFormat* to = nullptr;
    DiskModel disk;
    const ReadRequest request{input, options.disk, options.media};
    OutputSink sink(output);
    if (!chooseFormat(options.from, input, !kWritableOnly, from, refusal) ||
        !chooseFormat(options.to, output, kWritableOnly, to, refusal) || !checkWritable(*to, refusal) ||
        !checkOptionsFit(options, *from, output, refusal) || !from->read(request, disk, refusal) ||
        !to->write(disk, sink, refusal) || !sink.finish(refusal)) {
        printRefusal(stderr, refusal);
        return kExitFailure;
    }
    printMessage<Message::ConvResult>(isStandardOutput(output) ? stderr : stdout, input, from->name, output,
                                      to->name, static_cast<long long>(sink.written()));
    return isStandardOutput(output) ? kExitSuccess : endAfterResultLine(kExitFailure);
}

}  // namespace

void printConvUsage(std::FILE* stream) {
    const std::string names = imageFormatNames();
    const std::string writable = imageFormatNames(kWritableOnly);
    printMessage<Message::ConvUsage>(stream, names.c_str(), writable.c_str());
}

int runConvCommand(int argc, char** argv) {
    if (const auto answered = answerStandardOption(argc, argv, kProgram, printConvUsage)) {
        return *answered;
    }
    ConvOptions options;
    Refusal refusal;
    if (!parseConvOptions(argc, argv, options, refusal)) {
        printRefusal(stderr, refusal);
        return kExitFailure;
    }
    if (options.operands.size() != kOperands) {
        printConvUsage(stderr);
        return kExitFailure;
    }
    // Every size is checked against the input before memory is taken for
    // it, so running out means the machine has less than the file needs.
    try {
        return convert(options);
    } catch (const std::bad_alloc&) {
        printMessage<Message::OutOfMemory>(stderr);
        return kExitFailure;
    }
}
