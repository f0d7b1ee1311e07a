// extract, split, join, remove and move end to end: each result compared
// byte for byte with the same operation done here by slicing the input.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "imgdisk_fixture.h"

namespace {

TEST_F(ImgdiskTest, ExtractWritesTheDiskAsItStandsInTheFile) {
    const ThreeDiskFile file;
    put("game.d88", file.bytes);
    for (int number = 0; number < 3; ++number) {
        SCOPED_TRACE(number);
        const std::string out = "disk" + std::to_string(number) + ".d88";
        const ProgramResult run = imgdisk({"extract", "game.d88", std::to_string(number), out});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "ディスク " + std::to_string(number) + " を書き出しました.(" +
                               std::to_string(file.disks[number].size()) + " byte)\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(bytesOf(out), file.disks[number]);
    }
    EXPECT_EQ(bytesOf("game.d88"), file.bytes);

    // An existing output is replaced; hexadecimal numbers as in the other programs.
    put("disk0.d88", patternBytes(5000));
    ASSERT_EQ(imgdisk({"extract", "game.d88", "0x2", "disk0.d88"}).exitStatus, 0);
    EXPECT_EQ(bytesOf("disk0.d88"), file.disks[2]);
}

// A file split into its disks and joined again is the file, byte for byte.
TEST_F(ImgdiskTest, SplitWritesEveryDiskAndJoinGivesTheFileBack) {
    const ThreeDiskFile file;
    const Bytes disksOnly = joined(file.disks);
    put("game.d88", disksOnly);

    const ProgramResult split = imgdisk({"split", "game.d88"});
    EXPECT_EQ(split.exitStatus, 0) << split.err;
    EXPECT_EQ(split.out, "3 枚のディスクを書き出しました.\n");
    for (int number = 0; number < 3; ++number) {
        EXPECT_EQ(bytesOf("game-" + std::to_string(number) + ".d88"), file.disks[number]) << number;
    }
    EXPECT_FALSE(fileExists(dir.file("game-3.d88")));

    const ProgramResult join = imgdisk({"join", "again.d88", "game-0.d88", "game-1.d88", "game-2.d88"});
    EXPECT_EQ(join.exitStatus, 0) << join.err;
    EXPECT_EQ(join.out, "3 枚のディスクをつなぎました.(" + std::to_string(disksOnly.size()) + " byte)\n");
    EXPECT_EQ(bytesOf("again.d88"), disksOnly);
}

// Split takes disks only: the bytes after the last disk go nowhere.
TEST_F(ImgdiskTest, SplitLeavesOutTheBytesAfterTheLastDisk) {
    const ThreeDiskFile file;
    put("game.d88", file.bytes);
    ASSERT_EQ(imgdisk({"split", "game.d88", "part"}).exitStatus, 0);
    EXPECT_EQ(bytesOf("part-2.d88"), file.disks[2]);
    EXPECT_EQ(snapshot().size(), 4u) << "the input and three parts";
}

TEST_F(ImgdiskTest, SplitNamesItsOutputsAfterThePrefix) {
    const Bytes disk = ThreeDiskFile().disks[1];
    std::filesystem::create_directory(dir.file("dir.v2"));
    struct Case {
        std::string file;
        std::vector<std::string> prefix;  // the optional argument
        std::string output;
    };
    const std::vector<Case> cases = {
        {"game.d88", {}, "game-0.d88"},
        {"game.v1.D88", {}, "game.v1-0.d88"},
        {"noext", {}, "noext-0.d88"},
        {".hidden", {}, ".hidden-0.d88"},
        {"dir.v2/image", {}, "dir.v2/image-0.d88"},
        {"dir.v2/image.2d", {}, "dir.v2/image-0.d88"},
        {"game.d88", {"dir.v2/part"}, "dir.v2/part-0.d88"},
        {"game.d88", {"x.d88"}, "x.d88-0.d88"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + (c.prefix.empty() ? "" : c.prefix[0]));
        put(c.file, disk);
        std::vector<std::string> arguments = {"split", c.file};
        arguments.insert(arguments.end(), c.prefix.begin(), c.prefix.end());
        const ProgramResult run = imgdisk(arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "1 枚のディスクを書き出しました.\n");
        EXPECT_EQ(bytesOf(c.output), disk);
        std::filesystem::remove(dir.file(c.output));
    }
}

// Each input may hold several disks; the bytes after an input's last disk
// are left out, and the output may be one of the inputs.
TEST_F(ImgdiskTest, JoinTakesTheDisksOfEveryInputInOrder) {
    const ThreeDiskFile file;
    const Bytes single = buildFixtureImage({uniformDisk(1, 1, 0, true, 0x44)}).bytes;
    put("three.d88", file.bytes);
    put("one.d88", single);

    const ProgramResult run = imgdisk({"join", "all.d88", "three.d88", "one.d88", "three.d88"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const Bytes expected = joined({file.disks[0], file.disks[1], file.disks[2], single, file.disks[0],
                                   file.disks[1], file.disks[2]});
    EXPECT_EQ(run.out, "7 枚のディスクをつなぎました.(" + std::to_string(expected.size()) + " byte)\n");
    EXPECT_EQ(bytesOf("all.d88"), expected);
    EXPECT_EQ(bytesOf("three.d88"), file.bytes);

    ASSERT_EQ(imgdisk({"join", "one.d88", "one.d88", "three.d88"}).exitStatus, 0);
    EXPECT_EQ(bytesOf("one.d88"), joined({single, file.disks[0], file.disks[1], file.disks[2]}));
}

TEST_F(ImgdiskTest, JoinMakesAFileOfSixtyFourDisks) {
    const Bytes blank = buildFixtureImage({FixtureDisk{}}).bytes;
    ASSERT_EQ(blank.size(), kFixtureDiskHeaderSize);
    std::vector<Bytes> sixtyThree(63, blank);
    put("many.d88", joined(sixtyThree));
    put("blank.d88", blank);
    const ProgramResult run = imgdisk({"join", "all.d88", "many.d88", "blank.d88"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "64 枚のディスクをつなぎました.(44032 byte)\n");
    EXPECT_EQ(bytesOf("all.d88"), joined(std::vector<Bytes>(64, blank)));
}

// Every other disk keeps its bytes, the bytes after the last disk stay at
// the end, and the file keeps its permissions.
TEST_F(ImgdiskTest, RemoveTakesOutOneDisk) {
    const ThreeDiskFile file;
    const std::vector<std::vector<int>> kept = {{1, 2}, {0, 2}, {0, 1}};
    for (int number = 0; number < 3; ++number) {
        SCOPED_TRACE(number);
        put("game.d88", file.bytes);
        ASSERT_EQ(::chmod(dir.file("game.d88").c_str(), 0640), 0);
        const ProgramResult run = imgdisk({"remove", "game.d88", std::to_string(number)});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, "ディスク " + std::to_string(number) + " を削除しました.(残り: 2 枚)\n");
        EXPECT_EQ(bytesOf("game.d88"), joined({file.disks[kept[number][0]], file.disks[kept[number][1]],
                                               file.trailing}));
        struct stat status {};
        ASSERT_EQ(::stat(dir.file("game.d88").c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0640u);
        EXPECT_EQ(snapshot().size(), 1u) << "no temporary file is left";
    }
}

TEST_F(ImgdiskTest, RemovingTheOnlyDiskLeavesWhatFollowedIt) {
    const Bytes disk = ThreeDiskFile().disks[0];
    const Bytes piece = patternBytes(300);
    put("one.d88", joined({disk, piece}));
    const ProgramResult run = imgdisk({"remove", "one.d88", "0"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "ディスク 0 を削除しました.(残り: 0 枚)\n");
    EXPECT_EQ(bytesOf("one.d88"), piece);
}

TEST_F(ImgdiskTest, MovePutsTheDiskAtTheNewIndex) {
    const ThreeDiskFile file;
    struct Case {
        int from;
        int to;
        std::vector<int> order;
    };
    const std::vector<Case> cases = {
        {0, 2, {1, 2, 0}}, {2, 0, {2, 0, 1}}, {0, 1, {1, 0, 2}}, {2, 1, {0, 2, 1}}, {1, 1, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        put("game.d88", file.bytes);
        const ProgramResult run = imgdisk({"move", "game.d88", std::to_string(c.from), std::to_string(c.to)});
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out,
                  "ディスク " + std::to_string(c.from) + " を " + std::to_string(c.to) + " 番に移動しました.\n");
        EXPECT_EQ(bytesOf("game.d88"), joined({file.disks[c.order[0]], file.disks[c.order[1]],
                                               file.disks[c.order[2]], file.trailing}));
    }
}

// What follows a 64th disk is no disk of the file, and stays at its end.
TEST_F(ImgdiskTest, MoveKeepsWhatFollowsTheSixtyFourthDisk) {
    std::vector<FixtureDisk> disks(64);
    for (std::size_t i = 0; i < disks.size(); ++i) {
        disks[i].name = "D" + std::to_string(i);
    }
    const FixtureImage image = buildFixtureImage(disks);
    const Bytes extra = buildFixtureImage({uniformDisk(1, 1, 0, true, 0x55)}).bytes;
    put("many.d88", joined({image.bytes, extra}));
    ASSERT_EQ(imgdisk({"move", "many.d88", "63", "0"}).exitStatus, 0);
    const Bytes moved = bytesOf("many.d88");
    const Bytes last = sliceOf(image.bytes, image.disks[63].offset, kFixtureDiskHeaderSize);
    EXPECT_EQ(sliceOf(moved, 0, kFixtureDiskHeaderSize), last);
    EXPECT_EQ(sliceOf(moved, kFixtureDiskHeaderSize, image.disks[63].offset),
              sliceOf(image.bytes, 0, image.disks[63].offset));
    EXPECT_EQ(sliceOf(moved, image.bytes.size(), extra.size()), extra);
    EXPECT_EQ(moved.size(), image.bytes.size() + extra.size());
}

}  // namespace
