// D88Image opened for reading only: what a program run cannot show when the
// tests run as a user whom file permissions do not stop.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "image/d88_image.h"
#include "support/d88_fixture.h"
#include "support/temp_dir.h"

namespace {

TEST(ReadOnlyImageTest, ReadsButNeverWrites) {
    TempDir dir;
    FixtureDisk disk = uniformDisk(2, 2, 1, true, 0x42);
    const Bytes bytes = buildFixtureImage({disk}).bytes;
    writeFileBytes(dir.file("disk.d88"), bytes);
    const std::string path = dir.file("disk.d88").string();

    D88Image image;
    ASSERT_TRUE(image.openReadOnly(path.c_str()));
    ASSERT_EQ(image.diskCount(), 1);
    ASSERT_TRUE(image.selectDisk(0));
    std::vector<std::uint8_t> data(256, 0);
    EXPECT_EQ(image.readSector(1, 0, 1, 2, 1, data.data(), 256), 256);
    EXPECT_EQ(data, std::vector<std::uint8_t>(256, 0x42));
    // A write writes nothing and says so; a later read sees what the file
    // holds, and closing has nothing left to fail on.
    const std::vector<std::uint8_t> source(256, 0x99);
    EXPECT_EQ(image.writeSector(1, 0, 1, 2, 1, source.data(), 256), 0);
    EXPECT_EQ(image.writeSectors(0, 0, 0, 1, 1, source.data(), 512), 0);
    EXPECT_EQ(image.readSector(1, 0, 1, 2, 1, data.data(), 256), 256);
    EXPECT_EQ(data, std::vector<std::uint8_t>(256, 0x42));
    EXPECT_EQ(image.readSectors(0, 0, 0, 1, 1, data.data(), 256), 256);
    EXPECT_EQ(data, std::vector<std::uint8_t>(256, 0x42));
    EXPECT_TRUE(image.close());
    EXPECT_EQ(readFileBytes(dir.file("disk.d88")), bytes);
}

TEST(ReadOnlyImageTest, OpensAFileWithoutWritePermission) {
    TempDir dir;
    writeFileBytes(dir.file("disk.d88"), buildFixtureImage({uniformDisk(1, 1, 0, true)}).bytes);
    const std::string path = dir.file("disk.d88").string();
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    D88Image image;
    EXPECT_TRUE(image.openReadOnly(path.c_str()));
    EXPECT_EQ(image.diskCount(), 1);
    image.close();
    if (::geteuid() != 0) {
        // Opening for update is refused, so the read-only mode is what made
        // the difference.
        EXPECT_FALSE(image.open(path.c_str()));
    }
}

// The accessors the listings use, on the selected disk.
TEST(ReadOnlyImageTest, ReportsTheHeaderFieldsOfTheSelectedDisk) {
    TempDir dir;
    FixtureDisk disk = uniformDisk(1, 1, 0, true);
    disk.entryOverrides[3] = -16;
    Bytes bytes = buildFixtureImage({disk}).bytes;
    bytes[0x1A] = 0x01;
    writeFileBytes(dir.file("disk.d88"), bytes);
    D88Image image;
    ASSERT_TRUE(image.openReadOnly(dir.file("disk.d88").c_str()));
    EXPECT_EQ(image.writeProtection(), -1);
    ASSERT_TRUE(image.selectDisk(0));
    EXPECT_EQ(image.writeProtection(), 1);
    EXPECT_EQ(image.diskSizeField(), static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(image.trackEntry(0), 0x2B0);
    EXPECT_EQ(image.trackEntry(3), -16);
    EXPECT_EQ(image.trackEntry(164), 0);
    EXPECT_TRUE(image.hasTrack(0));
    EXPECT_FALSE(image.hasTrack(3));
    EXPECT_FALSE(image.hasTrack(1));
    EXPECT_FALSE(image.selectDisk(1));
    EXPECT_EQ(image.writeProtection(), -1);
    EXPECT_EQ(image.diskSizeField(), 0);
}

}  // namespace
