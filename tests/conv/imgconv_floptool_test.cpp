// MAME's floptool as an independent reader and writer of the same layouts:
// imgconv's raw image of a D88 equals floptool's conversion of it, and the
// D88 and FDI images imgconv makes from a raw image convert back to that
// raw image through floptool.
#include <unistd.h>

#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "conv_fixture.h"

namespace {

constexpr const char* kFloptool = "/usr/bin/floptool";

struct Layout {
    const char* keyword;
    const char* floptoolFormat;  // floptool's raw sector format for it
    const char* rawName;         // an extension that names the layout
    std::size_t rawSize;
    int sectors;
};

void PrintTo(const Layout& value, std::ostream* out) { *out << value.keyword << "/" << value.floptoolFormat; }

class FloptoolComparison : public ImgconvTest, public ::testing::WithParamInterface<Layout> {
protected:
    void SetUp() override {
        if (::access(kFloptool, X_OK) != 0) {
            GTEST_SKIP() << "MAME's floptool is not installed at " << kFloptool
                         << " (Debian package mame-tools); the comparisons with it did not run";
        }
    }

    // floptool flopconvert FROM TO input output; the output's bytes.
    Bytes floptool(const std::string& from, const std::string& to, const std::string& input) {
        const std::string output = "floptool." + to;
        const ProgramResult converted =
            runProgram(kFloptool, {"flopconvert", from, to, dir.file(input).string(), dir.file(output).string()},
                       dir.path());
        EXPECT_EQ(converted.exitStatus, 0) << converted.out << converted.err;
        return read(output);
    }
};

TEST_P(FloptoolComparison, RawImageOfAD88EqualsFloptools) {
    const Layout& layout = GetParam();
    mint({layout.keyword, "0x5C"}, "disk.d88");
    // A pattern across the end of the fourth track and into the fifth.
    poke("disk.d88", patternBytes(3000, 0x21), 3, layout.sectors - 1);
    const ProgramResult converted = conv({"disk.d88", layout.rawName});
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    const Bytes ours = read(layout.rawName);
    EXPECT_EQ(ours.size(), layout.rawSize);
    EXPECT_TRUE(ours == floptool("d88", layout.floptoolFormat, "disk.d88")) << "imgconv and floptool differ";
}

TEST_P(FloptoolComparison, FloptoolReadsOurD88BackIntoTheRawImage) {
    const Layout& layout = GetParam();
    const Bytes raw = patternBytes(layout.rawSize, 0x4D);
    write(layout.rawName, raw);
    ASSERT_EQ(conv({layout.rawName, "ours.d88"}).exitStatus, 0);
    EXPECT_TRUE(floptool("d88", layout.floptoolFormat, "ours.d88") == raw) << "raw -> D88 -> floptool changed it";
}

const Layout kLayouts[] = {
    {"2dddos9", "pc", "disk.dd9", 737280, 9},   {"2hcdos", "pc", "disk.hd5", 1228800, 15},
    {"2hddos", "pc98", "disk.hdm", 1261568, 8}, {"2hddos", "xdf", "disk.xdf", 1261568, 8},
    {"2dbas", "2d", "disk.2d", 327680, 16},
};

INSTANTIATE_TEST_SUITE_P(Layouts, FloptoolComparison, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                             return std::string(info.param.keyword) + "_" + info.param.floptoolFormat;
                         });

// floptool builds every FDI track at the 2HD cell rate, so it can write
// back only the 2HD layouts (formats.md): these two.
class FloptoolFdi : public FloptoolComparison {};

TEST_P(FloptoolFdi, FloptoolReadsOurFdiBackIntoTheRawImage) {
    const Layout& layout = GetParam();
    const Bytes raw = patternBytes(layout.rawSize, 0x4E);
    write(layout.rawName, raw);
    ASSERT_EQ(conv({layout.rawName, "ours.fdi"}).exitStatus, 0);
    const ProgramResult identified = runProgram(kFloptool, {"identify", dir.file("ours.fdi").string()}, dir.path());
    EXPECT_TRUE(std::regex_search(identified.out, std::regex(R"([+.]{5} - pc98_fdi +PC98 FDI disk image)")))
        << identified.out;
    EXPECT_TRUE(floptool("pc98_fdi", layout.floptoolFormat, "ours.fdi") == raw) << "raw -> FDI -> floptool changed it";
}

const Layout kFdiLayouts[] = {
    {"2hddos", "pc98", "disk.hdm", 1261568, 8},
    {"2hcdos", "pc", "disk.hd5", 1228800, 15},
};

INSTANTIATE_TEST_SUITE_P(HighDensityLayouts, FloptoolFdi, ::testing::ValuesIn(kFdiLayouts),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                             return std::string(info.param.keyword) + "_" + info.param.floptoolFormat;
                         });

}  // namespace
