// imgconv's command line and its conversions of odd but convertible disks:
// usage, help and version; formats chosen by name or extension; standard
// output; several-disk files, 672-byte headers, stored sector orders,
// single-sided disks and the N88-BASIC first track; FDI headers written and
// read.
#include <string>
#include <vector>

#include "conv_fixture.h"
#include "conv_images.h"

namespace {

const std::string kUsage =
    "Usage: imgconv [options] INPUT OUTPUT\n"
    "  --from FORMAT : 入力の形式 (d88, raw, fdi, nfd, fdd, dcp, dip, dim. 省略時は INPUT の拡張子から)\n"
    "  --to FORMAT   : 出力の形式 (d88, raw, fdi. 省略時は OUTPUT の拡張子から)\n"
    "  --disk N      : D88 入力のディスク番号 (省略時は 0)\n"
    "  --media TYPE  : raw 入力の形状 (セクタのある imgmint の種類, または 2d/2dd/2hd/1d/1dd,セクタ数,N[,トラック数])\n"
    "  -n            : OUTPUT が既にあれば置き換えない\n"
    "  -h, --help    : この説明を表示する\n"
    "  --version     : バージョンを表示する\n"
    "  OUTPUT が - のときは標準出力に書き込みます.\n";

// The sector data of the small grid in raw order: each track's sectors all
// hold the fill 0x11 (uniformDisk fills every record alike).
Bytes gridData(std::size_t tracks) { return Bytes(tracks * 4 * 256, 0x11); }

// The data of a fixture track in stored order, concatenated.
Bytes trackData(const FixtureTrack& track) {
    Bytes bytes;
    for (const FixtureRecord& record : track) {
        bytes.insert(bytes.end(), record.dataLength, record.fill);
    }
    return bytes;
}

TEST_F(ImgconvTest, WrongOperandCountsPrintTheUsageBlock) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"in.d88"}, {"a", "b", "c"}, {"-n", "in.d88"}}) {
        const ProgramResult result = conv(arguments);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, kUsage);
    }
}

// As in every program, -h, --help and --version are answered as the only
// argument; among others they are options imgconv does not know.
TEST_F(ImgconvTest, HelpAndVersionAnswerOnStandardOutput) {
    for (const std::string help : {"-h", "--help"}) {
        const ProgramResult result = conv({help});
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.out, kUsage);
        EXPECT_EQ(result.err, "");
        const ProgramResult among = conv({"in.d88", help, "out.img"});
        EXPECT_EQ(among.exitStatus, 1);
        EXPECT_EQ(among.out, "");
    }
    const ProgramResult version = conv({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, std::string("imgconv ") + IMGTOOLS_VERSION + "\n");
    EXPECT_EQ(version.err, "");
    // After "--" they are operands.
    EXPECT_EQ(conv({"--", "--version"}).err, kUsage);
}

TEST_F(ImgconvTest, ExtensionsChooseFormatsInAnyLetterCase) {
    const Bytes image = d88Image(smallGrid());
    for (const std::string name : {"a.d88", "b.D77", "c.88D"}) {
        write(name, image);
        const ProgramResult result = conv({name, name + ".IMG"});
        EXPECT_EQ(result.exitStatus, 0) << name << ": " << result.err;
        EXPECT_EQ(result.out, convertedLine(name, "d88", name + ".IMG", "raw", 4096));
        EXPECT_TRUE(read(name + ".IMG") == gridData(4)) << name;
    }
    const ProgramResult fdi = conv({"a.d88", "a.FDI"});
    EXPECT_EQ(fdi.out, convertedLine("a.d88", "d88", "a.FDI", "fdi", 4096 + 4096));
    const ProgramResult fromFdi = conv({"a.FDI", "again.d88"});
    EXPECT_EQ(fromFdi.out, convertedLine("a.FDI", "fdi", "again.d88", "d88", 688 + 16 * 272));
}

TEST_F(ImgconvTest, FromAndToOverrideTheExtensions) {
    write("disk.bin", d88Image(smallGrid()));
    const ProgramResult toFdi = conv({"--from", "D88", "disk.bin", "--to=fdi", "out.d88"});
    ASSERT_EQ(toFdi.exitStatus, 0) << toFdi.err;
    EXPECT_EQ(toFdi.out, convertedLine("disk.bin", "d88", "out.d88", "fdi", 8192));
    const Bytes fdi = read("out.d88");
    ASSERT_EQ(fdi.size(), 8192u);
    EXPECT_EQ(loadLE32(fdi, 8), 4096u);
    EXPECT_TRUE(Bytes(fdi.begin() + 4096, fdi.end()) == gridData(4));
    // A raw input named like a D88 file, with its geometry given.
    write("plain.d88", gridData(4));
    const ProgramResult fromRaw = conv({"--from=raw", "--media", "2d,4,1,4", "plain.d88", "--to", "d88", "x.d88"});
    ASSERT_EQ(fromRaw.exitStatus, 0) << fromRaw.err;
    EXPECT_TRUE(read("x.d88") == d88Image(smallGrid()));
}

TEST_F(ImgconvTest, DashWritesToStandardOutputAndReportsOnStandardError) {
    write("in.d88", d88Image(smallGrid()));
    const ProgramResult result = conv({"in.d88", "-"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(Bytes(result.out.begin(), result.out.end()) == gridData(4));
    EXPECT_EQ(result.err, convertedLine("in.d88", "d88", "-", "raw", 4096));
    EXPECT_EQ(listing(), std::vector<std::string>{"in.d88"});
    // -n has nothing to keep there; "--" lets a name start with "-".
    write("-n.d88", d88Image(smallGrid()));
    const ProgramResult named = conv({"-n", "--", "-n.d88", "-"});
    EXPECT_EQ(named.exitStatus, 0) << named.err;
    EXPECT_EQ(named.out.size(), 4096u);
}

TEST_F(ImgconvTest, ReplacesAnExistingOutputAsCopyDoes) {
    write("in.d88", d88Image(smallGrid()));
    write("out.img", patternBytes(100000, 3));
    const ProgramResult result = conv({"in.d88", "out.img"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(read("out.img") == gridData(4));
    EXPECT_EQ(listing(), (std::vector<std::string>{"in.d88", "out.img"}));
}

TEST_F(ImgconvTest, DiskSelectsOneDiskOfSeveralAndD88OutputKeepsItWhole) {
    FixtureDisk first = smallGrid();
    FixtureDisk second = uniformDisk(2, 3, 2, true, 0x66);
    second.name = "SECOND DISK";
    second.mediaCode = 0x10;
    second.tracks[1] = fixtureTrack(0, 1, {3, 1, 2}, 2, 0x70);
    FixtureImage both = buildFixtureImage({first, second});
    both.bytes.at(both.disks[1].offset + kWriteProtectByte) = 0x10;
    write("two.d88", both.bytes);

    const ProgramResult raw = conv({"--disk", "0x1", "two.d88", "second.img"});
    ASSERT_EQ(raw.exitStatus, 0) << raw.err;
    // Track 1 stored as R3, R1, R2 comes out as R1, R2, R3.
    Bytes expected(3 * 512, 0x66);
    for (int r = 1; r <= 3; ++r) {
        const std::uint8_t fill = static_cast<std::uint8_t>(0x70 + (r == 3 ? 0 : r));
        expected.insert(expected.end(), 512, fill);
    }
    EXPECT_TRUE(read("second.img") == expected);

    // D88 to D88 takes the one disk as it is: name, protection, media
    // code, stored order and all.
    const ProgramResult d88 = conv({"--disk=1", "two.d88", "second.d88"});
    ASSERT_EQ(d88.exitStatus, 0) << d88.err;
    const Bytes alone(both.bytes.begin() + static_cast<std::ptrdiff_t>(both.disks[1].offset), both.bytes.end());
    EXPECT_TRUE(read("second.d88") == alone);
}

TEST_F(ImgconvTest, ReadsAHeaderOf160TrackEntries) {
    // The same disk with the table cut to 160 entries: 16 bytes fewer, every
    // entry 16 lower, and the first record where entry 160 would be.
    Bytes image = d88Image(smallGrid());
    image.erase(image.begin() + 0x2A0, image.begin() + 0x2B0);
    for (int t = 0; t < 4; ++t) {
        storeLE32(image, 0x20 + 4 * t, loadLE32(image, 0x20 + 4 * t) - 16);
    }
    storeLE32(image, 0x1C, static_cast<std::uint32_t>(image.size()));
    write("old.d88", image);
    const ProgramResult result = conv({"old.d88", "old.img"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(read("old.img") == gridData(4));
    // Written back with the full 688-byte header.
    ASSERT_EQ(conv({"old.d88", "new.d88"}).exitStatus, 0);
    EXPECT_TRUE(read("new.d88") == d88Image(smallGrid()));
}

TEST_F(ImgconvTest, FlattensByRecordNumberWhateverTheFirstNumber) {
    FixtureDisk disk;
    for (int t = 0; t < 4; ++t) {
        disk.tracks[t] = fixtureTrack(static_cast<std::uint8_t>(t / 2), static_cast<std::uint8_t>(t % 2),
                                      {2, 0, 3, 1}, 0, static_cast<std::uint8_t>(t * 16));
    }
    write("in.d88", d88Image(disk));
    ASSERT_EQ(conv({"in.d88", "out.img"}).exitStatus, 0);
    Bytes expected;
    for (int t = 0; t < 4; ++t) {
        // Stored R2, R0, R3, R1 with fills +0, +1, +2, +3.
        for (int fill : {1, 3, 0, 2}) {
            expected.insert(expected.end(), 128, static_cast<std::uint8_t>(t * 16 + fill));
        }
    }
    EXPECT_TRUE(read("out.img") == expected);
}

TEST_F(ImgconvTest, SingleSidedDisksAndTrailingAbsentTracks) {
    // Cylinders 0-2 on head 0 only: three tracks, and FDI says one head.
    write("ss.d88", d88Image(uniformDisk(3, 4, 1, false, 0x22)));
    ASSERT_EQ(conv({"ss.d88", "ss.img"}).exitStatus, 0);
    EXPECT_TRUE(read("ss.img") == Bytes(3 * 4 * 256, 0x22));
    ASSERT_EQ(conv({"ss.d88", "ss.fdi"}).exitStatus, 0);
    const Bytes fdi = read("ss.fdi");
    EXPECT_EQ(loadLE32(fdi, 0x18), 1u);
    EXPECT_EQ(loadLE32(fdi, 0x1C), 3u);
    // And back to the same D88, through the FDI header alone.
    ASSERT_EQ(conv({"ss.fdi", "back.d88"}).exitStatus, 0);
    EXPECT_TRUE(read("back.d88") == d88Image(uniformDisk(3, 4, 1, false, 0x22)));
}

TEST_F(ImgconvTest, N88FirstTrackFlattensTo128ByteSectorsThenTheRest) {
    write("n88.d88", n88Image(4));
    ASSERT_EQ(conv({"n88.d88", "n88.img"}).exitStatus, 0);
    Bytes expected;
    for (int t = 0; t < 4; ++t) {
        const Bytes data = trackData(fixtureTrack(0, 0, sectorRange(1, 26), t == 0 ? 0 : 1,
                                                  static_cast<std::uint8_t>(t * 0x20)));
        expected.insert(expected.end(), data.begin(), data.end());
    }
    ASSERT_EQ(expected.size(), 26u * 128u + 3u * 26u * 256u);
    EXPECT_TRUE(read("n88.img") == expected);
}

struct FdiHeaderCase {
    std::vector<std::string> mint;
    std::uint32_t driveType;
    std::uint32_t dataSize;
    std::uint32_t sectorLength;
    std::uint32_t sectors;
    std::uint32_t heads;
    std::uint32_t cylinders;
};

TEST_F(ImgconvTest, FdiHeaderDescribesTheGeometry) {
    const FdiHeaderCase cases[] = {
        {{"2hddos"}, 0x90, 1261568, 1024, 8, 2, 77},   {{"2hcdos"}, 0x90, 1228800, 512, 15, 2, 80},
        {{"2hddos144"}, 0x30, 1474560, 512, 18, 2, 80}, {{"2dddos9"}, 0x10, 737280, 512, 9, 2, 80},
        {{"2ddbas"}, 0x10, 655360, 256, 16, 2, 80},    {{"2dbas"}, 0x50, 327680, 256, 16, 2, 40},
        {{"1dbas"}, 0x50, 143360, 256, 16, 1, 35},     {{"2hd", "26", "1"}, 0x90, 1025024, 256, 26, 2, 77},
    };
    for (const FdiHeaderCase& c : cases) {
        SCOPED_TRACE(c.mint.front());
        mint(c.mint, "disk.d88");
        ASSERT_EQ(conv({"disk.d88", "disk.fdi"}).exitStatus, 0);
        const Bytes fdi = read("disk.fdi");
        ASSERT_EQ(fdi.size(), 4096u + c.dataSize);
        const std::uint32_t expected[] = {0, c.driveType, 4096, c.dataSize, c.sectorLength, c.sectors, c.heads,
                                          c.cylinders};
        for (std::size_t field = 0; field < 8; ++field) {
            EXPECT_EQ(loadLE32(fdi, 4 * field), expected[field]) << "field at " << 4 * field;
        }
        EXPECT_TRUE(std::all_of(fdi.begin() + 32, fdi.begin() + 4096, [](std::uint8_t b) { return b == 0; }));
    }
}

TEST_F(ImgconvTest, FdiInputOfAnyHeaderSizeAndDriveType) {
    // A 512-byte header, a drive type no reader knows, and the geometry of
    // the 2hddos preset: the preset's D88.
    const Bytes fdi = fdiFile(0x1234, 512, 1261568, 1024, 8, 2, 77, 1261568);
    write("odd.fdi", fdi);
    write("same.hdm", Bytes(fdi.begin() + 512, fdi.end()));
    ASSERT_EQ(conv({"odd.fdi", "odd.d88"}).exitStatus, 0);
    ASSERT_EQ(conv({"same.hdm", "same.d88"}).exitStatus, 0);
    EXPECT_TRUE(read("odd.d88") == read("same.d88"));

    // No preset has this geometry: the drive type gives the media code, and
    // the image is imgmint's for the generic type.
    write("small.fdi", fdiFile(0x17, 4096, 2 * 2 * 4 * 256, 256, 4, 2, 2, 2 * 2 * 4 * 256));
    ASSERT_EQ(conv({"small.fdi", "small.d88"}).exitStatus, 0);
    const Bytes small = read("small.d88");
    const Bytes minted = mint({"2dd", "4", "1", "4"}, "minted.d88");
    ASSERT_EQ(small.size(), minted.size());
    EXPECT_TRUE(std::equal(small.begin(), small.begin() + 688, minted.begin())) << "header differs from imgmint's";
    ASSERT_EQ(conv({"small.d88", "small.img"}).exitStatus, 0);
    EXPECT_TRUE(read("small.img") == patternBytes(2 * 2 * 4 * 256, 0x77));
}

}  // namespace
