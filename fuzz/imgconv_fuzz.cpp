// libFuzzer entry: the whole imgconv run (see the body).
#include <cstdlib>

#include "imgconv_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (runImgconvFuzzInput(data, size) != 0) {
        std::abort();
    }
    return 0;
}
