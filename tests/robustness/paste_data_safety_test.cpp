// Many random pastes into random well-formed images: several disks, double-
// and single-sided layouts, interleaved record orders, mixed size codes, gaps
// in the numbering and absent tracks. After each imgpoke run, no byte that is
// not sector data (disk headers, record headers) may differ, the file keeps
// its length, and the sector data equals what the paste model predicts: the
// run's bytes where the stepping rules put them, and nothing else changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "robustness/paste_model.h"
#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

constexpr int kCases = 300;
constexpr std::uint32_t kSeed = 20240611;

using Random = std::mt19937;

int uniform(Random& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
bool chance(Random& random, int percent) { return uniform(random, 1, 100) <= percent; }

struct RandomDisk {
    FixtureDisk disk;
    bool doubleSided = true;
    int cylinders = 0;
};

FixtureTrack randomTrack(Random& random, std::uint8_t cylinder, std::uint8_t head) {
    const int sectors = uniform(random, 1, 18);
    std::vector<int> numbers = sectorRange(1, sectors + (chance(random, 20) ? 1 : 0));
    if (numbers.size() > static_cast<std::size_t>(sectors)) {
        numbers.erase(numbers.begin() + uniform(random, 0, sectors));  // a gap in the numbering
    }
    if (chance(random, 60)) {
        std::shuffle(numbers.begin(), numbers.end(), random);  // interleaved
    }
    const auto sizeCode = static_cast<std::uint8_t>(uniform(random, 0, 3));
    FixtureTrack track = fixtureTrack(cylinder, head, numbers, sizeCode, static_cast<std::uint8_t>(uniform(random, 0, 255)));
    if (chance(random, 25)) {
        FixtureRecord& odd = track[static_cast<std::size_t>(uniform(random, 0, static_cast<int>(track.size()) - 1))];
        odd.sizeCode = static_cast<std::uint8_t>((sizeCode + uniform(random, 1, 3)) % 4);
        odd.dataLength = static_cast<std::uint16_t>(128u << odd.sizeCode);
    }
    return track;
}

RandomDisk randomDisk(Random& random) {
    RandomDisk made;
    made.doubleSided = chance(random, 50);
    made.cylinders = uniform(random, 1, 4);
    made.disk.mediaCode = static_cast<std::uint8_t>(uniform(random, 0, 2) * 0x10);
    for (int cylinder = 0; cylinder < made.cylinders; ++cylinder) {
        for (int head = 0; head < (made.doubleSided ? 2 : 1); ++head) {
            if (chance(random, 10)) {
                continue;  // an absent track
            }
            const int index = cylinder * 2 + head;
            made.disk.tracks[index] =
                randomTrack(random, static_cast<std::uint8_t>(cylinder), static_cast<std::uint8_t>(head));
        }
    }
    return made;
}

// Whether each file offset holds sector data, from where the builder put
// the records: the test's own knowledge of the layout, not the model's.
std::vector<bool> sectorDataBytes(const std::vector<FixtureDisk>& disks, const FixtureImage& image) {
    std::vector<bool> data(image.bytes.size(), false);
    for (std::size_t d = 0; d < disks.size(); ++d) {
        for (const auto& [index, track] : disks[d].tracks) {
            for (std::size_t i = 0; i < track.size(); ++i) {
                const std::size_t begin = image.disks[d].dataOffset(index, i);
                std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(begin), track[i].dataLength, true);
            }
        }
    }
    return data;
}

TEST(PasteDataSafetyTest, RandomPastesChangeOnlyTheirRunsSectorData) {
    Random random(kSeed);
    TempDir dir;
    const std::string imagePath = dir.file("disk.d88").string();
    const std::string sourcePath = dir.file("src.bin").string();
    int pasted = 0;
    int nothingWritten = 0;
    int shortRuns = 0;
    for (int c = 0; c < kCases; ++c) {
        std::vector<FixtureDisk> disks;
        std::vector<RandomDisk> made;
        const int diskCount = uniform(random, 1, 3);
        for (int d = 0; d < diskCount; ++d) {
            made.push_back(randomDisk(random));
            disks.push_back(made.back().disk);
        }
        const FixtureImage image = buildFixtureImage(disks);

        PasteCase paste;
        paste.disk = chance(random, 5) ? uniform(random, -1, diskCount) : uniform(random, 0, diskCount - 1);
        const RandomDisk& target = made[static_cast<std::size_t>(std::clamp(paste.disk, 0, diskCount - 1))];
        paste.singleSided = chance(random, 85) ? !target.doubleSided : target.doubleSided;
        const int tracks = paste.singleSided ? target.cylinders : target.cylinders * 2;
        paste.track = chance(random, 5) ? uniform(random, -1, 165) : uniform(random, 0, tracks);
        paste.sectorNumber = chance(random, 15) ? uniform(random, 0, 20) : uniform(random, 1, 6);
        const int longest = chance(random, 30) ? 12000 : 2500;
        const auto sourceLength =
            static_cast<std::size_t>(chance(random, 10) ? uniform(random, 0, 40) : uniform(random, 1, longest));
        const Bytes source = patternBytes(sourceLength, static_cast<std::uint8_t>(c));
        const PastePrediction expected = predictPaste(image.bytes, source, paste);

        writeFileBytes(imagePath, image.bytes);
        writeFileBytes(sourcePath, source);
        const ProgramResult run = runProgram(IMGPOKE_PATH, pasteArguments(paste, imagePath, sourcePath), dir.path());
        const Bytes after = readFileBytes(imagePath);

        SCOPED_TRACE("case " + std::to_string(c) + ": imgpoke" + (paste.singleSided ? " -s" : "") + " disk " +
                     std::to_string(paste.disk) + " track " + std::to_string(paste.track) + " sector " +
                     std::to_string(paste.sectorNumber) + ", " + std::to_string(sourceLength) + " bytes");
        EXPECT_EQ(run.exitStatus, expected.exitStatus);
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, expected.err);
        ASSERT_EQ(after.size(), image.bytes.size());
        const std::vector<bool> sectorData = sectorDataBytes(disks, image);
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (!sectorData[i] && after[i] != image.bytes[i]) {
                ADD_FAILURE() << "byte " << i << " outside sector data changed";
                break;
            }
        }
        EXPECT_TRUE(after == expected.image) << "sector data other than predicted";
        if (HasFailure()) {
            return;  // one case's report is enough to go on
        }
        if (expected.exitStatus == 0) {
            ++pasted;
        } else if (expected.image == image.bytes) {
            ++nothingWritten;
        } else {
            ++shortRuns;
        }
    }
    // The generator must reach every kind of ending, or the property says little.
    EXPECT_GT(pasted, kCases / 4);
    EXPECT_GT(nothingWritten, 10);
    EXPECT_GT(shortRuns, 10);
    std::printf("%d pasted, %d with nothing written, %d short\n", pasted, nothingWritten, shortRuns);
}

}  // namespace
