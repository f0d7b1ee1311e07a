// Every input the fuzz targets keep, their seeds and the inputs that once
// broke them, run again through the same bodies the fuzzers call. A body
// returns the number of a broken invariant; a crash or a sanitizer report
// ends the test binary itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "d88_image_fuzz_body.h"
#include "imgconv_fuzz_body.h"
#include "imgmint_arguments_fuzz_body.h"
#include "imgpeek_fuzz_body.h"
#include "imgpoke_fuzz_body.h"
#include "support/temp_dir.h"

namespace {

using FuzzBody = int (*)(const std::uint8_t*, std::size_t);

struct FuzzTarget {
    const char* name;
    FuzzBody body;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FuzzTarget& value, std::ostream* out) { *out << value.name; }

std::vector<std::filesystem::path> inputsIn(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_directory(directory)) {
        for (const auto& entry : std::filesystem::directory_iterator(directory)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

class RegressionReplayTest : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(RegressionReplayTest, SeedsAndRegressionsHoldEveryInvariant) {
    const std::filesystem::path fuzz = IMGTOOLS_FUZZ_DIR;
    const std::vector<std::filesystem::path> seeds = inputsIn(fuzz / "corpus" / GetParam().name);
    ASSERT_FALSE(seeds.empty()) << "no seed corpus for " << GetParam().name;
    std::vector<std::filesystem::path> inputs = seeds;
    const std::vector<std::filesystem::path> regressions = inputsIn(fuzz / "regressions" / GetParam().name);
    inputs.insert(inputs.end(), regressions.begin(), regressions.end());
    for (const std::filesystem::path& input : inputs) {
        const Bytes data = readFileBytes(input);
        EXPECT_EQ(GetParam().body(data.data(), data.size()), 0) << input;
    }
}

const FuzzTarget kTargets[] = {
    {"imgmint_arguments_fuzz", runImgmintArgumentsFuzzInput},
    {"d88_image_fuzz", runD88ImageFuzzInput},
    {"imgpoke_fuzz", runImgpokeFuzzInput},
    {"imgpeek_fuzz", runImgpeekFuzzInput},
    {"imgconv_fuzz", runImgconvFuzzInput},
};

INSTANTIATE_TEST_SUITE_P(FuzzTargets, RegressionReplayTest, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

}  // namespace
