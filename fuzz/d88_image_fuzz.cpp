// libFuzzer entry: D88Image over an arbitrary image (see the body).
#include <cstdlib>

#include "d88_image_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (runD88ImageFuzzInput(data, size) != 0) {
        std::abort();
    }
    return 0;
}
