// libFuzzer entry: imgmint's command line (see the body).
#include <cstdlib>

#include "imgmint_arguments_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (runImgmintArgumentsFuzzInput(data, size) != 0) {
        std::abort();
    }
    return 0;
}
