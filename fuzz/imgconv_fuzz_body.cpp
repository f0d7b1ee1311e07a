#include "imgconv_fuzz_body.h"

#include <iterator>
#include <string>
#include <vector>

#include "captured_output.h"
#include "conv/conv_command.h"
#include "fuzz_arguments.h"
#include "scratch_file.h"

namespace {

enum Violation : int {
    kFine = 0,
    kUnknownExitStatus = 1,   // neither 0 nor 1
    kOutputOnRefusal = 2,     // a refused run wrote bytes to standard output
    kD88NotReadBack = 3,      // a D88 made from raw or FDI data does not flatten back to the data
    kD88NotFixedPoint = 4,    // a D88 written from a D88 or a container changes when written again
    kFdiDataDiffers = 5,      // raw and FDI output of the same disk hold different data
    kScratchUnusable = 6,
};

constexpr const char* kFormats[] = {"d88", "raw", "fdi", "container"};
constexpr const char* kContainers[] = {"nfd", "fdd", "dcp", "dip", "dim"};
constexpr std::size_t kContainerChoice = 2;  // the control byte that picks the container
constexpr const char* kOutputFormats[] = {"d88", "raw", "fdi", "raw"};
constexpr const char* kMediaTypes[] = {"2d", "2dd", "1d", "1dd"};
constexpr std::uint8_t kFormatMask = 3;
constexpr int kOutputShift = 2;
constexpr std::uint8_t kDiskFlag = 0x10;
constexpr std::uint8_t kMediaFlag = 0x20;
constexpr int kMediaTypeShift = 6;
constexpr std::size_t kFdiHeaderSizeOffset = 8;
constexpr std::size_t kFdiFieldsSize = 32;

struct Run {
    int status = -1;
    std::vector<std::uint8_t> out;
};

// One in-process imgconv run with the file at `input`, writing to standard output.
Run convert(std::vector<std::string> texts) {
    texts.push_back("-");
    std::vector<char*> argv = argumentVector("imgconv", texts);
    CapturedOutput output;
    Run run;
    run.status = runConvCommand(static_cast<int>(argv.size()) - 1, argv.data());
    output.finish();
    const std::string bytes = output.standardOutput();
    run.out.assign(bytes.begin(), bytes.end());
    return run;
}

// The sector data a raw or FDI input holds, as far as the header says.
std::vector<std::uint8_t> dataOf(const std::string& format, const std::vector<std::uint8_t>& file) {
    if (format != "fdi" || file.size() < kFdiFieldsSize) {
        return file;
    }
    std::size_t headerSize = 0;
    for (int i = 3; i >= 0; --i) {
        headerSize = headerSize << 8 | file[kFdiHeaderSizeOffset + static_cast<std::size_t>(i)];
    }
    return headerSize <= file.size() ? std::vector<std::uint8_t>(file.begin() + static_cast<std::ptrdiff_t>(headerSize),
                                                                 file.end())
                                     : std::vector<std::uint8_t>();
}

}  // namespace

int runImgconvFuzzInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile inputFile("imgconv-fuzz-input");
    static const ScratchFile madeFile("imgconv-fuzz-made");
    std::uint8_t control[kImgconvFuzzControlBytes] = {};
    for (std::size_t i = 0; i < kImgconvFuzzControlBytes && size > 0; ++i, ++data, --size) {
        control[i] = *data;
    }
    const std::vector<std::uint8_t> file(data, data + size);
    if (!inputFile.fill(file.data(), file.size())) {
        return kScratchUnusable;
    }
    const std::uint8_t flags = control[0];
    std::string from = kFormats[flags & kFormatMask];
    if (from == "container") {
        from = kContainers[control[kContainerChoice] % std::size(kContainers)];
    }
    const std::string to = kOutputFormats[(flags >> kOutputShift) & kFormatMask];
    std::vector<std::string> options = {"--from", from};
    if ((flags & kDiskFlag) != 0) {
        options.insert(options.end(), {"--disk", std::to_string(control[1])});
    }
    if ((flags & kMediaFlag) != 0) {
        options.insert(options.end(), {"--media", std::string(kMediaTypes[flags >> kMediaTypeShift]) + "," +
                                                      std::to_string(control[2]) + "," +
                                                      std::to_string(control[3] & 0x0F) + "," +
                                                      std::to_string(control[4])});
    }

    std::vector<std::string> texts = options;
    texts.insert(texts.end(), {"--to", to, inputFile.path()});
    const Run run = convert(texts);
    if (run.status != 0 && run.status != 1) {
        return kUnknownExitStatus;
    }
    if (run.status != 0) {
        return run.out.empty() ? kFine : kOutputOnRefusal;
    }
    if (to == "d88" || to == "fdi") {
        if (!madeFile.fill(run.out.data(), run.out.size())) {
            return kScratchUnusable;
        }
    }
    const bool plainInput = from == "raw" || from == "fdi";
    if (to == "d88" && plainInput) {
        const Run back = convert({"--from", "d88", "--to", "raw", madeFile.path()});
        return back.status == 0 && back.out == dataOf(from, file) ? kFine : kD88NotReadBack;
    }
    if (to == "d88") {
        const Run again = convert({"--from", "d88", "--to", "d88", madeFile.path()});
        return again.status == 0 && again.out == run.out ? kFine : kD88NotFixedPoint;
    }
    if (to == "raw") {
        std::vector<std::string> asFdi = options;
        asFdi.insert(asFdi.end(), {"--to", "fdi", inputFile.path()});
        const Run fdi = convert(asFdi);
        return fdi.status != 0 || dataOf("fdi", fdi.out) == run.out ? kFine : kFdiDataDiffers;
    }
    return kFine;
}
