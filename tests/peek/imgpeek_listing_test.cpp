// imgpeek's disk list and track list, on images from imgmint, on files of
// several disks and on damaged images built in the test. The expected lines
// are written out as a user sees them.
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "peek_fixture.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

FixtureRecord makeRecord(std::uint8_t cylinder, std::uint8_t head, std::uint8_t record, std::uint8_t sizeCode,
                         std::uint16_t count, std::uint16_t dataLength) {
    return {cylinder, head, record, sizeCode, count, dataLength, 0};
}

constexpr std::size_t kWriteProtectOffset = 0x1A;

TEST_F(ImgpeekTest, ListsTheDiskOfImagesFromImgmint) {
    struct Case {
        std::vector<std::string> arguments;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{"2dbas"}, "   0  0x00 2D   no           348848      80\n"},
        {{"2ddbas"}, "   0  0x10 2DD  no           697008     160\n"},
        {{"2hddos144"}, "   0  0x20 2HD  no          1521328     160\n"},
        {{"1dbas66"}, "   0  0x00 2D   no           174768      40\n"},
        {{"2hdblank"}, "   0  0x20 2HD  no              688       0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        mint(c.arguments);
        const ProgramResult run = peek({imagePath()});
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.out, kDiskHeading + c.line + soundDisks(1, 1));
        EXPECT_EQ(run.err, "");
    }
}

// Disk 1 starts at disk 0's size; its name shows its control bytes and its
// backslash escaped and its half-width katakana decoded; a negative track
// entry is not counted; the third header is cut short and is no disk.
TEST_F(ImgpeekTest, ListsEveryDiskOfAFileWithNamesMediaAndWriteProtection) {
    FixtureDisk first = uniformDisk(2, 2, 0, true);
    first.name = "GAME";
    first.mediaCode = 0x10;
    FixtureDisk second = uniformDisk(1, 1, 0, true);
    second.name = std::string("A\x01" "B\\C\xB1 \x7F", 8);
    second.mediaCode = 0x35;
    second.entryOverrides[5] = -16;
    const FixtureImage fixture = buildFixtureImage({first, second, uniformDisk(1, 1, 0, true)});
    Bytes bytes = fixture.bytes;
    bytes[kWriteProtectOffset] = 0x10;
    bytes.resize(fixture.disks[2].offset + 100);
    useImage(bytes);

    const ProgramResult run = peek({imagePath()});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, kDiskHeading +
                           "   0  0x10 2DD  yes            1264       2          GAME\n"
                           "   1  0x35      no              832       1          A\\x01B\\x5CCｱ \\x7F\n" +
                           soundDisks(2, 2));
    EXPECT_EQ(run.err, "");

    const ProgramResult tracks = peek({imagePath(), "1"});
    EXPECT_EQ(tracks.exitStatus, 0);
    EXPECT_EQ(tracks.out, kDiskHeading +
                              "   1  0x35      no              832       1          A\\x01B\\x5CCｱ \\x7F\n" +
                              kTrackHeading +
                              "    0    0     0        1     1      1  0      128\n"
                              "    5    2     1        -     -      -  -      -            range\n");
}

TEST_F(ImgpeekTest, ListsTheTracksOfImagesFromImgmint) {
    mint({"2d", "2", "1", "3"});
    ProgramResult run = peek({imagePath(), "0"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, kDiskHeading + "   0  0x00 2D   no             2320       3\n" + kTrackHeading +
                           "    0    0     0        2     1      2  1      256\n"
                           "    1    0     1        2     1      2  1      256\n"
                           "    2    1     0        2     1      2  1      256\n");
    EXPECT_EQ(run.err, "");

    // Single-sided: cylinder c at index 2c, head 0.
    mint({"1d", "4", "0", "2"});
    run = peek({imagePath(), "0"});
    EXPECT_EQ(run.out, kDiskHeading + "   0  0x00 2D   no             1840       2\n" + kTrackHeading +
                           "    0    0     0        4     1      4  0      128\n"
                           "    2    1     0        4     1      4  0      128\n");

    // The special first track: 128-byte sectors of size code 0.
    mint({"2hdbas"});
    run = peek({imagePath(), "0x0"});
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u + 154u);
    EXPECT_EQ(lines[1], "   0  0x20 2HD  no          1086448     154");
    EXPECT_EQ(lines[3], "    0    0     0       26     1     26  0      128");
    EXPECT_EQ(lines[4], "    1    0     1       26     1     26  1      256");
    EXPECT_EQ(lines[156], "  153   76     1       26     1     26  1      256");
}

// One damaged track per oddity, and two entries that name no track.
TEST_F(ImgpeekTest, MarksTheOdditiesOfDamagedTracks) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 8, 16}, 1);
    disk.tracks[1] = {makeRecord(0, 1, 1, 1, 4, 256), makeRecord(0, 1, 2, 1, 7, 256), makeRecord(0, 1, 3, 1, 3, 256)};
    disk.tracks[2] = {makeRecord(1, 0, 1, 1, 2, 256), makeRecord(1, 0, 2, 1, 2, 100)};
    disk.tracks[3] = fixtureTrack(5, 0, {1, 2}, 1);
    disk.tracks[4] = {makeRecord(2, 0, 1, 0, 3, 128), makeRecord(2, 0, 2, 1, 3, 256), makeRecord(2, 0, 3, 2, 3, 512)};
    // A count of 0 ends every search before its record, and so the walk.
    disk.tracks[7] = {makeRecord(3, 1, 1, 1, 2, 256), makeRecord(3, 1, 2, 1, 0, 256), makeRecord(3, 1, 3, 1, 3, 256)};
    disk.tracks[8] = fixtureTrack(4, 0, {1, 2, 2, 3}, 1);
    disk.entryOverrides[5] = -16;
    disk.entryOverrides[6] = 0x7FFFFFFF;
    const Bytes bytes = useImage(buildFixtureImage({disk}).bytes);

    const ProgramResult run = peek({imagePath(), "0"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, kDiskHeading + "   0  0x00 2D   no             " + std::to_string(bytes.size()) +
                           "       7\n" + kTrackHeading +
                           "    0    0     0       16     1     16  1      256          "
                           "order:1,9,2,10,3,11,4,12,5,13,6,14,7,15,8,16\n"
                           "    1    0     1        3     1      3  1      256          count\n"
                           "    2    1     0        2     1      2  1      100,256      length\n"
                           "    3    1     1        2     1      2  1      256          cyl head\n"
                           "    4    2     0        3     1      3  0,1,2  128,256,512\n"
                           "    5    2     1        -     -      -  -      -            range\n"
                           "    6    3     0        -     -      -  -      -            range\n"
                           "    7    3     1        1     1      1  1      256          count\n"
                           "    8    4     0        4     1      3  1      256          order:1,2,2,3\n");
    EXPECT_EQ(run.err, "");
}

// A file cut inside a track's records, and a disk whose size field ends
// inside the data of its last record, where the next disk begins.
TEST_F(ImgpeekTest, MarksTracksCutByTheFileOrReachingOutsideTheirDisk) {
    FixtureDisk cut;
    cut.tracks[0] = fixtureTrack(0, 0, {1, 2, 3, 4}, 1);
    const FixtureImage cutImage = buildFixtureImage({cut});
    Bytes bytes = cutImage.bytes;
    bytes.resize(cutImage.disks[0].dataOffset(0, 2) + 100);
    useImage(bytes);
    ProgramResult run = peek({imagePath(), "0"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(linesOf(run.out).at(3), "    0    0     0        3     1      3  1      256          count eof");

    FixtureDisk first;
    first.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1);
    first.tracks[1] = fixtureTrack(0, 1, {1, 2}, 1);
    const std::size_t end = buildFixtureImage({first}).disks[0].dataOffset(1, 1) + 100;
    first.sizeOverride = static_cast<std::int32_t>(end);
    const FixtureImage whole = buildFixtureImage({first});
    bytes.assign(whole.bytes.begin(), whole.bytes.begin() + static_cast<std::ptrdiff_t>(end));
    const Bytes second = buildFixtureImage({uniformDisk(1, 1, 0, true)}).bytes;
    bytes.insert(bytes.end(), second.begin(), second.end());
    useImage(bytes);
    run = peek({imagePath(), "0"});
    EXPECT_EQ(run.exitStatus, 0);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "    0    0     0        2     1      2  1      256");
    EXPECT_EQ(lines[4], "    1    0     1        2     1      2  1      256          outside");
    EXPECT_EQ(peek({imagePath()}).out, kDiskHeading + "   0  0x00 2D   no             1620       2\n" +
                                           "   1  0x00 2D   no              832       1\n" + soundDisks(2, 2));
}

// Names are Shift_JIS: half-width katakana and kanji come out as
// characters, in the console's character set; only what does not decode is
// shown as \xNN.
TEST_F(ImgpeekTest, DiskNamesAreDecodedFromShiftJis) {
    FixtureDisk disk = uniformDisk(1, 1, 0, true);
    disk.name = "\xC3\xBD\xC4 \x93\xFA\x96\x7B\x81";  // half-width te su to, "日本", a lone lead byte
    useImage(buildFixtureImage({disk}).bytes);
    const std::vector<std::string> lines = linesOf(peek({imagePath()}).out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "   0  0x00 2D   no              832       1          ﾃｽﾄ 日本\\x81");
    if (std::setlocale(LC_ALL, "ja_JP.SJIS") != nullptr) {
        std::setlocale(LC_ALL, "C");
        const ProgramResult sjis = runProgram(IMGPEEK_PATH, {imagePath()}, dir.path(), "ja_JP.SJIS");
        EXPECT_EQ(linesOf(sjis.out).at(1), "   0  0x00 2D   no              832       1          "
                                           "\xC3\xBD\xC4 \x93\xFA\x96\x7B\\x81");
    }
}

// Any file lists as some disks; those whose header cannot be a D88 disk
// header are marked, and the last line counts the sound ones.
TEST_F(ImgpeekTest, DisksThatCannotBeD88DisksAreMarked) {
    struct Case {
        const char* name;
        Bytes image;
        std::string line;
        std::string sound;
    };
    std::vector<Case> cases;
    cases.push_back({"text", Bytes(5000, 'a'),
                     "   0  0x61      yes      1633771873     164  eof     aaaaaaaaaaaaaaaa", soundDisks(0, 1)});
    FixtureDisk inside = uniformDisk(1, 1, 0, true);
    inside.entryOverrides[3] = 100;
    cases.push_back({"track entry inside the header", buildFixtureImage({inside}).bytes,
                     "   0  0x00 2D   no              832       2  header", soundDisks(0, 1)});
    // A size of 100 puts every further "disk" inside this one, 64 in all.
    FixtureDisk sound = uniformDisk(1, 1, 0, true);
    FixtureDisk small = uniformDisk(1, 1, 0, true);
    small.sizeOverride = 100;
    Bytes two = buildFixtureImage({sound, small}).bytes;
    cases.push_back({"size below the header", two, "   1  0x00 2D   no              100       0  small",
                     soundDisks(1, 64)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useImage(c.image);
        const ProgramResult run = peek({imagePath()});
        EXPECT_EQ(run.exitStatus, 0);
        const std::vector<std::string> lines = linesOf(run.out);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << run.out;
        EXPECT_EQ(lines.back() + "\n", c.sound);
    }
}

// No count field ever ends this track (the first record's count is 2, every
// other one's 1): like a search, the walk goes on to the end of the file,
// and the stored order is shown for the first 64 records.
TEST_F(ImgpeekTest, ATrackWithoutAStopIsListedToTheEndOfTheFile) {
    FixtureDisk disk;
    disk.tracks[0] = FixtureTrack(70000, makeRecord(0, 0, 1, 1, 1, 0));
    disk.tracks[0][0].count = 2;
    useImage(buildFixtureImage({disk}).bytes);
    std::string order = "order:";
    for (int i = 0; i < 64; ++i) {
        order += "1,";
    }
    order += "...";
    const ProgramResult run = peek({imagePath(), "0"});
    EXPECT_EQ(run.exitStatus, 0);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "    0    0     0    70000     1      1  1      0            " + order + " count length eof");
}

// A size field of 0 puts every disk at offset 0: 64 disks, none of whose
// track entries lies within its size, and none of which is sound.
TEST_F(ImgpeekTest, ASizeOfZeroListsSixtyFourDisksWithoutTracks) {
    FixtureDisk disk = uniformDisk(1, 1, 1, true);
    disk.sizeOverride = 0;
    useImage(buildFixtureImage({disk}).bytes);
    const std::vector<std::string> lines = linesOf(peek({imagePath()}).out);
    ASSERT_EQ(lines.size(), 66u);
    EXPECT_EQ(lines[64], "  63  0x00 2D   no                0       0  small");
    EXPECT_EQ(lines[65] + "\n", soundDisks(0, 64));
    const ProgramResult run = peek({imagePath(), "63"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, kDiskHeading + "  63  0x00 2D   no                0       0  small\n" + kTrackHeading +
                           "    0    0     0        -     -      -  -      -            range\n");
}

TEST_F(ImgpeekTest, ListingRefusalsPrintTheirMessage) {
    mint({"2dbas"});
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{dir.file("missing.d88").string()}, kCannotOpenImage},
        {{dir.file("missing.d88").string(), "0"}, kCannotOpenImage},
        {{imagePath(), "1"}, kNoSuchDisk},
        {{imagePath(), "-1"}, kNoSuchDisk},
        {{imagePath(), "0xFFFFFFFF"}, kNoSuchDisk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const ProgramResult run = peek(c.arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.err);
    }
    // A file too short for one disk header holds no disk.
    useImage(Bytes(687, 0));
    EXPECT_EQ(peek({imagePath()}).out, kDiskHeading + soundDisks(0, 0));
}

// The damaged image cut at many lengths, headers and records split at
// every boundary: every form ends normally, and a file without a whole
// header lists no disk.
TEST_F(ImgpeekTest, AnImageCutAtAnyLengthIsListedAndReadWithoutFault) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {2, 1}, 0);
    disk.tracks[1] = {makeRecord(0, 1, 1, 0, 5, 128), makeRecord(0, 1, 2, 0, 5, 128)};
    const Bytes whole = buildFixtureImage({disk}).bytes;
    std::set<std::size_t> lengths = {whole.size()};
    for (std::size_t length = 0; length < whole.size(); length += 9) {
        lengths.insert(length);
    }
    // Either side of the disk header's end and of every record header.
    for (std::size_t boundary = 688; boundary < whole.size(); boundary += 144) {
        for (const std::size_t at : {boundary, boundary + 16}) {
            lengths.insert({at - 1, at, at + 1});
        }
    }
    for (const std::size_t length : lengths) {
        SCOPED_TRACE(length);
        useImage(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        const ProgramResult disks = peek({imagePath()});
        EXPECT_EQ(disks.exitStatus, 0);
        EXPECT_EQ(linesOf(disks.out).size(), length < 688 ? 2u : 3u);
        const ProgramResult tracks = peek({imagePath(), "0"});
        EXPECT_EQ(tracks.exitStatus, length < 688 ? 1 : 0);
        const ProgramResult read = peek({imagePath(), "0", "1", "1", "256", "-"});
        EXPECT_TRUE(read.exitStatus == 0 || read.exitStatus == 1) << read.exitStatus;
        EXPECT_EQ(read.exitStatus == 0, length == whole.size());
    }
}

}  // namespace
