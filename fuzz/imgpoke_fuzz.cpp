// libFuzzer entry: the whole imgpoke run (see the body).
#include <cstdlib>

#include "imgpoke_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (runImgpokeFuzzInput(data, size) != 0) {
        std::abort();
    }
    return 0;
}
