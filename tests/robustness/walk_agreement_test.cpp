// The track listing and the sector searches walk a track the same way. For
// every image of the fuzz seed corpus and for cuts of imgmint's images, a
// plain walk written here (bytes read straight from the file under the
// search's stop rules) is compared with what the listing reports for each
// track and with what readSector finds for each identity on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "d88_image_fuzz_body.h"
#include "image/d88_image.h"
#include "peek/track_summary.h"
#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

struct PlainRecord {
    std::size_t offset;
    int c, h, r, n;
    std::size_t dataLength;
};

enum class PlainEnd { CountZero, Counted, EndOfFile };

struct PlainWalk {
    std::vector<PlainRecord> records;
    PlainEnd end = PlainEnd::EndOfFile;
};

std::uint32_t le16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

PlainWalk walkPlainly(const Bytes& file, std::size_t start) {
    PlainWalk walk;
    std::size_t at = start;
    for (std::size_t position = 0;; ++position) {
        if (at + 16 > file.size()) {
            walk.end = PlainEnd::EndOfFile;
            return walk;
        }
        const std::uint32_t count = le16(file, at + 4);
        if (count == 0) {
            walk.end = PlainEnd::CountZero;
            return walk;
        }
        walk.records.push_back({at, file[at], file[at + 1], file[at + 2], file[at + 3], le16(file, at + 14)});
        if (position + 1 == count) {
            walk.end = PlainEnd::Counted;
            return walk;
        }
        at += 16 + le16(file, at + 14);
    }
}

std::int32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::int32_t>(le16(b, at) | le16(b, at + 2) << 16);
}

void checkImage(const Bytes& file, const std::string& label) {
    TempDir dir;
    const auto path = dir.file("image.d88");
    writeFileBytes(path, file);
    D88Image image;
    ASSERT_TRUE(image.openReadOnly(path.c_str()));
    for (std::int32_t disk = 0; disk < std::min(image.diskCount(), 4); ++disk) {
        ASSERT_TRUE(image.selectDisk(disk));
        const std::vector<TrackSummary> listed = summarizeTracks(image);
        for (std::int32_t index = 0; index < d88::kTrackTableEntries; ++index) {
            if (!image.hasTrack(index)) {
                continue;
            }
            SCOPED_TRACE(label + " disk " + std::to_string(disk) + " track " + std::to_string(index));
            const std::size_t start = static_cast<std::size_t>(image.diskFileOffset()) +
                                      static_cast<std::size_t>(le32(file, static_cast<std::size_t>(image.diskFileOffset()) +
                                                                              0x20 + 4 * static_cast<std::size_t>(index)));
            const PlainWalk walk = walkPlainly(file, start);
            const TrackSummary& summary = listed[static_cast<std::size_t>(index)];
            ASSERT_EQ(summary.walked.records, static_cast<std::int64_t>(walk.records.size()));
            if (walk.end == PlainEnd::CountZero) {
                EXPECT_TRUE(summary.countDisagrees);
            }
            if (walk.end == PlainEnd::EndOfFile) {
                EXPECT_TRUE(summary.cutByEndOfFile);
            }
            if (!walk.records.empty()) {
                const auto [low, high] = std::minmax_element(
                    walk.records.begin(), walk.records.end(),
                    [](const PlainRecord& a, const PlainRecord& b) { return a.r < b.r; });
                EXPECT_EQ(summary.walked.lowestSectorNumber, low->r);
                EXPECT_EQ(summary.walked.highestSectorNumber, high->r);
            }
            // Each identity on the walk is found at its first record; one
            // that is not on it is not found.
            std::map<std::uint32_t, const PlainRecord*> first;
            for (const PlainRecord& record : walk.records) {
                first.emplace(static_cast<std::uint32_t>(record.c << 24 | record.h << 16 | record.r << 8 | record.n),
                              &record);
            }
            std::vector<std::uint8_t> got(0x10000);
            for (const auto& [key, record] : first) {
                const std::int32_t read =
                    image.readSector(index, record->c, record->h, record->r, record->n, got.data(), 0x10000);
                const std::size_t dataStart = record->offset + 16;
                const std::size_t expected = std::min(record->dataLength, file.size() - std::min(file.size(), dataStart));
                ASSERT_EQ(static_cast<std::size_t>(read), expected) << "sector " << record->r;
                EXPECT_TRUE(std::equal(got.begin(), got.begin() + read, file.begin() + static_cast<std::ptrdiff_t>(dataStart)));
            }
            for (int r = 0; r < 256; r += 17) {
                const int c = walk.records.empty() ? index / 2 : walk.records.front().c;
                const int h = walk.records.empty() ? index % 2 : walk.records.front().h;
                const int n = walk.records.empty() ? 1 : walk.records.front().n;
                const auto key = static_cast<std::uint32_t>(c << 24 | h << 16 | r << 8 | n);
                if (first.count(key) == 0) {
                    EXPECT_EQ(image.readSector(index, c, h, r, n, got.data(), 0x10000), 0) << "sector " << r;
                }
            }
        }
    }
}

TEST(WalkAgreementTest, ListingAndSearchesAgreeOnTheSeedImages) {
    const std::filesystem::path corpus = std::filesystem::path(IMGTOOLS_FUZZ_DIR) / "corpus" / "d88_image_fuzz";
    int images = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const Bytes data = readFileBytes(entry.path());
        const Bytes file(data.begin() + static_cast<std::ptrdiff_t>(std::min(data.size(), kD88ImageFuzzControlBytes)),
                         data.end());
        checkImage(file, entry.path().filename().string());
        ++images;
    }
    EXPECT_GT(images, 5);
}

TEST(WalkAgreementTest, ListingAndSearchesAgreeOnCutImages) {
    for (const char* keyword : {"2dbas", "2hdbas"}) {
        TempDir dir;
        ASSERT_EQ(runProgram(IMGMINT_PATH, {keyword}, dir.path()).exitStatus, 0);
        const Bytes whole = readFileBytes(dir.file("NEW.D88"));
        // Cuts through the first records of tracks 0 and 1, then a stride.
        std::vector<std::size_t> cuts;
        for (std::size_t length = 688; length < 688 + 600; length += 7) {
            cuts.push_back(length);
        }
        for (std::size_t length = 688; length < whole.size(); length += 4099) {
            cuts.push_back(length);
        }
        for (const std::size_t length : cuts) {
            checkImage(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)),
                       std::string(keyword) + " cut at " + std::to_string(length));
            if (::testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

}  // namespace
