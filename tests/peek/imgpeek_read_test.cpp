// imgpeek's sector read run as a user runs it: the bytes it writes to its
// output file or standard output, what it prints, its exit status, and an
// image that stays as it was.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "peek_fixture.h"

namespace {

const std::string kNegativeLength = "読み込むサイズは0以上で指定してください.\n";
const std::string kCannotOpenOutput = "出力ファイルをオープンできません.\n";
const std::string kOutputIsImage = "出力ファイルにD88ファイル自身は指定できません.\n";
const std::string kOutputWriteFailed = "出力ファイルへの書き込みに失敗しました.\n";

std::string lengthBeyondDisk(int size) {
    return "読み込むサイズがディスクのサイズを超えています.(ディスクサイズ: " + std::to_string(size) + " byte)\n";
}

std::string shortRead(int got) {
    return "D88イメージからの読み込みに失敗しました.(読み込んだサイズ: " + std::to_string(got) + " byte)\n";
}

std::string twoColumns(int value) {
    const std::string text = std::to_string(value);
    return text.size() < 2 ? " " + text : text;
}

std::string numbers(int disk, int track, int sector) {
    return "diskno:" + twoColumns(disk) + " track:" + twoColumns(track) + " sector:" + twoColumns(sector);
}

std::string readLine(int disk, int track, int sector, int length) {
    return numbers(disk, track, sector) + " から " + std::to_string(length) + "byte 読み込みました.\n";
}

std::string pasteLine(int disk, int track, int sector, int length) {
    return numbers(disk, track, sector) + " から " + std::to_string(length) + "byte 書き込みました.\n";
}

// One imgmint preset with sectors, and the geometry its tracks hold after
// track 0 (the special first track of the 2HD BASIC presets is skipped).
struct Preset {
    std::vector<std::string> arguments;
    int sectors;
    int sectorLength;
    bool doubleSided;
};

// Every preset that has sectors; the generic ones with a small geometry.
const std::vector<Preset> kPresets = {
    {{"2d", "4", "1", "8"}, 4, 256, true},
    {{"2dd", "5", "2", "8"}, 5, 512, true},
    {{"2hd", "3", "3", "8"}, 3, 1024, true},
    {{"1d", "4", "0", "6"}, 4, 128, false},
    {{"1dd", "2", "1", "6"}, 2, 256, false},
    {{"2dbas"}, 16, 256, true},
    {{"2ddbas"}, 16, 256, true},
    {{"2hdbas"}, 26, 256, true},
    {{"2hdbas88"}, 26, 256, true},
    {{"2dddos"}, 8, 512, true},
    {{"2dddos6"}, 8, 512, true},
    {{"2dddos9"}, 9, 512, true},
    {{"2hddos"}, 8, 1024, true},
    {{"2hcdos"}, 15, 512, true},
    {{"2hddos144"}, 18, 512, true},
    {{"1dbas"}, 16, 256, false},
    {{"1dbas80"}, 16, 256, false},
    {{"1dbas66"}, 16, 256, false},
    {{"1ddbas"}, 16, 256, false},
    {{"1ddbas66"}, 16, 256, false},
};

// A run that imgpoke writes and imgpeek reads back from the same place.
struct RoundTrip {
    bool singleSided;
    int track;
    int sector;
    int length;
};

// Double-sided: from the second-last sector of track index 1 (cylinder 0,
// head 1) on through indexes 2 and 3 into index 4: across a cylinder, a
// head and a cylinder again. Single-sided: from the last sector of
// cylinder 1 through cylinder 2 into cylinder 3.
std::vector<RoundTrip> roundTrips(const Preset& preset) {
    const int track = preset.sectors * preset.sectorLength;
    std::vector<RoundTrip> trips;
    if (preset.doubleSided) {
        trips.push_back({false, 1, preset.sectors - 1, 2 * preset.sectorLength + 2 * track + preset.sectorLength / 2});
    }
    trips.push_back({true, 1, preset.sectors, preset.sectorLength + track + 10});
    return trips;
}

TEST_F(ImgpeekTest, ReadsBackWhatImgpokePastedForEveryPresetAndMode) {
    for (const Preset& preset : kPresets) {
        const Bytes minted = mint(preset.arguments);
        for (const RoundTrip& trip : roundTrips(preset)) {
            SCOPED_TRACE(preset.arguments[0] + (trip.singleSided ? " -s" : ""));
            useImage(minted);
            const Bytes source = patternBytes(static_cast<std::size_t>(trip.length), 0x3C);
            writeFileBytes(dir.file("src.bin"), source);
            std::vector<std::string> place = {"0", std::to_string(trip.track), std::to_string(trip.sector)};
            const std::string banner = trip.singleSided ? kBanner : "";

            std::vector<std::string> pokeArguments = {imagePath(), dir.file("src.bin").string()};
            pokeArguments.insert(pokeArguments.end(), place.begin(), place.end());
            std::vector<std::string> peekArguments = {imagePath()};
            peekArguments.insert(peekArguments.end(), place.begin(), place.end());
            peekArguments.insert(peekArguments.end(), {std::to_string(trip.length), outPath()});
            if (trip.singleSided) {
                pokeArguments.insert(pokeArguments.begin(), "-s");
                peekArguments.insert(peekArguments.begin(), "-s");
            }

            const ProgramResult pasted = poke(pokeArguments);
            ASSERT_EQ(pasted.out, banner + pasteLine(0, trip.track, trip.sector, trip.length)) << pasted.err;
            const Bytes pastedImage = image();
            ASSERT_NE(pastedImage, minted);
            const ProgramResult read = peek(peekArguments);
            EXPECT_EQ(read.exitStatus, 0);
            EXPECT_EQ(read.out, banner + readLine(0, trip.track, trip.sector, trip.length));
            EXPECT_EQ(read.err, "");
            EXPECT_EQ(output(), source);
            EXPECT_EQ(image(), pastedImage);
        }
    }
}

// Sectors whose fill tells them apart, one track stored out of order: the
// run takes sector numbers in order, goes on to the next head and
// cylinder, and takes only the last sector's share.
TEST_F(ImgpeekTest, ReadsSectorsInNumberOrderAcrossHeadsAndCylinders) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {1, 2, 3, 4}, 0, 0x10);
    disk.tracks[1] = fixtureTrack(0, 1, {1, 3, 2, 4}, 0, 0x20);
    disk.tracks[2] = fixtureTrack(1, 0, {1, 2, 3, 4}, 0, 0x30);
    useImage(buildFixtureImage({disk}).bytes);
    Bytes expected;
    for (const std::uint8_t fill : {0x12, 0x13, 0x20, 0x22, 0x21, 0x23}) {
        expected.insert(expected.end(), 128, fill);
    }
    expected.insert(expected.end(), 64, 0x30);

    const ProgramResult run = peek({imagePath(), "0", "0", "3", "832", outPath()});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, readLine(0, 0, 3, 832));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(output(), expected);
}

TEST_F(ImgpeekTest, DashWritesTheBytesToStandardOutputAndTheLinesToStandardError) {
    const Bytes minted = mint({"1d", "4", "0", "6", "0x5A"});
    const ProgramResult run = peek({"-s", imagePath(), "0", "1", "4", "200", "-"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, std::string(200, '\x5A'));
    EXPECT_EQ(run.err, kBanner + readLine(0, 1, 4, 200));
    EXPECT_FALSE(fileExists(dir.file("-")));
}

TEST_F(ImgpeekTest, ALengthOfZeroWritesAnEmptyFile) {
    mint({"2dbas"});
    writeFileBytes(dir.file("out.bin"), Bytes(10, 1));
    const ProgramResult run = peek({imagePath(), "0", "0", "1", "0", outPath()});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, readLine(0, 0, 1, 0));
    EXPECT_EQ(output(), Bytes());
}

TEST_F(ImgpeekTest, RefusesOtherArgumentCountsWithTheUsageBlock) {
    mint({"2dbas"});
    const std::string img = imagePath();
    const std::vector<std::vector<std::string>> refused = {
        {},
        {img, "0", "0"},
        {img, "0", "0", "1"},
        {img, "0", "0", "1", "256"},
        {"-s"},
        {"-s", img},
        {"-s", img, "0"},
        {"-s", img, "0", "0", "1", "256"},
    };
    for (const auto& arguments : refused) {
        SCOPED_TRACE(arguments.size());
        const ProgramResult run = peek(arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, kPeekUsage);
    }
    EXPECT_FALSE(fileExists(dir.file("256")));
}

// Every refusal prints its one line, writes no output file and leaves the
// image alone; in single-sided mode the banner comes first, on standard
// output or, with "-", on standard error.
TEST_F(ImgpeekTest, RefusalsPrintTheirMessageAndWriteNothing) {
    const Bytes before = mint({"2d", "16", "1", "4", "0xE5"});
    const int size = static_cast<int>(before.size());
    const std::string img = imagePath();
    const std::string out = outPath();
    struct Case {
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{dir.file("missing.d88").string(), "0", "0", "1", "10", out}, "", kCannotOpenImage},
        {{img, "1", "0", "1", "10", out}, "", kNoSuchDisk},
        {{img, "-1", "0", "1", "10", out}, "", kNoSuchDisk},
        {{img, "0", "164", "1", "10", out}, "", kTrackOutOfRange},
        {{img, "0", "-1", "1", "10", out}, "", kTrackOutOfRange},
        {{"-s", img, "0", "164", "1", "10", out}, "", kTrackOutOfRange},
        {{img, "0", "4", "1", "10", out}, "", kTrackNotFormatted},
        {{"-s", img, "0", "90", "1", "10", out}, kBanner, kTrackNotFormatted},
        {{"-s", img, "0", "90", "1", "10", "-"}, "", kBanner + kTrackNotFormatted},
        {{img, "0", "0", "17", "10", out}, "", kSectorNotFound},
        {{img, "0", "0", "0", "10", out}, "", kSectorNotFound},
        {{"-s", img, "0", "1", "200", "10", out}, kBanner, kSectorNotFound},
        {{img, "0", "0", "1", "-1", out}, "", kNegativeLength},
        {{img, "0", "0", "1", "0xFFFFFFFF", "-"}, "", kNegativeLength},
        {{img, "0", "0", "1", std::to_string(size + 1), out}, "", lengthBeyondDisk(size)},
        {{"-s", img, "0", "1", "1", std::to_string(size + 1), "-"}, "", kBanner + lengthBeyondDisk(size)},
        {{img, "0", "0", "1", "10", dir.file("no/such/dir").string()}, "", kCannotOpenOutput},
        {{img, "0", "0", "1", "10", dir.path().string()}, "", kCannotOpenOutput},
        {{img, "0", "0", "1", "10", img}, "", kOutputIsImage},
        {{img, "0", "0", "1", "10", "./disk.d88"}, "", kOutputIsImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err + " " + c.arguments[1] + " " + c.arguments[2]);
        const ProgramResult run = peek(c.arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        EXPECT_FALSE(fileExists(dir.file("out.bin")));
    }
    EXPECT_EQ(image(), before);
}

// A length of exactly the disk's size is accepted; the read then runs off
// the disk and keeps what it read.
TEST_F(ImgpeekTest, AReadThatEndsEarlyWritesWhatItReadAndFails) {
    const Bytes minted = mint({"2d", "2", "0", "3", "0x77"});
    const int size = static_cast<int>(minted.size());
    struct Case {
        std::vector<std::string> arguments;
        std::string out;
        int got;
    };
    const std::vector<Case> cases = {
        {{imagePath(), "0", "1", "2", std::to_string(size), outPath()}, "", 3 * 128},
        {{"-s", imagePath(), "0", "0", "1", "1000", outPath()}, kBanner, 4 * 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.got);
        const ProgramResult run = peek(c.arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, shortRead(c.got));
        EXPECT_EQ(output(), Bytes(static_cast<std::size_t>(c.got), 0x77));
    }
}

// The read visits exactly what a paste of the same length from the same
// place writes: the start size code holds for the whole run, and sectors of
// another size or missing numbers are skipped as the paste skips them. On a
// track of sectors 1, 2, 3 and 5 of mixed sizes, whatever imgpoke writes,
// imgpeek reads back, and a short paste is a read as short.
TEST_F(ImgpeekTest, ReadsWhatAPasteFromTheSamePlaceWrites) {
    FixtureDisk disk;
    disk.tracks[0] = {{0, 0, 1, 1, 4, 256, 0x01}, {0, 0, 2, 2, 4, 512, 0x02}, {0, 0, 3, 1, 4, 256, 0x03},
                      {0, 0, 5, 2, 4, 512, 0x05}};
    disk.tracks[1] = {{0, 1, 1, 1, 4, 256, 0x11}, {0, 1, 2, 2, 4, 512, 0x12}, {0, 1, 3, 1, 4, 256, 0x13},
                      {0, 1, 5, 2, 4, 512, 0x15}};
    const Bytes original = buildFixtureImage({disk}).bytes;
    struct Case {
        std::string sector;
        int length;
        int expected;  // what the paste writes, worked out by hand
    };
    const std::vector<Case> cases = {
        {"2", 600, 600},   // 2 (512), 3 and 4 skipped, 5 takes 88
        {"1", 300, 300},   // 1 (256), 2 skipped, 3 takes 44
        {"3", 256, 256},
        {"3", 1000, 768},  // 3, then 1 and 3 of track 1; nothing after
        {"5", 2000, 1536}, // 5, then 2 and 5 of track 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sector + " " + std::to_string(c.length));
        useImage(original);
        const Bytes source = patternBytes(static_cast<std::size_t>(c.length), 0x5D);
        writeFileBytes(dir.file("src.bin"), source);
        const ProgramResult pasted = poke({imagePath(), dir.file("src.bin").string(), "0", "0", c.sector});
        EXPECT_EQ(pasted.exitStatus, c.expected == c.length ? 0 : 1) << pasted.err;
        const ProgramResult read = peek({imagePath(), "0", "0", c.sector, std::to_string(c.length), outPath()});
        EXPECT_EQ(read.exitStatus, pasted.exitStatus);
        EXPECT_EQ(read.err, c.expected == c.length ? "" : shortRead(c.expected));
        EXPECT_EQ(output(), Bytes(source.begin(), source.begin() + c.expected));
    }
}

// A paste without -s into a single-sided disk steps over the absent odd
// track indexes; reading the same stretch back steps over them too.
TEST_F(ImgpeekTest, ReadsBackAPasteThatSkippedTheAbsentSideOfASingleSidedDisk) {
    mint({"1ddbas"});
    const Bytes source = patternBytes(204800, 0x2F);
    writeFileBytes(dir.file("src.bin"), source);
    const ProgramResult pasted = poke({imagePath(), dir.file("src.bin").string(), "0", "0", "1"});
    ASSERT_EQ(pasted.exitStatus, 0) << pasted.err;
    const ProgramResult read = peek({imagePath(), "0", "0", "1", "204800", outPath()});
    EXPECT_EQ(read.exitStatus, 0) << read.err;
    EXPECT_EQ(read.out, readLine(0, 0, 1, 204800));
    EXPECT_EQ(output(), source);
}

// A file nobody may write can still be read; nothing in it changes.
TEST_F(ImgpeekTest, AReadOnlyImageCanBeListedAndRead) {
    const Bytes minted = mint({"2dbas", "0x42"});
    ASSERT_EQ(::chmod(imagePath().c_str(), 0444), 0);
    const ProgramResult list = peek({imagePath()});
    EXPECT_EQ(list.exitStatus, 0);
    EXPECT_EQ(list.out, kDiskHeading + "   0  0x00 2D   no           348848      80\n" + soundDisks(1, 1));
    const ProgramResult read = peek({imagePath(), "0", "5", "16", "300", outPath()});
    EXPECT_EQ(read.exitStatus, 0);
    EXPECT_EQ(read.out, readLine(0, 5, 16, 300));
    EXPECT_EQ(output(), Bytes(300, 0x42));
    EXPECT_EQ(image(), minted);
}

// The output file cannot take the bytes (the file size limit stops the
// write): the failure is reported instead of the result line.
TEST_F(ImgpeekTest, AFailedWriteOfTheOutputIsReported) {
    mint({"2dddos9"});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ProgramResult run = peek({imagePath(), "0", "0", "1", "10000", outPath()});
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kOutputWriteFailed);
}

// The bytes are written, but a result line that standard output does not
// take is a failure, reported as one; so is a listing it does not take.
TEST_F(ImgpeekTest, OutputThatStandardOutputDoesNotTakeIsAFailure) {
    if (!fileExists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    mint({"2dbas", "0x42"});
    const ProgramResult read =
        runProgramWithOutputTo(IMGPEEK_PATH, {imagePath(), "0", "0", "1", "300", outPath()}, dir.path(), "/dev/full");
    EXPECT_EQ(read.exitStatus, 1);
    EXPECT_EQ(read.err, kStandardOutputWriteFailed);
    EXPECT_EQ(output(), Bytes(300, 0x42));
    for (const std::vector<std::string>& listing : {std::vector<std::string>{imagePath()},
                                                     std::vector<std::string>{imagePath(), "0"}}) {
        const ProgramResult run = runProgramWithOutputTo(IMGPEEK_PATH, listing, dir.path(), "/dev/full");
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.err, kOutputWriteFailed);
    }
}

// A read of the image that fails with an error is reported by every form,
// not taken for an image without disks: a directory, and the process's own
// memory, which cannot be read at offset 0.
TEST_F(ImgpeekTest, AnImageThatCannotBeReadIsReportedByEveryForm) {
    std::vector<std::string> unreadable{dir.path().string()};
    if (fileExists("/proc/self/mem")) {
        unreadable.emplace_back("/proc/self/mem");
    }
    for (const std::string& path : unreadable) {
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{path}, std::vector<std::string>{path, "0"},
              std::vector<std::string>{path, "0", "0", "1", "10", outPath()},
              std::vector<std::string>{"-s", path, "0", "0", "1", "10", "-"}}) {
            SCOPED_TRACE(arguments.front() + " ... (" + std::to_string(arguments.size()) + " arguments)");
            const ProgramResult run = peek(arguments);
            EXPECT_EQ(run.exitStatus, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, kImageReadFailed);
        }
    }
}

}  // namespace
