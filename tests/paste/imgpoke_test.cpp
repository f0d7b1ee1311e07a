// imgpoke run as a user runs it: argv, a temporary directory, the two output
// streams, the exit status and the bytes of the image afterwards.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/minted_image_test.h"
#include "support/program_run.h"
#include "support/expected_texts.h"
#include "support/temp_dir.h"

namespace {

const std::string kUsage =
    "Usage:\n"
    "Usage: imgpoke (-s) [d88file] [targetfile] [diskno] [track] [Sector]\n"
    "     -s : 片面モード\n";
const std::string kCannotOpenSource = "書き込み対象ファイルをオープンできません.\n";
const std::string kSourceReadFailed = "書き込み対象ファイルの読み込みに失敗しました. \n";
const std::string kSourceTooLarge = "書き込み対象ファイルが大きすぎます.(最大サイズ: 737280 byte)\n";
const std::string kCloseFailed = "D88ファイルへの書き込みを完了できませんでした.\n";

constexpr std::size_t kMaxSource = 737280;

std::string resultLine(const char* numbers, int written) {
    return std::string(numbers) + " から " + std::to_string(written) + "byte 書き込みました.\n";
}

// Offset of a sector's data in a uniform image as the formatter writes it:
// tracks stored one after another in track order, sectors 1 to n in each.
std::size_t uniformData(int trackOrdinal, int sector, int sectors, int dataLength) {
    const auto records = static_cast<std::size_t>(trackOrdinal) * static_cast<std::size_t>(sectors) +
                         static_cast<std::size_t>(sector - 1);
    return kFixtureDiskHeaderSize + records * (kFixtureRecordHeaderSize + static_cast<std::size_t>(dataLength)) +
           kFixtureRecordHeaderSize;
}

// A piece of the source that must land at a file offset.
struct Piece {
    std::size_t offset;
    std::size_t from;
    std::size_t length;
};

// Pieces for `count` whole sectors of a uniform image, in stored order from
// the given track ordinal and sector, taking the source from `from` on.
std::vector<Piece> uniformSectors(int trackOrdinal, int sector, int count, int sectors, int dataLength,
                                  std::size_t from = 0) {
    std::vector<Piece> pieces;
    for (int i = 0; i < count; ++i) {
        const int position = trackOrdinal * sectors + sector - 1 + i;
        pieces.push_back({uniformData(position / sectors, position % sectors + 1, sectors, dataLength),
                          from + static_cast<std::size_t>(i * dataLength), static_cast<std::size_t>(dataLength)});
    }
    return pieces;
}

Bytes patched(Bytes image, const Bytes& source, const std::vector<Piece>& pieces) {
    for (const Piece& piece : pieces) {
        patchBytes(image, piece.offset, source, piece.from, piece.length);
    }
    return image;
}

class ImgpokeTest : public MintedImageTest {
protected:
    ProgramResult poke(const std::vector<std::string>& arguments) {
        return runProgram(IMGPOKE_PATH, arguments, dir.path());
    }

    Bytes useSource(std::size_t length, std::uint8_t seed = 0x5A) {
        const Bytes source = patternBytes(length, seed);
        writeFileBytes(dir.file("src.bin"), source);
        return source;
    }

    std::string sourcePath() const { return dir.file("src.bin").string(); }

    // Runs a paste that must succeed with the given numbers in its line.
    void expectPasted(const std::vector<std::string>& arguments, const char* numbers, int written,
                      const std::string& banner = "") {
        const ProgramResult run = poke(arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(run.out, banner + resultLine(numbers, written));
        EXPECT_EQ(run.err, "");
    }

    void expectRefused(const std::vector<std::string>& arguments, const std::string& err, const std::string& out = "") {
        const ProgramResult run = poke(arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, err);
    }
};

TEST_F(ImgpokeTest, RefusesShortCommandLinesWithTheUsageBlock) {
    const Bytes before = mint({"2d", "16", "1", "4"});
    useSource(10);
    const std::vector<std::vector<std::string>> refused = {
        {},
        {imagePath(), sourcePath(), "0", "0"},
        {"-s", imagePath(), sourcePath(), "0", "0"},
    };
    for (const auto& arguments : refused) {
        SCOPED_TRACE(arguments.size());
        expectRefused(arguments, kUsage);
    }
    EXPECT_EQ(image(), before);
}

TEST_F(ImgpokeTest, AcceptsFiveArgumentsOrSixWithTheFlagAndIgnoresTheRest) {
    const Bytes minted = mint({"1d", "4", "0", "40"});
    const Bytes source = useSource(10);
    expectPasted({imagePath(), sourcePath(), "0", "2", "1"}, "diskno: 0 track: 2 sector: 1", 10);
    expectPasted({"-s", imagePath(), sourcePath(), "0", "3", "2", "extra", "more"}, "diskno: 0 track: 3 sector: 2",
                 10, kBanner);
    // Double-sided track 2 is track index 2, single-sided cylinder 1 of this
    // single-sided image; -s track 3 is cylinder 3.
    EXPECT_EQ(image(), patched(minted, source, {{uniformData(1, 1, 4, 128), 0, 10}, {uniformData(3, 2, 4, 128), 0, 10}}));
}

TEST_F(ImgpokeTest, RefusalsPrintTheirMessageAndLeaveTheImageAlone) {
    const Bytes before = mint({"2d", "16", "1", "4", "0xE5"});
    useSource(10);
    writeFileBytes(dir.file("big.bin"), patternBytes(kMaxSource + 1));
    const std::string img = imagePath();
    const std::string src = sourcePath();
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{dir.file("missing.d88").string(), src, "0", "0", "1"}, kCannotOpenImage, ""},
        {{img, src, "1", "0", "1"}, kNoSuchDisk, ""},
        {{img, src, "-1", "0", "1"}, kNoSuchDisk, ""},
        {{img, src, "0xFFFFFFFF", "0", "1"}, kNoSuchDisk, ""},
        {{img, src, "0", "164", "1"}, kTrackOutOfRange, ""},
        {{"-s", img, src, "0", "164", "1"}, kTrackOutOfRange, ""},
        {{img, src, "0", "-1", "1"}, kTrackOutOfRange, ""},
        {{img, src, "0", "4", "1"}, kTrackNotFormatted, ""},
        {{"-s", img, src, "0", "90", "1"}, kTrackNotFormatted, kBanner},
        {{img, src, "0", "0", "17"}, kSectorNotFound, ""},
        {{img, src, "0", "0", "0"}, kSectorNotFound, ""},
        {{img, src, "0", "1", "0x101"}, kSectorNotFound, ""},
        {{"-s", img, src, "0", "1", "200"}, kSectorNotFound, kBanner},
        {{img, dir.file("missing.bin").string(), "0", "0", "1"}, kCannotOpenSource, ""},
        {{img, dir.path().string(), "0", "0", "1"}, kSourceReadFailed, ""},
        {{img, dir.file("big.bin").string(), "0", "0", "1"}, kSourceTooLarge, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err + " " + c.arguments[2] + " " + c.arguments[3]);
        expectRefused(c.arguments, c.err, c.out);
    }
    EXPECT_EQ(image(), before);
}

// 2D layout of 16 sectors of 256 bytes: runs go on through sector 1 of the
// next head, then of the next cylinder.
TEST_F(ImgpokeTest, DoubleSidedRunsStepThroughSectorsHeadsAndCylinders) {
    const Bytes minted = mint({"2d", "16", "1", "4", "0xE5"});
    struct Case {
        std::vector<std::string> numbers;
        const char* line;
        std::size_t length;
        std::vector<Piece> pieces;
    };
    const std::vector<Case> cases = {
        {{"0", "0", "16"}, "diskno: 0 track: 0 sector:16", 300,
         {{uniformData(0, 16, 16, 256), 0, 256}, {uniformData(1, 1, 16, 256), 256, 44}}},
        {{"0", "1", "16"}, "diskno: 0 track: 1 sector:16", 512,
         {{uniformData(1, 16, 16, 256), 0, 256}, {uniformData(2, 1, 16, 256), 256, 256}}},
        {{"0", "2", "5"}, "diskno: 0 track: 2 sector: 5", 100, {{uniformData(2, 5, 16, 256), 0, 100}}},
        {{"0x0", "0x3", "0x10"}, "diskno: 0 track: 3 sector:16", 1, {{uniformData(3, 16, 16, 256), 0, 1}}},
        {{"0", "3", "1"}, "diskno: 0 track: 3 sector: 1", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        useImage(minted);
        const Bytes source = useSource(c.length);
        expectPasted({imagePath(), sourcePath(), c.numbers[0], c.numbers[1], c.numbers[2]}, c.line,
                     static_cast<int>(c.length));
        EXPECT_EQ(image(), patched(minted, source, c.pieces));
    }
}

TEST_F(ImgpokeTest, DoubleSidedRunStopsAfterTrackIndex163) {
    const Bytes minted = mint({"2d", "1", "0", "164"});
    const Bytes source = useSource(200);
    const ProgramResult run = poke({imagePath(), sourcePath(), "0", "163", "1"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, pasteShortWrite(128));
    EXPECT_EQ(image(), patched(minted, source, {{uniformData(163, 1, 1, 128), 0, 128}}));
}

// Single-sided: cylinder c is track index 2c, and a run may not move past
// index 70 (cylinder 35); a start above it keeps to its own track.
TEST_F(ImgpokeTest, SingleSidedRunsStepByCylinderUpToIndex70) {
    const Bytes minted = mint({"1d", "4", "0", "40"});
    struct Case {
        std::string track;
        std::string sector;
        std::size_t length;
        std::string out;
        std::string err;
        std::vector<Piece> pieces;
    };
    const std::vector<Case> cases = {
        {"1", "4", 200, kBanner + resultLine("diskno: 0 track: 1 sector: 4", 200), "",
         {{uniformData(1, 4, 4, 128), 0, 128}, {uniformData(2, 1, 4, 128), 128, 72}}},
        // From cylinder 34 (index 68) to cylinder 35 (index 70), not on to 72.
        {"34", "1", 1500, kBanner, pasteShortWrite(1024), uniformSectors(34, 1, 8, 4, 128)},
        // Cylinder 38 is index 76: the rest of its track, then the run stops.
        {"38", "3", 1000, kBanner, pasteShortWrite(256), uniformSectors(38, 3, 2, 4, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.track);
        useImage(minted);
        const Bytes source = useSource(c.length);
        const ProgramResult run = poke({"-s", imagePath(), sourcePath(), "0", c.track, c.sector});
        EXPECT_EQ(run.exitStatus, c.err.empty() ? 0 : 1);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(image(), patched(minted, source, c.pieces));
    }
}

TEST_F(ImgpokeTest, PastesASourceOfExactlyTheLargestSize) {
    const Bytes minted = mint({"2dddos9"});
    const Bytes source = useSource(kMaxSource);
    expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 737280);
    const std::vector<Piece> pieces = uniformSectors(0, 1, 160 * 9, 9, 512);
    EXPECT_EQ(image(), patched(minted, source, pieces));
}

// Sixteen sectors stored 1, 9, 2, 10, ...: the run still goes 1, 2, 3 by number.
TEST_F(ImgpokeTest, InterleavedTracksAreWalkedInSectorNumberOrder) {
    const std::vector<int> interleaved = {1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15, 8, 16};
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, interleaved, 1, 0x10);
    disk.tracks[1] = fixtureTrack(0, 1, interleaved, 1, 0x40);
    const FixtureImage fixture = buildFixtureImage({disk});
    const FixtureDiskLayout& layout = fixture.disks[0];
    auto stored = [&](int track, int sector) {
        const auto position = std::find(interleaved.begin(), interleaved.end(), sector) - interleaved.begin();
        return layout.dataOffset(track, static_cast<std::size_t>(position));
    };

    useImage(fixture.bytes);
    Bytes source = useSource(3 * 256 + 10);
    expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 778);
    EXPECT_EQ(image(), patched(fixture.bytes, source,
                               {{stored(0, 1), 0, 256}, {stored(0, 2), 256, 256}, {stored(0, 3), 512, 256},
                                {stored(0, 4), 768, 10}}));

    useImage(fixture.bytes);
    source = useSource(300);
    expectPasted({imagePath(), sourcePath(), "0", "0", "16"}, "diskno: 0 track: 0 sector:16", 300);
    EXPECT_EQ(image(), patched(fixture.bytes, source, {{stored(0, 16), 0, 256}, {stored(1, 1), 256, 44}}));
}

// Only the first 64 stored identities are listed, so they alone set the
// lowest and highest sector of the run.
TEST_F(ImgpokeTest, OnlyTheFirst64RecordsOfATrackSetItsSectorRange) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, sectorRange(10, 89), 0, 0x01);
    disk.tracks[1] = fixtureTrack(0, 1, sectorRange(10, 89), 0, 0x81);
    const FixtureImage fixture = buildFixtureImage({disk});
    useImage(fixture.bytes);
    const Bytes source = useSource(200);
    expectRefused({imagePath(), sourcePath(), "0", "0", "80"}, kSectorNotFound);
    expectPasted({imagePath(), sourcePath(), "0", "0", "73"}, "diskno: 0 track: 0 sector:73", 200);
    // Sector 73 is the last of the range, so the run goes on at sector 10 of
    // head 1 although sectors 74 to 89 exist.
    const FixtureDiskLayout& layout = fixture.disks[0];
    EXPECT_EQ(image(), patched(fixture.bytes, source, {{layout.dataOffset(0, 63), 0, 128}, {layout.dataOffset(1, 0), 128, 72}}));
}

FixtureRecord makeRecord(std::uint8_t cylinder, std::uint8_t head, std::uint8_t sectorNumber, std::uint8_t sizeCode,
                         std::uint16_t count, std::uint16_t dataLength, std::uint8_t fill = 0) {
    return {cylinder, head, sectorNumber, sizeCode, count, dataLength, fill};
}

// The size code of the start sector, taken from the sorted identities, is
// used for every sector of the run; other sizes are skipped; the stored data
// length decides how much a sector takes.
TEST_F(ImgpokeTest, TheStartSizeCodeAndTheDataLengthsShapeTheRun) {
    struct Case {
        const char* name;
        FixtureTrack track0;
        FixtureTrack track1;
        std::string sector;
        std::size_t length;
        // (track index, stored position, source from, length)
        std::vector<std::vector<std::size_t>> pieces;
    };
    const std::vector<Case> cases = {
        {"mixed sizes: N=2 from sector 2 skips the N=1 sectors",
         {makeRecord(0, 0, 1, 1, 4, 256), makeRecord(0, 0, 2, 2, 4, 512), makeRecord(0, 0, 3, 1, 4, 256),
          makeRecord(0, 0, 4, 1, 4, 256)},
         fixtureTrack(0, 1, {1, 2, 3, 4}, 2, 0x30), "2", 700, {{0, 1, 0, 512}, {1, 0, 512, 188}}},
        {"gap past the list: the first identity numbered at least 5 gives N=2",
         {makeRecord(0, 0, 1, 1, 4, 256), makeRecord(0, 0, 3, 1, 4, 256), makeRecord(0, 0, 6, 2, 4, 512),
          makeRecord(0, 0, 7, 1, 4, 256)},
         {}, "5", 512, {{0, 2, 0, 512}}},
        {"gap inside the list: position 3 - 1 is sector 6, so N=2 and sector 3 is skipped",
         {makeRecord(0, 0, 1, 1, 4, 256), makeRecord(0, 0, 3, 1, 4, 256), makeRecord(0, 0, 6, 2, 4, 512),
          makeRecord(0, 0, 7, 1, 4, 256)},
         {}, "3", 100, {{0, 2, 0, 100}}},
        {"equal numbers keep their stored order: sector 2 takes the N of the second 1",
         {makeRecord(0, 0, 2, 1, 3, 256), makeRecord(0, 0, 1, 1, 3, 256), makeRecord(0, 0, 1, 2, 3, 512)},
         {makeRecord(0, 1, 1, 2, 1, 512)}, "2", 100, {{1, 0, 0, 100}}},
        {"size code 24 moves all remaining bytes at once",
         {makeRecord(0, 0, 1, 24, 2, 256), makeRecord(0, 0, 2, 24, 2, 256)}, {}, "1", 300,
         {{0, 0, 0, 256}, {0, 1, 256, 44}}},
        {"a short data length takes only its bytes; the rest goes on",
         {makeRecord(0, 0, 1, 1, 2, 100), makeRecord(0, 0, 2, 1, 2, 256)}, {}, "1", 300,
         {{0, 0, 0, 100}, {0, 1, 100, 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureDisk disk;
        disk.tracks[0] = c.track0;
        if (!c.track1.empty()) {
            disk.tracks[1] = c.track1;
        }
        const FixtureImage fixture = buildFixtureImage({disk});
        useImage(fixture.bytes);
        const Bytes source = useSource(c.length);
        const std::string line = "diskno: 0 track: 0 sector: " + c.sector;
        expectPasted({imagePath(), sourcePath(), "0", "0", c.sector}, line.c_str(), static_cast<int>(c.length));
        std::vector<Piece> pieces;
        for (const auto& p : c.pieces) {
            pieces.push_back({fixture.disks[0].dataOffset(static_cast<int>(p[0]), p[1]), p[2], p[3]});
        }
        EXPECT_EQ(image(), patched(fixture.bytes, source, pieces));
    }
}

// Three disks, the file cut 100 bytes into the third header: two are listed,
// and disk 1's track offsets count from its own header.
TEST_F(ImgpokeTest, SeveralDisksAreFoundBySizeAndATruncatedHeaderIsNotADisk) {
    FixtureDisk first = uniformDisk(2, 4, 1, true, 0x11);
    FixtureDisk second = uniformDisk(2, 4, 1, true, 0x22);
    second.name = "SECOND";
    const FixtureImage fixture = buildFixtureImage({first, second, uniformDisk(1, 1, 0, true)});
    Bytes bytes = fixture.bytes;
    bytes.resize(fixture.disks[2].offset + 100);
    useImage(bytes);
    const Bytes source = useSource(300);
    expectRefused({imagePath(), sourcePath(), "2", "0", "1"}, kNoSuchDisk);
    expectPasted({imagePath(), sourcePath(), "1", "0", "4"}, "diskno: 1 track: 0 sector: 4", 300);
    const FixtureDiskLayout& disk1 = fixture.disks[1];
    EXPECT_EQ(image(), patched(bytes, source, {{disk1.dataOffset(0, 3), 0, 256}, {disk1.dataOffset(1, 0), 256, 44}}));
}

// Directory sizes and track entries out of the signed 32-bit range.
TEST_F(ImgpokeTest, HostileSizesAndTrackEntriesAreMissingDisksAndTracks) {
    const Bytes source = useSource(10);
    struct Case {
        const char* name;
        Bytes image;
        std::string disk;
        std::string err;
    };
    std::vector<Case> cases;

    FixtureDisk negativeSize = uniformDisk(1, 1, 1, true);
    negativeSize.sizeOverride = -16;
    cases.push_back({"negative size: the first disk is not counted", buildFixtureImage({negativeSize}).bytes, "0",
                     kNoSuchDisk});

    FixtureDisk huge = uniformDisk(1, 1, 1, true);
    huge.sizeOverride = 0x7FFFFFFF;
    const Bytes twoDisks = buildFixtureImage({uniformDisk(1, 1, 1, true), huge}).bytes;
    cases.push_back({"next offset above 2^31 - 1: the second disk is not counted", twoDisks, "1", kNoSuchDisk});

    FixtureDisk negativeEntry = uniformDisk(1, 1, 1, true);
    negativeEntry.entryOverrides[0] = -16;
    cases.push_back({"negative track entry", buildFixtureImage({negativeEntry}).bytes, "0", kTrackNotFormatted});

    FixtureDisk beyondSize = uniformDisk(1, 1, 1, true);
    beyondSize.entryOverrides[0] = static_cast<std::int32_t>(buildFixtureImage({beyondSize}).bytes.size()) + 1;
    cases.push_back({"track entry above the disk size", buildFixtureImage({beyondSize}).bytes, "0",
                     kTrackNotFormatted});

    FixtureDisk zeroSize = uniformDisk(1, 1, 1, true);
    zeroSize.sizeOverride = 0;
    const Bytes zeros = buildFixtureImage({zeroSize}).bytes;
    cases.push_back({"size 0 lists 64 disks at offset 0, with no usable track", zeros, "63", kTrackNotFormatted});
    cases.push_back({"size 0: there is no 65th disk", zeros, "64", kNoSuchDisk});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useImage(c.image);
        expectRefused({imagePath(), sourcePath(), c.disk, "0", "1"}, c.err);
        EXPECT_EQ(image(), c.image);
    }
}

// A negative size field would step the directory back into an earlier disk:
// here a "disk 2" at offset 1,000 whose only track reaches over disk 1's
// header. The walk stops before disk 1, so neither it nor disk 2 exists and
// no paste can reach a header.
TEST_F(ImgpokeTest, ADiskWithANegativeSizeEndsTheDirectory) {
    FixtureDisk first = uniformDisk(1, 16, 1, true, 0x11);
    FixtureDisk second;
    second.sizeOverride = -4040;
    Bytes bytes = buildFixtureImage({first, second}).bytes;
    ASSERT_EQ(bytes.size(), 5040u + 688u);
    bytes.resize(6200, 0);
    storeLE32(bytes, 1000 + 0x1C, 5200);       // "disk 2" runs to the end of the file
    storeLE32(bytes, 1000 + 0x20, 4024);       // its track 0 at file offset 5,024
    const Bytes record{0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xE8, 0x03};  // data length 1,000
    patchBytes(bytes, 5024, record);
    useImage(bytes);
    useSource(1000);
    for (const char* disk : {"1", "2"}) {
        SCOPED_TRACE(disk);
        expectRefused({imagePath(), sourcePath(), disk, "0", "1"}, kNoSuchDisk);
        EXPECT_EQ(image(), bytes);
    }
    const Bytes source = useSource(100);
    expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 100);
    EXPECT_EQ(image(), patched(bytes, source, {{688 + 16, 0, 100}}));
}

// Records a damaged track table points at: inside the disk header, running
// into the next disk, or past the end of the file. Those sectors are not
// written; the run goes on with the next ones.
TEST_F(ImgpokeTest, WritesStayInsideTheSelectedDisksDataAndTheFile) {
    // A record header stored in the last track-table entries, its data
    // running from inside the disk header across its end.
    {
        SCOPED_TRACE("record inside the disk header");
        FixtureDisk disk = uniformDisk(1, 1, 1, true);
        constexpr std::size_t kInside = 0x20 + 4 * 150;
        disk.entryOverrides[0] = static_cast<std::int32_t>(kInside);
        Bytes bytes = buildFixtureImage({disk}).bytes;
        bytes[kInside + 0] = 0;     // C
        bytes[kInside + 1] = 0;     // H
        bytes[kInside + 2] = 1;     // R
        bytes[kInside + 3] = 1;     // N
        storeLE16(bytes, kInside + 4, 1);
        storeLE16(bytes, kInside + 14, 256);
        useImage(bytes);
        useSource(100);
        expectRefused({imagePath(), sourcePath(), "0", "0", "1"}, pasteShortWrite(0));
        EXPECT_EQ(image(), bytes);
    }
    {
        SCOPED_TRACE("record running into the next disk");
        FixtureDisk first;
        first.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1, 0x10);
        first.tracks[1] = fixtureTrack(0, 1, {1, 2}, 1, 0x20);
        // The disk ends 100 bytes into the data of its last record, sector 2
        // of track 1; the next disk's header follows.
        const std::size_t end = buildFixtureImage({first}).disks[0].dataOffset(1, 1) + 100;
        first.sizeOverride = static_cast<std::int32_t>(end);
        const FixtureImage fixture = buildFixtureImage({first});
        Bytes bytes(fixture.bytes.begin(), fixture.bytes.begin() + static_cast<std::ptrdiff_t>(end));
        const Bytes second = buildFixtureImage({uniformDisk(1, 1, 1, true, 0x77)}).bytes;
        bytes.insert(bytes.end(), second.begin(), second.end());
        useImage(bytes);
        const Bytes source = useSource(700);
        // Track 0 sectors 1, 2 take 512; track 1 sector 1 takes 188; sector
        // 2 of track 1 would reach into the next disk's header.
        expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 700);
        EXPECT_EQ(image(), patched(bytes, source,
                                   {{fixture.disks[0].dataOffset(0, 0), 0, 256},
                                    {fixture.disks[0].dataOffset(0, 1), 256, 256},
                                    {fixture.disks[0].dataOffset(1, 0), 512, 188}}));
        const Bytes longer = useSource(1000);
        useImage(bytes);
        expectRefused({imagePath(), sourcePath(), "0", "0", "1"}, pasteShortWrite(768));
        EXPECT_EQ(image(), patched(bytes, longer,
                                   {{fixture.disks[0].dataOffset(0, 0), 0, 256},
                                    {fixture.disks[0].dataOffset(0, 1), 256, 256},
                                    {fixture.disks[0].dataOffset(1, 0), 512, 256}}));
    }
    {
        SCOPED_TRACE("record running past the end of the file");
        FixtureDisk disk;
        disk.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1, 0x10);
        const FixtureImage fixture = buildFixtureImage({disk});
        Bytes bytes = fixture.bytes;
        bytes.resize(fixture.disks[0].dataOffset(0, 1) + 100);  // the size field still counts all of it
        useImage(bytes);
        const Bytes fits = useSource(300);
        expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 300);
        EXPECT_EQ(image(), patched(bytes, fits, {{fixture.disks[0].dataOffset(0, 0), 0, 256},
                                                 {fixture.disks[0].dataOffset(0, 1), 256, 44}}));
        // The cut-short sector is found and written whole: the file grows
        // back to the disk's declared end.
        useImage(bytes);
        const Bytes whole = useSource(512);
        expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 512);
        Bytes grown = bytes;
        grown.resize(fixture.bytes.size());
        grown = patched(grown, whole, {{fixture.disks[0].dataOffset(0, 0), 0, 256},
                                       {fixture.disks[0].dataOffset(0, 1), 256, 256}});
        EXPECT_EQ(image(), grown);
        EXPECT_EQ(image().size(), fixture.bytes.size());
    }
}

// A minted image cut 100 bytes into the data of track 1 sector 16: pastes
// into that sector restore it and lengthen the file to the sector's end.
TEST_F(ImgpokeTest, PastesIntoASectorCutShortByTheEndOfTheFileLengthenTheFile) {
    Bytes minted = mint({"2dbas"});
    minted.resize(9236);
    useImage(minted);
    const Bytes small = useSource(256);
    expectPasted({imagePath(), sourcePath(), "0", "1", "16"}, "diskno: 0 track: 1 sector:16", 256);
    Bytes expected = minted;
    expected.resize(9392);
    patchBytes(expected, 9136, small);
    EXPECT_EQ(image(), expected);
    ASSERT_EQ(image().size(), 9392u);

    useImage(minted);
    const Bytes longer = useSource(600);
    expectRefused({imagePath(), sourcePath(), "0", "1", "15"}, pasteShortWrite(512));
    expected = minted;
    expected.resize(9392);
    patchBytes(expected, 8864, longer, 0, 256);
    patchBytes(expected, 9136, longer, 256, 256);
    EXPECT_EQ(image(), expected);
    EXPECT_EQ(image().size(), 9392u);
}

// Count fields that never end the track: the listing and the searches stop
// at the end of the file, and a run finds a sector stored far down the track.
TEST_F(ImgpokeTest, ScansOfTracksWithoutAStopEndAtTheEndOfTheFile) {
    {
        SCOPED_TRACE("three records, count 5, then a partial header");
        FixtureDisk disk;
        disk.tracks[0] = {makeRecord(0, 0, 1, 1, 5, 256), makeRecord(0, 0, 2, 1, 5, 256), makeRecord(0, 0, 3, 1, 5, 256)};
        const FixtureImage fixture = buildFixtureImage({disk});
        Bytes bytes = fixture.bytes;
        bytes.insert(bytes.end(), {0, 0, 4, 1, 5, 0, 0, 0});
        useImage(bytes);
        const Bytes source = useSource(800);
        expectRefused({imagePath(), sourcePath(), "0", "0", "1"}, pasteShortWrite(768));
        EXPECT_EQ(image(), patched(bytes, source,
                                   {{fixture.disks[0].dataOffset(0, 0), 0, 256},
                                    {fixture.disks[0].dataOffset(0, 1), 256, 256},
                                    {fixture.disks[0].dataOffset(0, 2), 512, 256}}));
    }
    {
        SCOPED_TRACE("100000 empty records before the one that holds sector 5");
        FixtureDisk disk;
        FixtureTrack& track = disk.tracks[0];
        // Sectors 1 and 9 alternate, so the listing gives the range 1 to 9;
        // no count equals its position + 1, so nothing stops a search early.
        for (int i = 0; i < 100000; ++i) {
            track.push_back(makeRecord(0, 0, i % 2 == 0 ? 1 : 9, 1, i == 0 ? 2 : 1, 0));
        }
        track.push_back(makeRecord(0, 0, 5, 1, 1, 256, 0x66));
        const FixtureImage fixture = buildFixtureImage({disk});
        useImage(fixture.bytes);
        const Bytes source = useSource(256);
        expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 256);
        EXPECT_EQ(image(), patched(fixture.bytes, source, {{fixture.disks[0].dataOffset(0, 100000), 0, 256}}));
    }
}

// Track 1 starts inside the data of track 0's second sector, where the bytes
// do not yet form a record. The run writes a record header there while on
// track 0; on track 1 it must find that new record, exactly as a search that
// reads the headers afresh would.
TEST_F(ImgpokeTest, AWriteThatCreatesARecordHeaderIsSeenByTheNextTrack) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1, 0);
    const FixtureImage probe = buildFixtureImage({disk});
    const std::size_t sector2 = probe.disks[0].dataOffset(0, 1);
    disk.entryOverrides[1] = static_cast<std::int32_t>(sector2);  // a disk offset of 0
    const FixtureImage fixture = buildFixtureImage({disk});
    useImage(fixture.bytes);

    Bytes source = patternBytes(256 + 256 + 40, 0x33);
    Bytes record(16, 0);
    record[1] = 1;  // C 0, H 1, R 1, N 1: what track 1's run position asks for
    record[2] = 1;
    record[3] = 1;
    storeLE16(record, 4, 1);
    storeLE16(record, 14, 64);
    patchBytes(source, 256, record);
    writeFileBytes(dir.file("src.bin"), source);

    expectPasted({imagePath(), sourcePath(), "0", "0", "1"}, "diskno: 0 track: 0 sector: 1", 552);
    Bytes expected = patched(fixture.bytes, source, {{probe.disks[0].dataOffset(0, 0), 0, 256}, {sector2, 256, 256}});
    patchBytes(expected, sector2 + 16, source, 512, 40);
    EXPECT_EQ(image(), expected);
}

// A write that cannot be completed when the image is closed (here the file
// size limit forbids writing at the sector's offset) is reported instead of
// the result line.
TEST_F(ImgpokeTest, AFailedCloseAfterWritingIsReported) {
    const Bytes minted = mint({"2d", "16", "1", "4"});
    for (const std::size_t length : {100, 300}) {
        SCOPED_TRACE(length);
        useImage(minted);
        useSource(length);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        limited.rlim_cur = 4096;
        const auto previous = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const ProgramResult run = poke({imagePath(), sourcePath(), "0", "3", "15"});
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, previous);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, kCloseFailed);
        EXPECT_EQ(image(), minted);
    }
}

// The paste is made, but a result line that standard output does not take
// is a failure, reported as one.
TEST_F(ImgpokeTest, AResultLineThatCannotBeWrittenIsAFailure) {
    if (!fileExists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    const Bytes minted = mint({"2dbas"});
    const Bytes source = useSource(300);
    const ProgramResult run =
        runProgramWithOutputTo(IMGPOKE_PATH, {imagePath(), sourcePath(), "0", "0", "1"}, dir.path(), "/dev/full");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, kStandardOutputWriteFailed);
    EXPECT_EQ(image(), patched(minted, source, {{uniformData(0, 1, 16, 256), 0, 256}, {uniformData(0, 2, 16, 256), 256, 44}}));
}

// A read of the image that fails with an error (a directory cannot be
// opened for update; the process's own memory cannot be read at offset 0) is
// reported, not taken for an image without disks.
TEST_F(ImgpokeTest, AnImageThatCannotBeReadIsReported) {
    useSource(10);
    expectRefused({dir.path().string(), sourcePath(), "0", "0", "1"}, kCannotOpenImage);
    if (fileExists("/proc/self/mem")) {
        expectRefused({"/proc/self/mem", sourcePath(), "0", "0", "1"}, kImageReadFailed);
    }
}

}  // namespace
