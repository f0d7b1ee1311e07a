#include "imgpoke_fuzz_body.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "captured_output.h"
#include "common/messages.h"
#include "disk_areas.h"
#include "fuzz_arguments.h"
#include "paste/paste_command.h"
#include "scratch_file.h"

namespace {

enum Violation : int {
    kFine = 0,
    kUnknownExitStatus = 1,   // neither 0 nor 1
    kOutsideAreaChanged = 2,  // a byte outside every disk's data area changed, or the length
    kRefusalChangedImage = 3, // a run that printed a refusal changed the image
    kScratchUnusable = 4,
};

constexpr std::uint8_t kSingleSidedFlag = 1;
constexpr std::uint8_t kMissingImageFlag = 2;
constexpr std::uint8_t kMissingSourceFlag = 4;
constexpr std::size_t kMaxNumberArguments = 6;
constexpr const char* kMissingPath = "/nonexistent-imgpoke-fuzz/missing";

// Takes a 32-bit length and that many bytes (or what is left) off the front.
std::vector<std::uint8_t> takePart(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t length = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size) {
        length |= static_cast<std::uint32_t>(*data) << (8 * i);
    }
    const std::size_t taken = std::min<std::size_t>(length, size);
    std::vector<std::uint8_t> part(data, data + taken);
    data += taken;
    size -= taken;
    return part;
}

// The two failures that come after sectors were written; every other refusal
// happens before the image is touched. The process keeps the "C" locale, so
// the texts come out in UTF-8, as the message table holds them; the short
// write is known by the text before its byte count.
bool reportsFailedWrite(const std::string& err) {
    static const std::string shortWrite = messageText(Message::ImageWriteShort);
    static const std::string closeFailed = messageText(Message::ImageCloseFailed);
    const std::string shortPrefix = shortWrite.substr(0, shortWrite.find('('));
    return err.rfind(shortPrefix, 0) == 0 || err == closeFailed;
}

}  // namespace

int runImgpokeFuzzInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile imageFile("imgpoke-fuzz-image");
    static const ScratchFile sourceFile("imgpoke-fuzz-source");
    const std::uint8_t flags = size > 0 ? data[0] : 0;
    if (size > 0) {
        ++data;
        --size;
    }
    const std::vector<std::uint8_t> image = takePart(data, size);
    const std::vector<std::uint8_t> source = takePart(data, size);
    if (!imageFile.fill(image.data(), image.size()) || !sourceFile.fill(source.data(), source.size())) {
        return kScratchUnusable;
    }

    FuzzArguments numbers("imgpoke", data, size, kMaxNumberArguments);
    std::vector<std::string> texts;
    if ((flags & kSingleSidedFlag) != 0) {
        texts.emplace_back("-s");
    }
    texts.emplace_back((flags & kMissingImageFlag) != 0 ? kMissingPath : imageFile.path());
    texts.emplace_back((flags & kMissingSourceFlag) != 0 ? kMissingPath : sourceFile.path());
    for (int i = 1; i < numbers.argc(); ++i) {
        texts.emplace_back(numbers.argv()[i]);
    }
    std::vector<char*> argv = argumentVector("imgpoke", texts);

    CapturedOutput output;
    const int status = runPasteCommand(static_cast<int>(argv.size()) - 1, argv.data());
    const std::string err = output.finish();
    if (status != 0 && status != 1) {
        return kUnknownExitStatus;
    }
    const std::vector<std::uint8_t> after = imageFile.contents();
    const std::vector<ListedDisk> disks = listDisks(image);
    if (!changedOnlyInAreas(image, after, disks) || !headersUnchanged(image, after, disks)) {
        return kOutsideAreaChanged;
    }
    if (status == 1 && !reportsFailedWrite(err) && after != image) {
        return kRefusalChangedImage;
    }
    return kFine;
}
