// libFuzzer entry: the whole imgpeek run (see the body).
#include <cstdlib>

#include "imgpeek_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (runImgpeekFuzzInput(data, size) != 0) {
        std::abort();
    }
    return 0;
}
