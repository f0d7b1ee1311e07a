// MAME's floptool as a reader that shares nothing with these tools: it must
// take every image imgmint makes for a D88 image, and after imgpoke pastes a
// pattern into an MS-DOS preset, the raw sector image it converts to must
// hold the pattern at the sector's place and the fill byte everywhere else.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <ostream>
#include <string>
#include <vector>

#include "support/every_media_type.h"
#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kFloptool = "/usr/bin/floptool";
constexpr std::uint8_t kFill = 0x5C;

bool floptoolInstalled() { return ::access(kFloptool, X_OK) == 0; }

class FloptoolReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!floptoolInstalled()) {
            GTEST_SKIP() << "MAME's floptool is not installed at " << kFloptool
                         << " (Debian package mame-tools); the outside-reader checks did not run";
        }
    }

    // An image made by imgmint, renamed so that the next one does not
    // overwrite it.
    std::filesystem::path mint(const std::vector<std::string>& arguments, const std::string& name) {
        const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        const std::filesystem::path path = dir.file(name);
        std::filesystem::rename(dir.file("NEW.D88"), path);
        return path;
    }

    TempDir dir;
};

TEST_F(FloptoolReaderTest, IdentifiesEveryImageImgmintMakesAsD88) {
    const std::vector<std::vector<std::string>>& kinds = everyMediaType();
    ASSERT_EQ(kinds.size(), 25u);
    // floptool lists every format that would take the file, one per line
    // after the file name: score marks, " - ", the format's name and its
    // description.
    const std::regex d88Line(R"((^|\n)[^\n]*[+.]{5} - d88 +D88 disk image\n)");
    for (const std::vector<std::string>& kind : kinds) {
        const std::filesystem::path image = mint(kind, kind.front() + ".d88");
        const ProgramResult identified = runProgram(kFloptool, {"identify", image.string()}, dir.path());
        EXPECT_EQ(identified.exitStatus, 0) << kind.front() << ": " << identified.err;
        EXPECT_TRUE(std::regex_search(identified.out, d88Line)) << kind.front() << ":\n" << identified.out;
        EXPECT_EQ(identified.out.rfind(image.string() + " : ", 0), 0u) << identified.out;
    }
}

struct ConvertedPaste {
    const char* keyword;
    const char* rawFormat;  // floptool's name of the raw sector format
    int tracks;             // track indexes, stored cylinder by cylinder, head 0 first
    int sectors;
    int sectorLength;
    int track;  // where imgpoke starts
    int sector;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ConvertedPaste& value, std::ostream* out) { *out << value.keyword; }

class FloptoolConversionTest : public FloptoolReaderTest, public ::testing::WithParamInterface<ConvertedPaste> {};

TEST_P(FloptoolConversionTest, PastedPatternStandsAtItsSectorsInTheRawImage) {
    const ConvertedPaste& paste = GetParam();
    const std::filesystem::path image = mint({paste.keyword, "0x5C"}, "disk.d88");
    // Two sectors and a half: across the end of the start track and onto the
    // next track index, the other head.
    const Bytes pattern = patternBytes(static_cast<std::size_t>(paste.sectorLength) * 5 / 2, 0x21);
    writeFileBytes(dir.file("pattern.bin"), pattern);
    const ProgramResult poked = runProgram(IMGPOKE_PATH, {image.string(), dir.file("pattern.bin").string(), "0",
                                                          std::to_string(paste.track), std::to_string(paste.sector)},
                                           dir.path());
    ASSERT_EQ(poked.exitStatus, 0) << poked.err;

    const std::filesystem::path raw = dir.file("disk.raw");
    const ProgramResult converted =
        runProgram(kFloptool, {"flopconvert", "d88", paste.rawFormat, image.string(), raw.string()}, dir.path());
    ASSERT_EQ(converted.exitStatus, 0) << converted.out << converted.err;

    const Bytes bytes = readFileBytes(raw);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(paste.tracks) * paste.sectors * paste.sectorLength);
    const std::size_t start =
        (static_cast<std::size_t>(paste.track) * paste.sectors + static_cast<std::size_t>(paste.sector - 1)) *
        static_cast<std::size_t>(paste.sectorLength);
    ASSERT_LE(start + pattern.size(), bytes.size());
    std::size_t misplaced = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool inPattern = i >= start && i < start + pattern.size();
        const std::uint8_t expected = inPattern ? pattern[i - start] : kFill;
        if (bytes[i] != expected && misplaced++ == 0) {
            ADD_FAILURE() << "raw byte " << i << " is " << int{bytes[i]} << ", expected " << int{expected};
        }
    }
    EXPECT_EQ(misplaced, 0u);
}

const ConvertedPaste kConversions[] = {
    {"2dddos9", "pc", 160, 9, 512, 5, 8},
    {"2hcdos", "pc", 160, 15, 512, 6, 14},
    {"2hddos", "pc98", 154, 8, 1024, 3, 7},
};

INSTANTIATE_TEST_SUITE_P(MsDosPresets, FloptoolConversionTest, ::testing::ValuesIn(kConversions),
                         [](const ::testing::TestParamInfo<ConvertedPaste>& info) {
                             return std::string(info.param.keyword);
                         });

}  // namespace
