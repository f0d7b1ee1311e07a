// Every refusal prints one line, exits with status 1 and leaves every file
// byte-identical with none added; so does a failure injected while an output
// is written (a file-size limit, a missing directory).
#include <filesystem>
#include <string>
#include <vector>

#include "imgdisk_fixture.h"

namespace {

constexpr std::size_t kSizeFieldOffset = 0x1C;
const std::string kNoSuchDisk = "指定のディスクがありません.\n";
const std::string kCannotOpenImage = "D88ファイルをオープンできません.\n";

TEST_F(ImgdiskTest, CommandLinesItDoesNotTakeGetTheUsageBlock) {
    put("game.d88", ThreeDiskFile().bytes);
    const std::vector<std::vector<std::string>> commandLines = {
        {},
        {"copy", "game.d88", "0", "out.d88"},
        {"EXTRACT", "game.d88", "0", "out.d88"},
        {"extract", "game.d88", "0"},
        {"extract", "game.d88", "0", "out.d88", "more"},
        {"split"},
        {"split", "game.d88", "part", "more"},
        {"join", "out.d88"},
        {"remove", "game.d88"},
        {"remove", "game.d88", "0", "1"},
        {"move", "game.d88", "0"},
        {"name", "game.d88", "0"},
        {"protect", "game.d88", "0", "on", "off"},
        {"media", "game.d88"},
        {"-h", "extract"},
        {"--help", "--version"},
    };
    for (const std::vector<std::string>& arguments : commandLines) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        expectNothingChanged(arguments, kUsage);
    }
}

TEST_F(ImgdiskTest, HelpAndVersionGoToStandardOutput) {
    for (const char* option : {"-h", "--help"}) {
        const ProgramResult help = imgdisk({option});
        EXPECT_EQ(help.exitStatus, 0);
        EXPECT_EQ(help.out, kUsage);
        EXPECT_EQ(help.err, "");
    }
    const ProgramResult version = imgdisk({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, std::string("imgdisk ") + IMGTOOLS_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

TEST_F(ImgdiskTest, RefusesMissingFilesAndDiskNumbers) {
    put("game.d88", ThreeDiskFile().bytes);
    put("out.d88", patternBytes(1000));
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"extract", "missing.d88", "0", "out.d88"}, kCannotOpenImage},
        {{"split", "missing.d88"}, kCannotOpenImage},
        {{"remove", "missing.d88", "0"}, kCannotOpenImage},
        {{"move", "missing.d88", "0", "1"}, kCannotOpenImage},
        {{"join", "out.d88", "game.d88", "missing.d88"}, "missing.d88 : " + kCannotOpenImage},
        {{"extract", "game.d88", "3", "out.d88"}, kNoSuchDisk},
        {{"extract", "game.d88", "-1", "new.d88"}, kNoSuchDisk},
        {{"remove", "game.d88", "3"}, kNoSuchDisk},
        {{"move", "game.d88", "3", "0"}, kNoSuchDisk},
        {{"move", "game.d88", "0", "3"}, "移動先の番号が範囲外です.\n"},
        {{"move", "game.d88", "0", "-1"}, "移動先の番号が範囲外です.\n"},
    };
    for (const auto& [arguments, error] : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        expectNothingChanged(arguments, error);
    }
}

// A file without one whole disk header holds no disk.
TEST_F(ImgdiskTest, RefusesFilesWithoutDisks) {
    put("game.d88", ThreeDiskFile().bytes);
    put("short.d88", Bytes(kFixtureDiskHeaderSize - 1, 0));
    put("empty.d88", {});
    expectNothingChanged({"split", "short.d88"}, "D88ファイルにディスクがありません.\n");
    expectNothingChanged({"join", "out.d88", "game.d88", "empty.d88"},
                         "empty.d88 : D88ファイルにディスクがありません.\n");
    expectNothingChanged({"extract", "short.d88", "0", "out.d88"}, kNoSuchDisk);
}

// Each reason a disk header cannot be a D88 header, refused by every command
// that copies or moves that disk; a sound disk of the same file can still be
// extracted.
TEST_F(ImgdiskTest, RefusesDisksWhoseHeaderCannotBeADiskHeader) {
    struct Case {
        std::string name;
        Bytes bytes;
        std::string reason;  // for disk 1
    };
    const ThreeDiskFile file;
    const std::size_t second = file.disks[0].size();

    Bytes smallSize = file.bytes;
    storeLE32(smallSize, second + kSizeFieldOffset, kFixtureDiskHeaderSize - 1);
    Bytes trackInHeader = file.bytes;
    storeLE32(trackInHeader, second + 0x20 + 4 * 2, 0x100);
    const Bytes cut = sliceOf(file.bytes, 0, second + file.disks[1].size() - 1);

    const std::vector<Case> cases = {
        {"small.d88", smallSize, "ディスク 1 のサイズが688バイト未満です.\n"},
        {"track.d88", trackInHeader, "ディスク 1 のトラック表がヘッダの中を指しています.\n"},
        {"cut.d88", cut, "ディスク 1 がファイルの終わりを越えています.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(c.name, c.bytes);
        expectNothingChanged({"extract", c.name, "1", "out.d88"}, c.reason);
        expectNothingChanged({"split", c.name}, c.reason);
        expectNothingChanged({"join", "out.d88", c.name}, c.name + " : " + c.reason);
        expectNothingChanged({"remove", c.name, "0"}, c.reason);
        expectNothingChanged({"remove", c.name, "1"}, c.reason);
        expectNothingChanged({"move", c.name, "0", "1"}, c.reason);

        const ProgramResult sound = imgdisk({"extract", c.name, "0", "first.d88"});
        EXPECT_EQ(sound.exitStatus, 0) << sound.err;
        EXPECT_EQ(bytesOf("first.d88"), file.disks[0]);
        std::filesystem::remove(dir.file("first.d88"));
        std::filesystem::remove(dir.file(c.name));
    }
}

TEST_F(ImgdiskTest, RefusesAResultOfMoreThanSixtyFourDisks) {
    const Bytes blank = buildFixtureImage({FixtureDisk{}}).bytes;
    put("many.d88", joined(std::vector<Bytes>(40, blank)));
    expectNothingChanged({"join", "all.d88", "many.d88", "many.d88"},
                         "ディスクは64枚までです.(結果: 80 枚)\n");
}

// Sparse files stand in for large ones: a disk of 1 GiB joined twice, and a
// file whose bytes after its last disk take it past 2^31 - 1 bytes.
TEST_F(ImgdiskTest, RefusesAResultLargerThanAD88FileCanBe) {
    const std::string tooLarge = "結果のファイルが大きすぎます.(最大サイズ: 2147483647 byte)\n";
    constexpr std::uint32_t kGiB = 1u << 30;
    FixtureDisk huge;
    huge.sizeOverride = static_cast<std::int32_t>(kGiB);
    put("huge.d88", buildFixtureImage({huge}).bytes);
    std::filesystem::resize_file(dir.file("huge.d88"), kGiB);
    expectNothingChanged({"join", "all.d88", "huge.d88", "huge.d88"}, tooLarge);

    const ThreeDiskFile file;
    put("long.d88", file.bytes);
    std::filesystem::resize_file(dir.file("long.d88"), 0x80000000u + file.disks[0].size());
    expectNothingChanged({"remove", "long.d88", "0"}, tooLarge);
    expectNothingChanged({"move", "long.d88", "0", "2"}, tooLarge);
}

// The file-size limit makes writes fail part way, as a full file system
// would: the target and every existing output stay as they were.
TEST_F(ImgdiskTest, AFailedWriteLeavesEveryFileAsItWas) {
    FixtureDisk small = uniformDisk(1, 1, 0, true, 0x11);
    FixtureDisk large = uniformDisk(40, 16, 1, true, 0x22);  // 174,768 bytes
    const FixtureImage image = buildFixtureImage({small, small, large});
    put("game.d88", joined({image.bytes, patternBytes(50)}));
    put("out.d88", patternBytes(3000, 1));
    put("game-0.d88", patternBytes(2000, 2));
    const ProgramLimits limit{64 * 1024};

    const std::vector<std::vector<std::string>> commandLines = {
        {"extract", "game.d88", "2", "out.d88"},
        {"split", "game.d88"},
        {"join", "out.d88", "game.d88"},
        {"remove", "game.d88", "0"},
        {"move", "game.d88", "2", "0"},
    };
    for (const std::vector<std::string>& arguments : commandLines) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        expectNothingChanged(arguments, kCannotWriteOutput, limit);
    }
}

TEST_F(ImgdiskTest, AMissingOutputDirectoryChangesNothing) {
    put("game.d88", ThreeDiskFile().bytes);
    expectNothingChanged({"extract", "game.d88", "0", "missing/out.d88"}, kCannotOpenOutput);
    expectNothingChanged({"split", "game.d88", "missing/part"}, kCannotOpenOutput);
    expectNothingChanged({"join", "missing/out.d88", "game.d88"}, kCannotOpenOutput);
}

// A directory in the way of the last output is found before any output is
// renamed into place.
TEST_F(ImgdiskTest, ADirectoryInTheWayOfAnOutputChangesNothing) {
    put("game.d88", ThreeDiskFile().bytes);
    put("game-0.d88", patternBytes(2000, 2));
    std::filesystem::create_directory(dir.file("game-2.d88"));
    expectNothingChanged({"split", "game.d88"}, kCannotOpenOutput);
    expectNothingChanged({"extract", "game.d88", "0", "game-2.d88"}, kCannotOpenOutput);
}

}  // namespace
