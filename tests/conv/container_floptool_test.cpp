// The emulator containers against MAME's floptool as the independent
// reader. Each container file is built here from its documented layout;
// floptool must name it as that format (so the file itself is right), and
// imgconv's D88 of it, flattened, must equal floptool's raw conversion of
// the same file. The N88-BASIC layouts and DCP's 26 x 256 layout have no
// raw form floptool writes: there floptool converts the container and
// imgconv's D88 to its flux format, and both must decode into the same
// sectors.
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "container_files.h"
#include "conv_fixture.h"
#include "support/mfi_sectors.h"

namespace {

constexpr const char* kFloptool = "/usr/bin/floptool";
// floptool builds the PC-98 formats (and D88 media 0x20) as 2HD disks at
// 360 rpm: 1 us cells, 166,666 to a turn.
constexpr std::int64_t kCellsPerTurn2HD = 166666;

struct ContainerCase {
    const char* name;
    const char* fileName;
    const char* floptoolFormat;  // floptool's name for the container
    std::function<ContainerTracks()> layout;
    std::function<Bytes(const ContainerTracks&)> build;
    const char* rawFormat;  // floptool's raw format to compare with (null: none)
};

void PrintTo(const ContainerCase& value, std::ostream* out) { *out << value.name; }

class ContainerFloptool : public ImgconvTest, public ::testing::WithParamInterface<ContainerCase> {
protected:
    void SetUp() override {
        if (::access(kFloptool, X_OK) != 0) {
            GTEST_SKIP() << "MAME's floptool is not installed at " << kFloptool
                         << " (Debian package mame-tools); the container comparisons with it did not run";
        }
        layout = GetParam().layout();
        write(GetParam().fileName, GetParam().build(layout));
    }

    // floptool flopconvert FROM TO input output; the output's bytes.
    Bytes floptool(const std::string& from, const std::string& to, const std::string& input) {
        const std::string output = input + ".floptool." + to;
        const ProgramResult converted =
            runProgram(kFloptool, {"flopconvert", from, to, dir.file(input).string(), dir.file(output).string()},
                       dir.path());
        EXPECT_EQ(converted.exitStatus, 0) << converted.out << converted.err;
        return read(output);
    }

    // imgconv's D88 of the container, as ours.d88.
    void convertToD88() {
        const ProgramResult converted = conv({GetParam().fileName, "ours.d88"});
        ASSERT_EQ(converted.exitStatus, 0) << converted.err;
        ASSERT_EQ(converted.err, "");
    }

    std::vector<MfiTrack> decodedTracks(const Bytes& mfi) {
        std::vector<MfiTrack> tracks;
        const MfiRead read = readMfiTracks(mfi, kCellsPerTurn2HD, tracks);
        EXPECT_EQ(read, MfiRead::Ok);
        return tracks;
    }

    ContainerTracks layout;
};

TEST_P(ContainerFloptool, FloptoolNamesTheBuiltFile) {
    const ProgramResult identified =
        runProgram(kFloptool, {"identify", dir.file(GetParam().fileName).string()}, dir.path());
    EXPECT_TRUE(std::regex_search(identified.out,
                                  std::regex(std::string(R"([+.]{5} - )") + GetParam().floptoolFormat + R"(\s)")))
        << identified.out;
}

class RawComparison : public ContainerFloptool {};

TEST_P(RawComparison, FlattenedD88EqualsFloptoolsRawImage) {
    convertToD88();
    const ProgramResult flattened = conv({"ours.d88", "ours.raw"});
    ASSERT_EQ(flattened.exitStatus, 0) << flattened.err;
    const Bytes ours = read("ours.raw");
    EXPECT_TRUE(ours == flatData(layout)) << "imgconv's raw image is not the sectors the container was built with";
    EXPECT_TRUE(ours == floptool(GetParam().floptoolFormat, GetParam().rawFormat, GetParam().fileName))
        << "imgconv and floptool read the container differently";
}

// floptool writes no raw image of the N88-BASIC layout, nor of 26 x 256
// bytes on every track.
class FluxComparison : public ContainerFloptool {};

TEST_P(FluxComparison, FloptoolReadsTheD88AndTheContainerIntoTheSameSectors) {
    convertToD88();
    const std::vector<MfiTrack> theirs = decodedTracks(floptool(GetParam().floptoolFormat, "mfi", GetParam().fileName));
    const std::vector<MfiTrack> ours = decodedTracks(floptool("d88", "mfi", "ours.d88"));
    if (::testing::Test::HasFailure()) {
        return;
    }
    // Both hold every track of the layout; floptool may add empty ones
    // after it (it reads a D88 of media 0x20 as 82 cylinders).
    ASSERT_GE(theirs.size(), layout.size());
    ASSERT_GE(ours.size(), layout.size());
    const std::vector<ContainerSector> none;
    for (std::size_t t = 0; t < std::max(theirs.size(), ours.size()); ++t) {
        SCOPED_TRACE(::testing::Message() << "track " << t);
        const auto found = layout.find(static_cast<int>(t));
        const std::vector<ContainerSector>& built = found == layout.end() ? none : found->second;
        const std::vector<MfiSector> theirSectors = t < theirs.size() ? theirs[t].sectors : std::vector<MfiSector>{};
        const std::vector<MfiSector> ourSectors = t < ours.size() ? ours[t].sectors : std::vector<MfiSector>{};
        ASSERT_EQ(theirSectors.size(), built.size());
        ASSERT_EQ(ourSectors.size(), built.size());
        for (std::size_t s = 0; s < built.size(); ++s) {
            const MfiSector& source = theirSectors[s];
            MfiSector converted = ourSectors[s];
            EXPECT_TRUE(source.idCrcGood && source.dataCrcGood && converted.idCrcGood && converted.dataCrcGood);
            EXPECT_EQ(source.record, built[s].record);
            EXPECT_EQ(source.singleDensity, built[s].singleDensity);
            EXPECT_TRUE(source.data == sectorData(built[s]));
            // floptool 0.251 ignores the D88 density byte (a D88 track is
            // always built MFM), so only the container's reading shows FM;
            // the D88's own density bytes are checked in the reader tests.
            converted.singleDensity = source.singleDensity;
            EXPECT_TRUE(converted == source) << "sector " << s;
        }
    }
}

Bytes n88Dcp(const ContainerTracks& tracks) { return dcpFile(0x11, tracks); }
Bytes dcp26x256(const ContainerTracks& tracks) { return dcpFile(0x21, tracks); }
ContainerTracks layout26x256() { return uniformLayout(160, 26, 1); }
Bytes hdDcp(const ContainerTracks& tracks) { return dcpFile(0x01, tracks); }
Bytes hdDcu(const ContainerTracks& tracks) { return dcpFile(0x01, tracks, true); }
Bytes hdDim(const ContainerTracks& tracks) { return dimFile(0, tracks); }
Bytes nfdR0(const ContainerTracks& tracks) { return nfdR0File(tracks); }
Bytes nfdR1(const ContainerTracks& tracks) { return nfdR1File(tracks); }
Bytes fdd(const ContainerTracks& tracks) { return fddFile(tracks); }

// The 2HD layout with every fifth sector stored as its fill byte.
ContainerTracks layout2HDWithFills() {
    ContainerTracks tracks = layout2HD();
    int n = 0;
    for (auto& [index, sectors] : tracks) {
        for (ContainerSector& sector : sectors) {
            sector.fillOnly = n++ % 5 == 0;
            sector.fill = static_cast<std::uint8_t>(index);
        }
    }
    return tracks;
}

const ContainerCase kRawCases[] = {
    {"NfdR0", "disk.nfd", "nfd", layout2HD, nfdR0, "pc98"},
    {"NfdR1", "disk.nfd", "nfd", layout2HD, nfdR1, "pc98"},
    {"Fdd", "disk.fdd", "fdd", layout2HDWithFills, fdd, "pc98"},
    {"Dcp", "disk.dcp", "dcx", layout2HD, hdDcp, "pc98"},
    {"Dcu", "disk.dcu", "dcx", layout2HD, hdDcu, "pc98"},
    {"Dip", "disk.dip", "dip", layout2HD, dipFile, "pc98"},
    {"Dim", "disk.dim", "dim", layout2HD, hdDim, "xdf"},
};

const ContainerCase kFluxCases[] = {
    {"NfdR0N88", "n88.nfd", "nfd", layoutN88, nfdR0, nullptr},
    {"DcpN88", "n88.dcp", "dcx", layoutN88, n88Dcp, nullptr},
    {"Dcp26x256Of80Cylinders", "26.dcp", "dcx", layout26x256, dcp26x256, nullptr},
};

std::string caseName(const ::testing::TestParamInfo<ContainerCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Raw, ContainerFloptool, ::testing::ValuesIn(kRawCases), caseName);
INSTANTIATE_TEST_SUITE_P(Flux, ContainerFloptool, ::testing::ValuesIn(kFluxCases), caseName);
INSTANTIATE_TEST_SUITE_P(Containers, RawComparison, ::testing::ValuesIn(kRawCases), caseName);
INSTANTIATE_TEST_SUITE_P(Containers, FluxComparison, ::testing::ValuesIn(kFluxCases), caseName);

}  // namespace
