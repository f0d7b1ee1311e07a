// What each container keeps in the D88 imgconv makes of it, read back
// through the image layer's record reader: sector identities as stored,
// single-density sectors as density 0x40, deleted marks (record byte 7) and
// BIOS statuses (byte 8), fill-byte sectors, absent tracks left absent,
// partial images by their flags, the media code and write protection.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "container_files.h"
#include "conv_fixture.h"
#include "d88_read_back.h"

namespace {

// An odd little disk: a single-density first track, an absent track 1,
// identities that do not match their place, mixed sizes in a track, marks
// and statuses, a fill-only sector, and a lone track further on.
ContainerTracks oddDisk() {
    ContainerTracks tracks;
    for (std::uint8_t r = 1; r <= 4; ++r) {
        ContainerSector sector;
        sector.record = r;
        sector.sizeCode = 0;
        sector.singleDensity = true;
        tracks[0].push_back(sector);
    }
    ContainerSector plain;
    plain.cylinder = 1;
    plain.record = 0xF1;
    plain.sizeCode = 1;
    ContainerSector misplaced = plain;
    misplaced.cylinder = 9;
    misplaced.head = 1;
    misplaced.record = 3;
    misplaced.deleted = true;
    ContainerSector failed = plain;
    failed.record = 2;
    failed.sizeCode = 2;
    failed.status = 0xB0;
    ContainerSector filled = plain;
    filled.record = 4;
    filled.fillOnly = true;
    filled.fill = 0x6D;
    tracks[2] = {plain, misplaced, failed, filled};
    ContainerSector lone;
    lone.cylinder = 2;
    lone.head = 1;
    lone.record = 1;
    lone.sizeCode = 3;
    lone.deleted = true;
    lone.status = 0x10;
    tracks[5] = {lone};
    return tracks;
}

struct KeepCase {
    const char* name;
    const char* fileName;
    std::function<Bytes()> build;
    bool keepsStatus;  // FDD records no status
};

void PrintTo(const KeepCase& value, std::ostream* out) { *out << value.name; }

class ContainerKeeps : public ImgconvTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(ContainerKeeps, EverySectorAsStoredInItsRecordHeader) {
    write(GetParam().fileName, GetParam().build());
    const ProgramResult converted = conv({GetParam().fileName, "out.d88"});
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    const ReadBackDisk disk = readBackD88(dir.file("out.d88"));
    EXPECT_EQ(disk.mediaCode, 0x20);
    EXPECT_EQ(disk.writeProtect, 0);
    const ContainerTracks expected = oddDisk();
    ASSERT_EQ(disk.tracks.size(), expected.size()) << "only tracks 0, 2 and 5 are present";
    for (const auto& [index, sectors] : expected) {
        ASSERT_EQ(disk.tracks.count(index), 1u) << "track " << index;
        const std::vector<ReadBackRecord>& records = disk.tracks.at(index);
        ASSERT_EQ(records.size(), sectors.size()) << "track " << index;
        for (std::size_t i = 0; i < sectors.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "track " << index << " record " << i);
            const ContainerSector& sector = sectors[i];
            const RecordHeader& header = records[i].header;
            EXPECT_EQ(header.id.cylinder, sector.cylinder);
            EXPECT_EQ(header.id.head, sector.head);
            EXPECT_EQ(header.id.sectorNumber, sector.record);
            EXPECT_EQ(header.id.sizeCode, sector.sizeCode);
            EXPECT_EQ(header.count, static_cast<std::int32_t>(sectors.size()));
            EXPECT_EQ(header.density, sector.singleDensity ? 0x40 : 0x00);
            EXPECT_EQ(header.deletedMark, sector.deleted ? 0x10 : 0x00);
            EXPECT_EQ(header.status, GetParam().keepsStatus ? sector.status : 0);
            EXPECT_TRUE(records[i].data == sectorData(sector));
        }
    }
}

// Revision 1 with a sector read twice more (its copies follow its data) and
// special-read data on track 2 and on a track that holds nothing else.
Bytes nfdR1WithExtras() {
    ContainerTracks tracks = oddDisk();
    tracks[2][1].retries = 2;
    tracks[0][3].retries = 1;
    return nfdR1File(tracks, {{2, {{300, 1}, {0, 0}}}, {3, {{4096, 0}}}});
}

const KeepCase kKeepCases[] = {
    {"NfdR0", "odd.nfd", [] { return nfdR0File(oddDisk()); }, true},
    {"NfdR1", "odd.nfd", [] { return nfdR1File(oddDisk()); }, true},
    {"NfdR1RetriesAndSpecialReads", "odd.nfd", nfdR1WithExtras, true},
    {"Fdd", "odd.fdd", [] { return fddFile(oddDisk()); }, false},
};

INSTANTIATE_TEST_SUITE_P(SectorContainers, ContainerKeeps, ::testing::ValuesIn(kKeepCases),
                         [](const ::testing::TestParamInfo<KeepCase>& info) { return info.param.name; });

// The media code each container's media or rate gives, and the geometry its
// media byte stands for: the raw image is the data the file was built with.
struct MediaCase {
    const char* name;
    const char* fileName;
    std::function<ContainerTracks()> layout;
    std::function<Bytes(const ContainerTracks&)> build;
    int mediaCode;
};

void PrintTo(const MediaCase& value, std::ostream* out) { *out << value.name; }

class ContainerMedia : public ImgconvTest, public ::testing::WithParamInterface<MediaCase> {};

TEST_P(ContainerMedia, GivesTheD88MediaCodeAndTheGeometry) {
    const ContainerTracks tracks = GetParam().layout();
    write(GetParam().fileName, GetParam().build(tracks));
    const ProgramResult toD88 = conv({GetParam().fileName, "out.d88"});
    ASSERT_EQ(toD88.exitStatus, 0) << toD88.err;
    EXPECT_EQ(readBackD88(dir.file("out.d88")).mediaCode, GetParam().mediaCode);
    const ProgramResult toRaw = conv({GetParam().fileName, "out.raw"});
    ASSERT_EQ(toRaw.exitStatus, 0) << toRaw.err;
    EXPECT_TRUE(read("out.raw") == flatData(tracks)) << "the geometry differs from the layout the file was built with";
}

std::function<ContainerTracks()> grid(int tracks, int sectors, std::uint8_t sizeCode, std::uint8_t driveMode = 0x90) {
    return [=] { return uniformLayout(tracks, sectors, sizeCode, driveMode); };
}

std::function<Bytes(const ContainerTracks&)> dcp(std::uint8_t media, bool allTracks = false) {
    return [=](const ContainerTracks& tracks) { return dcpFile(media, tracks, allTracks); };
}

std::function<Bytes(const ContainerTracks&)> dim(std::uint8_t media) {
    return [=](const ContainerTracks& tracks) { return dimFile(media, tracks); };
}

Bytes nfdR0(const ContainerTracks& tracks) { return nfdR0File(tracks); }
Bytes nfdR1(const ContainerTracks& tracks) { return nfdR1File(tracks); }
Bytes fdd(const ContainerTracks& tracks) { return fddFile(tracks); }

const MediaCase kMediaCases[] = {
    {"NfdDriveMode2HD", "d.nfd", grid(4, 8, 3, 0x90), nfdR0, 0x20},
    {"NfdDriveMode144", "d.nfd", grid(4, 18, 2, 0x30), nfdR0, 0x20},
    {"NfdDriveMode2DD", "d.nfd", grid(4, 8, 2, 0x10), nfdR0, 0x10},
    {"NfdDriveModeLowBitsIgnored", "d.nfd", grid(4, 8, 2, 0x1F), nfdR0, 0x10},
    {"NfdNoDriveMode2DDTracks", "d.nfd", grid(4, 9, 2, 0x00), nfdR1, 0x10},
    {"NfdNoDriveMode2HDTracks", "d.nfd", grid(4, 15, 2, 0x00), nfdR1, 0x20},
    {"Fdd2HD", "d.fdd", grid(4, 8, 3, 0x90), fdd, 0x20},
    {"Fdd2DD", "d.fdd", grid(4, 9, 2, 0x10), fdd, 0x10},
    {"Dcp2HD", "d.dcp", grid(154, 8, 3), dcp(0x01), 0x20},
    {"Dcp2HC", "d.dcp", grid(160, 15, 2), dcp(0x02), 0x20},
    {"Dcp144", "d.dcp", grid(160, 18, 2), dcp(0x03), 0x20},
    {"Dcp640K", "d.dcp", grid(160, 8, 2), dcp(0x04), 0x10},
    {"Dcp720K", "d.dcp", grid(160, 9, 2), dcp(0x05), 0x10},
    {"Dcp9x1024", "d.dcp", grid(160, 9, 3), dcp(0x08), 0x20},
    {"DcpN88", "d.dcp", layoutN88, dcp(0x11), 0x20},
    {"Dcp2DDBasic", "d.dcp", grid(160, 16, 1), dcp(0x19), 0x10},
    {"Dcp26x256Of80Cylinders", "d.dcp", grid(160, 26, 1), dcp(0x21), 0x20},
    {"Dcu26x256Of77Cylinders", "d.dcu", grid(154, 26, 1), dcp(0x21, true), 0x20},
    {"Dcu26x256Of80Cylinders", "d.dcu", grid(160, 26, 1), dcp(0x21, true), 0x20},
    {"Dip", "d.dip", layout2HD, dipFile, 0x20},
    {"Dim2HD", "d.dim", grid(154, 8, 3), dim(0), 0x20},
    {"Dim2HC", "d.dim", grid(160, 15, 2), dim(2), 0x20},
    {"Dim2HQ", "d.dim", grid(160, 18, 2), dim(9), 0x20},
    {"Dim26x256", "d.dim", grid(154, 26, 1), dim(17), 0x20},
};

INSTANTIATE_TEST_SUITE_P(Containers, ContainerMedia, ::testing::ValuesIn(kMediaCases),
                         [](const ::testing::TestParamInfo<MediaCase>& info) { return info.param.name; });

// Tracks a container stores selectively: only the stored or present ones
// are in the D88, each with its own data, the others have track-table
// entry 0.
TEST_F(ImgconvTest, PartialDcpIsReadByItsFlags) {
    ContainerTracks tracks = layoutN88();
    std::erase_if(tracks, [](const auto& track) { return track.first != 0 && track.first != 1 && track.first != 9; });
    write("part.dcp", dcpFile(0x11, tracks));
    ASSERT_EQ(conv({"part.dcp", "out.d88"}).exitStatus, 0);
    const ReadBackDisk disk = readBackD88(dir.file("out.d88"));
    ASSERT_EQ(disk.tracks.size(), 3u);
    for (const auto& [index, sectors] : tracks) {
        ASSERT_EQ(disk.tracks.count(index), 1u) << "track " << index;
        const std::vector<ReadBackRecord>& records = disk.tracks.at(index);
        ASSERT_EQ(records.size(), 26u);
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].header.id.sectorNumber, i + 1);
            EXPECT_EQ(records[i].header.id.cylinder, index / 2);
            EXPECT_EQ(records[i].header.id.head, index % 2);
            EXPECT_EQ(records[i].header.id.sizeCode, index == 0 ? 0 : 1);
            EXPECT_EQ(records[i].header.density, index == 0 ? 0x40 : 0x00) << "track " << index;
            EXPECT_TRUE(records[i].data == sectorData(sectors[i])) << "track " << index << " sector " << i + 1;
        }
    }
}

TEST_F(ImgconvTest, DimTracksNotFlaggedStayAbsent) {
    ContainerTracks tracks = uniformLayout(8, 8, 3);
    tracks.erase(2);
    tracks.erase(3);
    tracks.erase(6);
    // Their places hold bytes all the same; the file ends after track 7.
    write("part.dim", dimFile(0, tracks));
    ASSERT_EQ(conv({"part.dim", "out.d88"}).exitStatus, 0);
    const ReadBackDisk disk = readBackD88(dir.file("out.d88"));
    ASSERT_EQ(disk.tracks.size(), tracks.size());
    for (const auto& [index, sectors] : tracks) {
        ASSERT_EQ(disk.tracks.count(index), 1u) << "track " << index;
        ASSERT_EQ(disk.tracks.at(index).size(), 8u);
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_TRUE(disk.tracks.at(index)[i].data == sectorData(sectors[i])) << "track " << index;
        }
    }
}

TEST_F(ImgconvTest, WriteProtectionIsKept) {
    write("p.nfd", nfdR0File(uniformLayout(2, 8, 3), true));
    write("p.fdd", fddFile(uniformLayout(2, 8, 3), true));
    for (const std::string input : {"p.nfd", "p.fdd"}) {
        ASSERT_EQ(conv({input, "out.d88"}).exitStatus, 0) << input;
        EXPECT_EQ(readBackD88(dir.file("out.d88")).writeProtect, 0x10) << input;
    }
}

TEST_F(ImgconvTest, FddOfVersion101IsRead) {
    Bytes file = fddFile(uniformLayout(2, 8, 3));
    file[6] = '1';
    write("v101.fdd", file);
    const ProgramResult converted = conv({"v101.fdd", "out.hdm"});
    ASSERT_EQ(converted.exitStatus, 0) << converted.err;
    EXPECT_TRUE(read("out.hdm") == flatData(uniformLayout(2, 8, 3)));
}

TEST_F(ImgconvTest, ContainersAreChosenByExtensionInAnyCaseOrByName) {
    const Bytes nfd = nfdR0File(uniformLayout(2, 8, 3));
    write("disk.NFD", nfd);
    write("disk.bin", nfd);
    write("disk.Dcu", dcpFile(0x01, uniformLayout(2, 8, 3)));
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
        {{"disk.NFD", "a.d88"}, convertedLine("disk.NFD", "nfd", "a.d88", "d88", 688 + 16 * (16 + 1024))},
        {{"--from", "NFD", "disk.bin", "b.d88"}, convertedLine("disk.bin", "nfd", "b.d88", "d88", 688 + 16 * (16 + 1024))},
        {{"disk.Dcu", "c.d88"}, convertedLine("disk.Dcu", "dcp", "c.d88", "d88", 688 + 16 * (16 + 1024))},
    };
    for (const auto& [arguments, line] : runs) {
        const ProgramResult converted = conv(arguments);
        EXPECT_EQ(converted.exitStatus, 0) << converted.err;
        EXPECT_EQ(converted.out, line);
    }
}

}  // namespace
