// D88Image where a program run cannot reach: reading sectors and runs back,
// the accessors, closing twice, and files that change under an open image.
#include "image/d88_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/temp_dir.h"

namespace {

using Ids = std::vector<std::uint8_t>;

class D88ImageTest : public ::testing::Test {
protected:
    std::string store(const Bytes& bytes, const std::string& name = "disk.d88") {
        writeFileBytes(dir.file(name), bytes);
        return dir.file(name).string();
    }

    Ids listIds(D88Image& image, int trackIndex, int capacity = 256) {
        Ids ids(static_cast<std::size_t>(capacity) + 8, 0xEE);
        const std::int32_t stored = image.readSectorIds(trackIndex, ids.data(), capacity);
        EXPECT_EQ(ids[static_cast<std::size_t>(capacity)], 0xEE) << "wrote past the capacity";
        ids.resize(static_cast<std::size_t>(stored < 0 ? 0 : stored));
        return ids;
    }

    TempDir dir;
};

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

Ids idsOf(const FixtureTrack& track, std::size_t count) {
    Ids ids;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::uint8_t byte : {track[i].cylinder, track[i].head, track[i].sectorNumber, track[i].sizeCode}) {
            ids.push_back(byte);
        }
    }
    return ids;
}

TEST_F(D88ImageTest, ListsDisksBySizeAndLoadsTheSelectedHeader) {
    FixtureDisk first = uniformDisk(1, 2, 1, true);
    first.name = std::string("AB\0CDEF", 7);
    first.mediaCode = 0x20;
    FixtureDisk second = uniformDisk(1, 2, 1, true);
    second.name = "SIXTEEN-CHARS-ok";
    second.mediaCode = 0x10;
    const FixtureImage fixture = buildFixtureImage({first, second, uniformDisk(1, 1, 0, true)});
    Bytes bytes = fixture.bytes;
    bytes.resize(fixture.disks[2].offset + 100);

    D88Image image;
    ASSERT_TRUE(image.open(store(bytes).c_str()));
    EXPECT_EQ(image.diskCount(), 2);
    EXPECT_EQ(image.mediaType(), -1);
    ASSERT_TRUE(image.selectDisk(1));
    EXPECT_EQ(image.mediaType(), 0x10);
    EXPECT_STREQ(image.diskName(), "SIXTEEN-CHARS-ok");
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(image.mediaType(), 0x20);
    EXPECT_STREQ(image.diskName(), "AB");
    for (const std::int32_t missing : {2, -1}) {
        EXPECT_FALSE(image.selectDisk(missing));
        EXPECT_EQ(image.mediaType(), -1);
        EXPECT_STREQ(image.diskName(), "");
        EXPECT_EQ(image.readSectorIds(0, Ids(256).data(), 256), 0);
    }
}

TEST_F(D88ImageTest, DirectoryEdgesOfSizeFields) {
    struct Case {
        const char* name;
        std::optional<std::int32_t> firstSize;
        int disks;
    };
    const std::vector<Case> cases = {
        {"size 0 repeats the first disk 64 times", 0, 64},
        {"a negative size is not a disk", -1, 0},
        {"a size taking the next offset to 2^31 - 1 still counts", 0x7FFFFFFF, 1},
        {"the true size", std::nullopt, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FixtureDisk disk = uniformDisk(1, 1, 1, true);
        disk.sizeOverride = c.firstSize;
        D88Image image;
        ASSERT_TRUE(image.open(store(buildFixtureImage({disk}).bytes).c_str()));
        EXPECT_EQ(image.diskCount(), c.disks);
    }
    // A bare header whose size is 688: one disk without tracks.
    D88Image image;
    ASSERT_TRUE(image.open(store(buildFixtureImage({FixtureDisk{}}).bytes).c_str()));
    EXPECT_EQ(image.diskCount(), 1);
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(listIds(image, 0), Ids{});
}

TEST_F(D88ImageTest, SelectingADiskWhoseHeaderIsCutShortClearsTheSelection) {
    // Disks of a few kilobytes each, so that the cut falls well inside the
    // file the directory walk read.
    const FixtureImage fixture = buildFixtureImage({uniformDisk(1, 20, 1, true), uniformDisk(1, 20, 1, true)});
    const std::string path = store(fixture.bytes);
    D88Image image;
    ASSERT_TRUE(image.open(path.c_str()));
    ASSERT_EQ(image.diskCount(), 2);
    ASSERT_TRUE(image.selectDisk(0));
    std::filesystem::resize_file(path, fixture.disks[1].offset + 100);
    EXPECT_FALSE(image.selectDisk(1));
    EXPECT_EQ(image.mediaType(), -1);
    EXPECT_STREQ(image.diskName(), "");
    // Disk 0's track table is gone with the selection.
    EXPECT_EQ(listIds(image, 0), Ids{});
    const Bytes data(256, 0xAB);
    EXPECT_EQ(image.writeSector(0, 0, 0, 1, 1, data.data(), 256), 0);
}

TEST_F(D88ImageTest, OpenClosesTheFileAlreadyOpenAndNoPathOnlyCloses) {
    const std::string one = store(buildFixtureImage({uniformDisk(1, 1, 1, true)}).bytes, "one.d88");
    FixtureDisk zero = uniformDisk(1, 1, 1, true);
    zero.sizeOverride = 0;
    const std::string many = store(buildFixtureImage({zero}).bytes, "many.d88");

    const int before = openDescriptors();
    D88Image image;
    ASSERT_TRUE(image.open(one.c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    ASSERT_TRUE(image.open(many.c_str()));
    EXPECT_EQ(openDescriptors(), before + 1);
    EXPECT_EQ(image.diskCount(), 64);
    EXPECT_EQ(image.mediaType(), -1);

    EXPECT_TRUE(image.open(nullptr));
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_FALSE(image.selectDisk(0));

    EXPECT_FALSE(image.open(dir.file("missing.d88").c_str()));
    EXPECT_EQ(image.diskCount(), 0);
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(D88ImageTest, CloseCompletesWritesAndASecondCloseDoesNothing) {
    const FixtureImage fixture = buildFixtureImage({uniformDisk(1, 2, 1, true, 0x11)});
    const std::string path = store(fixture.bytes);
    const Bytes data = patternBytes(100, 3);
    D88Image image;
    ASSERT_TRUE(image.open(path.c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    ASSERT_EQ(image.writeSector(0, 0, 0, 2, 1, data.data(), 100), 100);
    EXPECT_TRUE(image.close());
    Bytes expected = fixture.bytes;
    patchBytes(expected, fixture.disks[0].dataOffset(0, 1), data);
    EXPECT_EQ(readFileBytes(path), expected);

    EXPECT_TRUE(image.close());
    EXPECT_EQ(image.writeSector(0, 0, 0, 1, 1, data.data(), 100), 0);
    EXPECT_EQ(image.readSectorIds(0, Ids(256).data(), 256), 0);
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(D88ImageTest, ListsIdentitiesInStoredOrderUpToTheBufferAndTheFile) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 5, sectorRange(1, 80), 0);  // head byte 5, reported as stored
    // Count 0 everywhere: the listing runs on into the next track's records.
    disk.tracks[2] = {FixtureRecord{1, 0, 1, 1, 0, 16}, FixtureRecord{1, 0, 2, 1, 0, 0}};
    disk.tracks[4] = fixtureTrack(2, 0, {7, 8}, 1);
    // The last track: counts that never stop, then a header cut short.
    disk.tracks[6] = {FixtureRecord{3, 0, 1, 1, 9, 0}, FixtureRecord{3, 0, 2, 1, 9, 0}};
    Bytes bytes = buildFixtureImage({disk}).bytes;
    bytes.insert(bytes.end(), {3, 0, 3, 1, 9, 0, 0});

    D88Image image;
    ASSERT_TRUE(image.open(store(bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(listIds(image, 0), idsOf(disk.tracks[0], 64));
    EXPECT_EQ(listIds(image, 0, 10), idsOf(disk.tracks[0], 2));
    EXPECT_EQ(listIds(image, 0, 3), Ids{});
    // On through track 4, whose counts do not match their positions in this
    // listing either, and track 6, up to the header the file cuts short.
    Ids runOn = idsOf(disk.tracks[2], 2);
    for (const int index : {4, 6}) {
        const Ids next = idsOf(disk.tracks[index], 2);
        runOn.insert(runOn.end(), next.begin(), next.end());
    }
    EXPECT_EQ(listIds(image, 2), runOn);
    EXPECT_EQ(listIds(image, 6), idsOf(disk.tracks[6], 2));
    EXPECT_EQ(listIds(image, 1), Ids{});
    EXPECT_EQ(listIds(image, 164), Ids{});
    EXPECT_EQ(listIds(image, -1), Ids{});
}

TEST_F(D88ImageTest, SectorSearchesFollowTheCountFieldsAndMatchAllFourBytes) {
    FixtureDisk disk;
    // Track 0: count 0 on the first record ends every search there.
    disk.tracks[0] = {FixtureRecord{0, 0, 1, 1, 0, 256, 0x10}, FixtureRecord{0, 0, 2, 1, 2, 256, 0x11}};
    // Track 1: the second record is last by its count; the third is never reached.
    disk.tracks[1] = {FixtureRecord{0, 1, 1, 1, 2, 256, 0x20}, FixtureRecord{0, 1, 2, 1, 2, 128, 0x21},
                      FixtureRecord{0, 1, 3, 1, 3, 256, 0x22}};
    const FixtureImage fixture = buildFixtureImage({disk});
    D88Image image;
    ASSERT_TRUE(image.open(store(fixture.bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    Bytes buffer(512, 0);
    struct Case {
        std::int32_t track, c, h, r, n, limit, expected;
        std::uint8_t fill;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 1, 1, 512, 0, 0},      // count 0 before the identity test
        {0, 0, 0, 2, 1, 512, 0, 0},
        {1, 0, 1, 1, 1, 512, 256, 0x20},
        {1, 0, 1, 2, 1, 512, 128, 0x21},  // the last record by its count still matches
        {1, 0, 1, 2, 1, 50, 50, 0x21},
        {1, 0, 1, 3, 1, 512, 0, 0},      // beyond the stop
        {1, 0, 0, 1, 1, 512, 0, 0},      // the head is compared as stored, not with bit 0 flipped
        {1, 0, 1, 1, 2, 512, 0, 0},
        {1, 256, 1, 1, 1, 512, 0, 0},    // values outside 0 to 255 never match
        {1, 0, 257, 1, 1, 512, 0, 0},
        {1, 0, 1, 257, 1, 512, 0, 0},
        {1, 0, 1, 1, 257, 512, 0, 0},
        {2, 0, 0, 1, 1, 512, 0, 0},      // entry 0: no track
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.track << " " << c.c << " " << c.h << " " << c.r << " " << c.n);
        std::fill(buffer.begin(), buffer.end(), 0);
        EXPECT_EQ(image.readSector(c.track, c.c, c.h, c.r, c.n, buffer.data(), c.limit), c.expected);
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), c.fill == 0 ? 0 : c.fill),
                  c.fill == 0 ? 512 : c.expected);
        EXPECT_EQ(image.writeSector(c.track, c.c, c.h, c.r, c.n, buffer.data(), c.limit), c.expected);
    }
}

TEST_F(D88ImageTest, ARecordCutShortByTheEndOfTheFileIsReadAsItStandsAndWrittenWhole) {
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1, 0x40);
    const FixtureImage fixture = buildFixtureImage({disk});
    const std::size_t dataStart = fixture.disks[0].dataOffset(0, 1);
    Bytes bytes = fixture.bytes;
    bytes.resize(dataStart + 100);
    const std::string path = store(bytes);
    D88Image image;
    ASSERT_TRUE(image.open(path.c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    Bytes buffer(256, 0);
    EXPECT_EQ(image.readSector(0, 0, 0, 2, 1, buffer.data(), 256), 100);
    EXPECT_EQ(std::count(buffer.begin(), buffer.begin() + 100, 0x41), 100);

    // The write restores the whole sector and the file grows to its end.
    const Bytes source = patternBytes(256, 3);
    EXPECT_EQ(image.writeSector(0, 0, 0, 2, 1, source.data(), 256), 256);
    Bytes back(256, 0);
    EXPECT_EQ(image.readSector(0, 0, 0, 2, 1, back.data(), 256), 256);
    EXPECT_EQ(back, source);
    EXPECT_TRUE(image.close());
    Bytes expected = bytes;
    expected.resize(dataStart + source.size());
    patchBytes(expected, dataStart, source);
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(D88ImageTest, AWriteNeverGoesPastTheDisksDeclaredEnd) {
    // The size field ends the disk 50 bytes into the cut-short sector: no
    // transfer that would reach past it is made, and the file keeps its
    // length; one that stays inside is made.
    FixtureDisk disk;
    disk.tracks[0] = fixtureTrack(0, 0, {1, 2}, 1, 0x40);
    const FixtureImage probe = buildFixtureImage({disk});
    const std::size_t dataStart = probe.disks[0].dataOffset(0, 1);
    disk.sizeOverride = static_cast<std::int32_t>(dataStart + 150);
    Bytes bytes = buildFixtureImage({disk}).bytes;
    bytes.resize(dataStart + 100);
    const std::string path = store(bytes);
    D88Image image;
    ASSERT_TRUE(image.open(path.c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    const Bytes source = patternBytes(256, 5);
    EXPECT_EQ(image.writeSector(0, 0, 0, 2, 1, source.data(), 256), 0);
    EXPECT_EQ(image.writeSector(0, 0, 0, 2, 1, source.data(), 151), 0);
    EXPECT_EQ(image.writeSector(0, 0, 0, 2, 1, source.data(), 150), 150);
    EXPECT_TRUE(image.close());
    Bytes expected = bytes;
    expected.resize(dataStart + 150);
    patchBytes(expected, dataStart, source, 0, 150);
    EXPECT_EQ(readFileBytes(path), expected);
}

// A run read back with readSectors gives what writeSectors wrote, in the
// same order, in both stepping modes.
TEST_F(D88ImageTest, ReadSectorsFollowsTheOrderOfWriteSectors) {
    for (const bool doubleSided : {true, false}) {
        SCOPED_TRACE(doubleSided);
        const std::string path = store(buildFixtureImage({uniformDisk(6, 4, 1, doubleSided, 0x99)}).bytes);
        D88Image image;
        ASSERT_TRUE(image.open(path.c_str()));
        ASSERT_TRUE(image.selectDisk(0));
        image.setSectorRange(1, 4);
        image.setDoubleSided(doubleSided);
        const Bytes source = patternBytes(3000, 7);
        const std::int32_t start = doubleSided ? 1 : 2;  // C 0 H 1, or C 1 H 0
        const std::int32_t cylinder = doubleSided ? 0 : 1;
        const std::int32_t head = doubleSided ? 1 : 0;
        ASSERT_EQ(image.writeSectors(start, cylinder, head, 3, 1, source.data(), 3000), 3000);
        Bytes back(3000, 0);
        EXPECT_EQ(image.readSectors(start, cylinder, head, 3, 1, back.data(), 3000), 3000);
        EXPECT_EQ(back, source);
        // From sector 3 of the second of six 4-sector tracks, 18 sectors
        // are left; the run ends at the first that is missing.
        Bytes all(24 * 256, 0);
        const std::int32_t whole = 18 * 256;
        EXPECT_EQ(image.readSectors(start, cylinder, head, 3, 1, all.data(), 24 * 256), whole);
        // A last share smaller than a sector is read whole.
        EXPECT_EQ(image.readSectors(start, cylinder, head, 3, 1, all.data(), 300), 300);
        EXPECT_EQ(image.readSectors(start, cylinder, head, 3, 1, all.data(), 0), 0);
    }
}

TEST_F(D88ImageTest, ARunReadEndsAtAShortSectorWithoutCountingIt) {
    FixtureDisk disk;
    disk.tracks[0] = {FixtureRecord{0, 0, 1, 1, 3, 256, 1}, FixtureRecord{0, 0, 2, 1, 3, 100, 2},
                      FixtureRecord{0, 0, 3, 1, 3, 256, 3}};
    D88Image image;
    ASSERT_TRUE(image.open(store(buildFixtureImage({disk}).bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    image.setSectorRange(1, 3);
    Bytes back(768, 0);
    EXPECT_EQ(image.readSectors(0, 0, 0, 1, 1, back.data(), 768), 256);
    EXPECT_EQ(image.readSectors(0, 0, 0, 2, 1, back.data(), 100), 100);
}

// Runs that could never leave their track or find another sector end
// instead of counting on for ever.
TEST_F(D88ImageTest, RunsThatCanFindNothingMoreEnd) {
    D88Image image;
    ASSERT_TRUE(image.open(store(buildFixtureImage({uniformDisk(2, 4, 1, true)}).bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    const Bytes source = patternBytes(1000);
    image.setSectorRange(1, 4);
    EXPECT_EQ(image.writeSectors(0, 0, 0, 10, 1, source.data(), 1000), 0);
    image.setSectorRange(4, 1);
    EXPECT_EQ(image.writeSectors(0, 0, 0, 3, 1, source.data(), 1000), 512);
    image.setSectorRange(1, 4);
    image.setLastTrack(0x7FFFFFFF);
    EXPECT_EQ(image.writeSectors(1, 0x7FFFFFFF, 1, 4, 1, source.data(), 1000), 0);
    EXPECT_EQ(image.writeSectors(0x7FFFFFFF, 0, 0, 0x7FFFFFFF, 0x7FFFFFFF, source.data(), 1000), 0);
}

Bytes recordHeader(std::uint8_t c, std::uint8_t h, std::uint8_t r, std::uint8_t n, std::uint16_t count,
                   std::uint16_t dataLength) {
    Bytes header(kFixtureRecordHeaderSize, 0);
    header[0] = c;
    header[1] = h;
    header[2] = r;
    header[3] = n;
    storeLE16(header, 4, count);
    storeLE16(header, 14, dataLength);
    return header;
}

// Track 2 is made to begin in the last 16 bytes of track 0's data, so that
// its one record's data covers the first header of track 1. A write through
// track 2 renumbers that record, and the next search of track 1, made after
// an earlier search of it, sees the new number.
TEST_F(D88ImageTest, SearchesSeeHeadersRewrittenThroughAnotherTrack) {
    FixtureDisk disk;
    disk.tracks[0] = {FixtureRecord{0, 0, 1, 1, 1, 256, 0}};
    disk.tracks[1] = fixtureTrack(0, 1, {1, 2}, 1, 0x30);
    const std::size_t covered = buildFixtureImage({disk}).disks[0].recordOffset(1, 0);
    const std::size_t track2 = covered - kFixtureRecordHeaderSize;
    disk.entryOverrides[2] = static_cast<std::int32_t>(track2);
    Bytes bytes = buildFixtureImage({disk}).bytes;
    patchBytes(bytes, track2, recordHeader(1, 0, 1, 1, 1, 64));

    D88Image image;
    ASSERT_TRUE(image.open(store(bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    Bytes buffer(256, 0);
    ASSERT_EQ(image.readSector(1, 0, 1, 1, 1, buffer.data(), 256), 256);
    ASSERT_EQ(image.readSector(1, 0, 1, 0x55, 1, buffer.data(), 256), 0);

    const Bytes renumbered = recordHeader(0, 1, 0x55, 1, 2, 256);
    ASSERT_EQ(image.writeSector(2, 1, 0, 1, 1, renumbered.data(), 16), 16);
    EXPECT_EQ(image.readSector(1, 0, 1, 1, 1, buffer.data(), 256), 0);
    EXPECT_EQ(image.readSector(1, 0, 1, 0x55, 1, buffer.data(), 256), 256);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0x30), 256);
    Bytes expected = bytes;
    patchBytes(expected, covered, renumbered);
    EXPECT_TRUE(image.close());
    EXPECT_EQ(readFileBytes(dir.file("disk.d88")), expected);
}

void writeAt(const std::string& path, std::int64_t offset, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fseek(file, static_cast<long>(offset), SEEK_SET), 0);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(std::fclose(file), 0);
}

// A disk header rewritten after the file was opened can make the disk offset
// plus a track entry reach 2^31; such a track is absent even where the file
// (sparse here) holds a record. One entry lower, the record is listed.
TEST_F(D88ImageTest, ATrackWhoseFileOffsetReaches2To31IsAbsent) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    // Disks of a few kilobytes each; selecting a disk reads its header from
    // the file as it stands, so the rewrite below is seen.
    const FixtureImage fixture = buildFixtureImage({uniformDisk(1, 20, 1, true), uniformDisk(1, 20, 1, true)});
    const std::string path = store(fixture.bytes);
    const auto secondDisk = static_cast<std::int64_t>(fixture.disks[1].offset);
    // Two records straddling 2^31 in a sparse file.
    Bytes records = recordHeader(9, 0, 1, 0, 1, 0);
    const Bytes beyond = recordHeader(9, 0, 2, 0, 1, 0);
    records.insert(records.end(), beyond.begin(), beyond.end());
    writeAt(path, kLimit - 16, records);

    D88Image image;
    ASSERT_TRUE(image.open(path.c_str()));
    ASSERT_GE(image.diskCount(), 2);
    Bytes header(fixture.bytes.begin() + secondDisk, fixture.bytes.begin() + secondDisk + 0x2B0);
    storeLE32(header, 0x1C, 0x7FFFFFFF);
    storeLE32(header, 0x20, static_cast<std::uint32_t>(kLimit - 16 - secondDisk));
    storeLE32(header, 0x24, static_cast<std::uint32_t>(kLimit - secondDisk));
    writeAt(path, secondDisk, header);
    ASSERT_TRUE(image.selectDisk(1));
    EXPECT_EQ(listIds(image, 0), (Ids{9, 0, 1, 0}));
    EXPECT_EQ(listIds(image, 1), Ids{});
    EXPECT_TRUE(image.close());
    std::filesystem::remove(path);
}

// Record headers are read a large chunk at a time; records that straddle the
// chunk edges and repeated numbers must still give the first record of each.
TEST_F(D88ImageTest, SearchesOfLongTracksFindTheFirstRecordOfEachNumber) {
    FixtureDisk disk;
    FixtureTrack& track = disk.tracks[0];
    for (int i = 0; i < 5000; ++i) {
        track.push_back(FixtureRecord{0, 0, static_cast<std::uint8_t>(1 + i % 200), 1, 0xFFFF, 13,
                                      static_cast<std::uint8_t>(i / 200 + 1)});
    }
    track.push_back(FixtureRecord{7, 0, 1, 1, 0xFFFF, 13, 0xC7});
    D88Image image;
    ASSERT_TRUE(image.open(store(buildFixtureImage({disk}).bytes).c_str()));
    ASSERT_TRUE(image.selectDisk(0));
    Bytes buffer(13, 0);
    for (std::int32_t r = 1; r <= 200; ++r) {
        ASSERT_EQ(image.readSector(0, 0, 0, r, 1, buffer.data(), 13), 13) << r;
        ASSERT_EQ(std::count(buffer.begin(), buffer.end(), 1), 13) << r;
    }
    EXPECT_EQ(image.readSector(0, 0, 0, 201, 1, buffer.data(), 13), 0);
    EXPECT_EQ(image.readSector(0, 7, 0, 1, 1, buffer.data(), 13), 13);
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xC7), 13);
}

}  // namespace
