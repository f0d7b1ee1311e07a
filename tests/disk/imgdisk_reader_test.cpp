// Other readers on imgdisk's results: imgpeek lists them as expected, and
// MAME's floptool, which shares nothing with these tools, takes every disk
// split out of a file of imgmint's presets for a D88 image.
#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include "imgdisk_fixture.h"
#include "support/every_media_type.h"

namespace {

constexpr const char* kFloptool = "/usr/bin/floptool";
const std::string kDiskHeading = "disk  media     protect        size  tracks  marks   name\n";
// The line that ends imgpeek's disk list when every disk is sound.
const std::string kSoundDisks1 = "D88ディスクとして正しいヘッダ: 1 / 1 枚\n";
const std::string kSoundDisks2 = "D88ディスクとして正しいヘッダ: 2 / 2 枚\n";
const std::string kSoundDisks3 = "D88ディスクとして正しいヘッダ: 3 / 3 枚\n";

class ImgdiskReaderTest : public ImgdiskTest {
protected:
    // An image made by imgmint, renamed so that the next one does not
    // overwrite it.
    Bytes mint(const std::vector<std::string>& arguments, const std::string& name) {
        const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        std::filesystem::rename(dir.file("NEW.D88"), dir.file(name));
        return bytesOf(name);
    }

    ProgramResult peek(const std::string& name) { return runProgram(IMGPEEK_PATH, {name}, dir.path()); }

    void expectSuccess(const std::vector<std::string>& arguments) {
        const ProgramResult run = imgdisk(arguments);
        EXPECT_EQ(run.exitStatus, 0) << testing::PrintToString(arguments) << ": " << run.err;
    }
};

TEST_F(ImgdiskReaderTest, ImgpeekListsTheDisksAsTheyWereArranged) {
    mint({"2dbas"}, "basic.d88");
    mint({"2hdblank"}, "blank.d88");
    mint({"2dddos9"}, "dos.d88");
    expectSuccess({"join", "set.d88", "basic.d88", "blank.d88", "dos.d88"});
    EXPECT_EQ(peek("set.d88").out, kDiskHeading +
                                       "   0  0x00 2D   no           348848      80\n"
                                       "   1  0x20 2HD  no              688       0\n"
                                       "   2  0x10 2DD  no           761008     160\n" + kSoundDisks3);

    expectSuccess({"name", "set.d88", "2", "MS-DOS 720K"});
    expectSuccess({"protect", "set.d88", "2", "on"});
    expectSuccess({"media", "set.d88", "1", "2d"});
    expectSuccess({"move", "set.d88", "2", "0"});
    expectSuccess({"remove", "set.d88", "2"});
    EXPECT_EQ(peek("set.d88").out, kDiskHeading +
                                       "   0  0x10 2DD  yes          761008     160          MS-DOS 720K\n"
                                       "   1  0x00 2D   no           348848      80\n" + kSoundDisks2);

    expectSuccess({"extract", "set.d88", "0", "first.d88"});
    EXPECT_EQ(peek("first.d88").out,
              kDiskHeading + "   0  0x10 2DD  yes          761008     160          MS-DOS 720K\n" + kSoundDisks1);
}

TEST_F(ImgdiskReaderTest, FloptoolIdentifiesEveryDiskSplitFromPresetsAsD88) {
    if (::access(kFloptool, X_OK) != 0) {
        GTEST_SKIP() << "MAME's floptool is not installed at " << kFloptool
                     << " (Debian package mame-tools); the outside-reader check did not run";
    }
    const std::vector<std::vector<std::string>>& kinds = everyMediaType();
    std::vector<std::string> join = {"join", "presets.d88"};
    std::vector<Bytes> minted;
    for (const std::vector<std::string>& kind : kinds) {
        minted.push_back(mint(kind, kind.front() + ".d88"));
        join.push_back(kind.front() + ".d88");
    }
    expectSuccess(join);
    expectSuccess({"split", "presets.d88", "part"});

    // floptool lists every format that would take the file, one per line
    // after the file name: score marks, " - ", the format's name and its
    // description.
    const std::regex d88Line(R"((^|\n)[^\n]*[+.]{5} - d88 +D88 disk image\n)");
    for (std::size_t number = 0; number < kinds.size(); ++number) {
        const std::string part = "part-" + std::to_string(number) + ".d88";
        SCOPED_TRACE(kinds[number].front() + " as " + part);
        EXPECT_EQ(bytesOf(part), minted[number]);
        const ProgramResult identified = runProgram(kFloptool, {"identify", part}, dir.path());
        EXPECT_EQ(identified.exitStatus, 0) << identified.err;
        EXPECT_TRUE(std::regex_search(identified.out, d88Line)) << identified.out;
    }
}

}  // namespace
