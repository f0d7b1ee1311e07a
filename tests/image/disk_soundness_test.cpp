// The soundness checks on one disk header, case by case: each problem at its
// boundary, a disk further into the file, and which problem is named when a
// header has several.
#include "image/disk_soundness.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include "support/d88_fixture.h"

namespace {

using HeaderBytes = std::array<std::uint8_t, kFixtureDiskHeaderSize>;

constexpr std::size_t kSizeFieldOffset = 0x1C;
constexpr std::size_t kTrackTableOffset = 0x20;
constexpr std::int32_t kHeader = static_cast<std::int32_t>(kFixtureDiskHeaderSize);

struct SoundnessCase {
    const char* name;
    std::int32_t sizeField;
    std::map<int, std::int32_t> entries;  // track index -> raw entry
    std::int64_t diskOffset;
    std::int64_t fileLength;
    DiskProblem expected;
};

void PrintTo(const SoundnessCase& value, std::ostream* out) { *out << value.name; }

HeaderBytes headerOf(const SoundnessCase& c) {
    Bytes bytes(kFixtureDiskHeaderSize, 0);
    storeLE32(bytes, kSizeFieldOffset, static_cast<std::uint32_t>(c.sizeField));
    for (const auto& [index, entry] : c.entries) {
        storeLE32(bytes, kTrackTableOffset + static_cast<std::size_t>(index) * 4, static_cast<std::uint32_t>(entry));
    }
    HeaderBytes header{};
    std::copy(bytes.begin(), bytes.end(), header.begin());
    return header;
}

class DiskSoundnessTest : public ::testing::TestWithParam<SoundnessCase> {};

TEST_P(DiskSoundnessTest, NamesTheFirstProblem) {
    const SoundnessCase& c = GetParam();
    const HeaderBytes header = headerOf(c);
    EXPECT_EQ(findDiskProblem(header, c.diskOffset, c.fileLength), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DiskSoundnessTest,
    ::testing::Values(
        SoundnessCase{"blank disk, header alone", kHeader, {}, 0, kHeader, DiskProblem::None},
        SoundnessCase{"tracks right after the header, disk ends at the end of the file",
                      kHeader + 4352, {{0, kHeader}, {1, kHeader + 2176}, {163, kHeader + 4352}}, 0, kHeader + 4352,
                      DiskProblem::None},
        SoundnessCase{"bytes follow the disk", kHeader, {}, 0, 5000, DiskProblem::None},
        SoundnessCase{"negative and too large entries are another matter", kHeader + 10,
                      {{5, -16}, {6, 0x7FFFFFFF}}, 0, kHeader + 10, DiskProblem::None},
        SoundnessCase{"size one byte short of a header", kHeader - 1, {}, 0, 5000, DiskProblem::SizeBelowHeader},
        SoundnessCase{"size 0", 0, {}, 0, 5000, DiskProblem::SizeBelowHeader},
        SoundnessCase{"negative size", -1, {}, 0, 5000, DiskProblem::SizeBelowHeader},
        SoundnessCase{"one byte past the end of the file", 1001, {}, 0, 1000, DiskProblem::PastEndOfFile},
        SoundnessCase{"second disk ends at the end of the file", 1000, {}, 4000, 5000, DiskProblem::None},
        SoundnessCase{"second disk one byte past it", 1000, {}, 4001, 5000, DiskProblem::PastEndOfFile},
        SoundnessCase{"largest size at the largest offset", 0x7FFFFFFF, {}, 0x7FFFFFFF, 0x7FFFFFFF,
                      DiskProblem::PastEndOfFile},
        SoundnessCase{"entry 1 points into the header", 2000, {{0, 1}}, 0, 2000, DiskProblem::TrackInsideHeader},
        SoundnessCase{"a 672-byte header's first track", 2000, {{0, 672}}, 0, 2000,
                      DiskProblem::TrackInsideHeader},
        SoundnessCase{"last entry, last header byte", 2000, {{163, kHeader - 1}}, 0, 2000,
                      DiskProblem::TrackInsideHeader},
        SoundnessCase{"small size is named before the end of the file and the entries", 100, {{0, 1}}, 0, 50,
                      DiskProblem::SizeBelowHeader},
        SoundnessCase{"end of the file is named before the entries", 2000, {{0, 1}}, 0, 1999,
                      DiskProblem::PastEndOfFile}));

}  // namespace
