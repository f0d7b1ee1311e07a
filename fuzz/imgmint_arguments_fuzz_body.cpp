#include "imgmint_arguments_fuzz_body.h"

#include "common/parse_number.h"
#include "d88/byte_order.h"
#include "d88/d88_format.h"
#include "format/format_command.h"
#include "format/image_builder.h"
#include "fuzz_arguments.h"

namespace {

constexpr std::int64_t kLargestBuiltImage = 4 * 1024 * 1024;

}  // namespace

int runImgmintArgumentsFuzzInput(const std::uint8_t* data, std::size_t size) {
    FuzzArguments arguments("imgmint", data, size, 6);
    for (int i = 1; i < arguments.argc(); ++i) {
        parseNumber(arguments.argv()[i]);
    }
    const FormatRequest request = readFormatRequest(arguments.argc(), arguments.argv());
    if (!request.accepted || imageLength(request.geometry) > kLargestBuiltImage) {
        return 0;
    }
    ImageBuffer image;
    if (!buildImage(request.geometry, image)) {
        return 0;
    }
    // The size field must describe the buffer exactly.
    const auto sizeField = d88::readLE32(image.bytes.get() + d88::DiskHeader::diskSizeOffset);
    return static_cast<std::size_t>(sizeField) == image.length ? 0 : 1;
}
