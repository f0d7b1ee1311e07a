#include "imgpeek_fuzz_body.h"

#include <algorithm>
#include <string>
#include <vector>

#include "captured_output.h"
#include "fuzz_arguments.h"
#include "peek/peek_command.h"
#include "scratch_file.h"

namespace {

enum Violation : int {
    kFine = 0,
    kUnknownExitStatus = 1,  // neither 0 nor 1
    kImageChanged = 2,       // imgpeek must never change the image
    kWrongReadLength = 3,    // a successful read did not deliver the bytes asked for
    kScratchUnusable = 4,
};

enum Form : int { kDiskList = 0, kTrackList = 1, kRead = 2, kSingleSidedRead = 3 };
constexpr std::uint8_t kFormMask = 3;
constexpr std::uint8_t kToStandardOutputFlag = 4;
constexpr std::size_t kMaxNumberArguments = 3;

std::uint32_t takeLittleEndian(const std::uint8_t*& data, std::size_t& size, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes && size > 0; ++i, ++data, --size) {
        value |= static_cast<std::uint32_t>(*data) << (8 * i);
    }
    return value;
}

// The command line of one form; missing numbers are given as 0.
std::vector<std::string> commandLine(int form, const std::string& image, FuzzArguments& numbers,
                                     std::uint32_t length, const std::string& output) {
    std::vector<std::string> texts;
    auto number = [&numbers](int i) { return i < numbers.argc() ? std::string(numbers.argv()[i]) : "0"; };
    if (form == kSingleSidedRead) {
        texts.emplace_back("-s");
    }
    texts.push_back(image);
    if (form == kDiskList) {
        return texts;
    }
    texts.push_back(number(1));
    if (form == kTrackList) {
        return texts;
    }
    texts.push_back(number(2));
    texts.push_back(number(3));
    texts.push_back(std::to_string(length));
    texts.push_back(output);
    return texts;
}

}  // namespace

int runImgpeekFuzzInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile imageFile("imgpeek-fuzz-image");
    static const ScratchFile outputFile("imgpeek-fuzz-output");
    const std::uint32_t flags = takeLittleEndian(data, size, 1);
    const std::uint32_t length = takeLittleEndian(data, size, 2);
    const std::uint32_t imageLength = takeLittleEndian(data, size, 4);
    const std::size_t taken = std::min<std::size_t>(imageLength, size);
    const std::vector<std::uint8_t> image(data, data + taken);
    data += taken;
    size -= taken;
    if (!imageFile.fill(image.data(), image.size()) || !outputFile.fill(nullptr, 0)) {
        return kScratchUnusable;
    }

    FuzzArguments numbers("imgpeek", data, size, kMaxNumberArguments);
    const int form = static_cast<int>(flags & kFormMask);
    const bool toStandardOutput = (flags & kToStandardOutputFlag) != 0;
    std::vector<std::string> texts =
        commandLine(form, imageFile.path(), numbers, length, toStandardOutput ? "-" : outputFile.path());
    std::vector<char*> argv = argumentVector("imgpeek", texts);

    CapturedOutput output;
    const int status = runPeekCommand(static_cast<int>(argv.size()) - 1, argv.data());
    output.finish();
    if (status != 0 && status != 1) {
        return kUnknownExitStatus;
    }
    if (imageFile.contents() != image) {
        return kImageChanged;
    }
    const bool read = form == kRead || form == kSingleSidedRead;
    if (read && status == 0) {
        const std::size_t delivered =
            toStandardOutput ? output.standardOutput().size() : outputFile.contents().size();
        if (delivered != length) {
            return kWrongReadLength;
        }
    }
    return kFine;
}
