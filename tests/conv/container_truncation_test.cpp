// Each built container file cut at every length through its header (and the
// first stretch of data), then at a stride beyond, and converted to D88 by
// the imgconv command run in process (so that some 120,000 runs stay fast,
// under the sanitizers too). Every cut must either convert or be refused
// with exactly one line, and a refused one leaves nothing behind: no output
// file, no temporary file, nothing on standard output.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "captured_output.h"
#include "container_files.h"
#include "conv/conv_command.h"
#include "fuzz_arguments.h"
#include "support/temp_dir.h"

namespace {

// Beyond the dense stretch, about this many cuts per file.
constexpr std::size_t kStrideCuts = 150;

struct SweepFile {
    const char* name;
    const char* format;
    std::function<Bytes()> build;
    std::size_t denseEnd;  // every length below this is tried
};

void PrintTo(const SweepFile& value, std::ostream* out) { *out << value.name; }

// Six tracks of the 2HD layout with its marks and oddities: a deleted
// sector, a status, a fill-only sector, a retry.
ContainerTracks sweepTracks() {
    ContainerTracks tracks = uniformLayout(6, 8, 3);
    tracks[1][2].deleted = true;
    tracks[2][5].status = 0xB0;
    tracks[3][0].fillOnly = true;
    tracks[4][1].retries = 1;
    return tracks;
}

// Every length from 0 to denseEnd, then a stride that falls at a different
// place in the sectors each time (it is odd and not a multiple of 128), and
// the whole file; longest first, so that one file can be shortened in place.
std::vector<std::size_t> cutsOf(std::size_t size, std::size_t denseEnd) {
    std::vector<std::size_t> cuts;
    for (std::size_t length = 0; length < std::min(denseEnd, size); ++length) {
        cuts.push_back(length);
    }
    const std::size_t stride = std::max<std::size_t>(1, (size - std::min(denseEnd, size)) / kStrideCuts) | 1;
    for (std::size_t length = denseEnd; length < size; length += stride) {
        cuts.push_back(length);
    }
    cuts.push_back(size);
    std::sort(cuts.rbegin(), cuts.rend());
    return cuts;
}

struct InProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

InProcessRun convertInProcess(const std::string& format, const std::string& input, const std::string& output) {
    std::vector<std::string> texts = {"--from", format, "--to", "d88", input, output};
    std::vector<char*> argv = argumentVector("imgconv", texts);
    CapturedOutput captured;
    InProcessRun run;
    run.status = runConvCommand(static_cast<int>(argv.size()) - 1, argv.data());
    run.err = captured.finish();
    run.out = captured.standardOutput();
    return run;
}

std::vector<std::string> namesIn(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ContainerTruncation : public ::testing::TestWithParam<SweepFile> {
protected:
    TempDir dir;
};

TEST_P(ContainerTruncation, EveryCutConvertsOrIsRefusedWithOneLine) {
    const Bytes whole = GetParam().build();
    const std::string input = dir.file("cut").string();
    const std::string output = dir.file("out.d88").string();
    writeFileBytes(input, whole);
    const std::vector<std::size_t> cuts = cutsOf(whole.size(), GetParam().denseEnd);
    std::size_t refused = 0;
    for (const std::size_t length : cuts) {
        ASSERT_EQ(::truncate(input.c_str(), static_cast<off_t>(length)), 0);
        const InProcessRun run = convertInProcess(GetParam().format, input, output);
        SCOPED_TRACE(::testing::Message() << "cut at " << length << " of " << whole.size());
        ASSERT_TRUE(run.status == 0 || run.status == 1) << run.status;
        if (run.status == 0) {
            ASSERT_TRUE(std::filesystem::remove(output));
            continue;
        }
        ++refused;
        ASSERT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        ASSERT_EQ(run.err.back(), '\n');
        ASSERT_EQ(run.out, "");
        ASSERT_EQ(namesIn(dir.path()), std::vector<std::string>{"cut"}) << run.err;
    }
    // The whole file converts; every cut of it is missing bytes its header
    // describes.
    EXPECT_EQ(refused, cuts.size() - 1);
}

const SweepFile kFiles[] = {
    {"NfdR0", "nfd", [] { return nfdR0File(sweepTracks()); }, 0x10A10 + 2 * 1024 + 7},
    {"NfdR1", "nfd", [] { return nfdR1File(sweepTracks(), {{2, {{300, 1}}}}); }, 0x3C0 + 6 * 144 + 16 + 2 * 1024 + 7},
    {"Fdd", "fdd", [] { return fddFile(sweepTracks()); }, 0xC3FC + 2 * 1024 + 7},
    {"Dcp", "dcp", [] { return dcpFile(0x01, sweepTracks()); }, 0xA2 + 2 * 1024 + 7},
    {"DcpN88", "dcp", [] { return dcpFile(0x11, layoutN88()); }, 0xA2 + 3328 + 2 * 256 + 7},
    {"Dip", "dip", [] { return dipFile(layout2HD()); }, 0x100 + 2 * 1024 + 7},
    {"Dim", "dim", [] { return dimFile(0, sweepTracks()); }, 0x100 + 2 * 1024 + 7},
};

INSTANTIATE_TEST_SUITE_P(Containers, ContainerTruncation, ::testing::ValuesIn(kFiles),
                         [](const ::testing::TestParamInfo<SweepFile>& info) { return info.param.name; });

}  // namespace
