// imgpoke against the paste model on random images damaged on purpose: the
// fields a reader trusts (counts, data lengths, identities, track entries,
// size fields), the file's end, and plausible records planted inside the disk
// header. The model reads every header afresh at each search, so any place
// where the program's indexing or buffering changes a result shows up as a
// difference in standard output, standard error, the exit status or the
// bytes of the image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "robustness/paste_model.h"
#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

constexpr int kCases = 600;
constexpr std::uint32_t kSeed = 8801;
constexpr std::size_t kDiskHeader = kFixtureDiskHeaderSize;
constexpr std::size_t kRecordHeader = kFixtureRecordHeaderSize;

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    int below(int bound) { return between(0, bound - 1); }
    bool chance(double probability) { return std::uniform_real_distribution<double>(0, 1)(engine_) < probability; }
    template <typename T>
    T pick(std::initializer_list<T> values) {
        return values.begin()[below(static_cast<int>(values.size()))];
    }
    template <typename T>
    void shuffle(std::vector<T>& values) {
        std::shuffle(values.begin(), values.end(), engine_);
    }

private:
    std::mt19937 engine_;
};

void storeLE32Signed(Bytes& bytes, std::size_t at, std::int64_t value) {
    storeLE32(bytes, at, static_cast<std::uint32_t>(value));
}

// A formatted disk of a few tracks: random sector counts, size codes, orders
// and gaps in the numbering; odd track indexes stay absent when single-sided.
FixtureDisk soundDisk(Random& random, bool doubleSided) {
    FixtureDisk disk;
    disk.mediaCode = 0x10;
    const int tracks = random.between(2, 6);
    for (int t = 0; t < tracks; ++t) {
        const int index = doubleSided ? t : 2 * t;
        const int sectors = random.between(1, 12);
        std::vector<int> numbers = sectorRange(1, sectors);
        if (random.chance(0.3)) {
            for (int& number : numbers) {
                number += random.between(0, 3);
            }
        }
        if (random.chance(0.4)) {
            random.shuffle(numbers);
        }
        FixtureTrack track;
        for (const int number : numbers) {
            FixtureRecord record;
            record.cylinder = static_cast<std::uint8_t>(index / 2);
            record.head = static_cast<std::uint8_t>(index % 2);
            record.sectorNumber = static_cast<std::uint8_t>(number & 0xFF);
            record.sizeCode = static_cast<std::uint8_t>(random.chance(0.2) ? random.pick({0, 0, 1, 1, 2}) : 1);
            record.count = static_cast<std::uint16_t>(sectors);
            record.dataLength = static_cast<std::uint16_t>(128 << record.sizeCode);
            record.fill = static_cast<std::uint8_t>(random.below(256));
            track.push_back(record);
        }
        disk.tracks[index] = track;
    }
    return disk;
}

// Record headers of the first disk's tracks as they are laid out: up to 16
// per track, to damage one of them.
std::vector<std::size_t> recordPositions(const FixtureImage& image) {
    std::vector<std::size_t> positions;
    for (const auto& [index, records] : image.disks.front().records) {
        positions.insert(positions.end(), records.begin(), records.begin() + std::min<std::size_t>(16, records.size()));
    }
    return positions;
}

// Random harm to the fields a reader trusts and to the file's end.
void damage(Bytes& image, const std::vector<std::size_t>& records, Random& random) {
    for (int harm = random.between(1, 4); harm > 0; --harm) {
        const auto length = static_cast<std::int64_t>(image.size());
        switch (random.pick({0, 1, 2, 3, 4, 5, 6, 6, 6})) {
            case 6: {  // the count or data length of one record of the first disk
                const std::size_t at = records[static_cast<std::size_t>(random.below(static_cast<int>(records.size())))];
                if (at + kRecordHeader > image.size()) {
                    break;  // cut away by an earlier harm
                }
                if (random.chance(0.6)) {
                    storeLE16(image, at + 4, static_cast<std::uint32_t>(random.pick({0, 0, 1, 2, 3, 65535})));
                } else {
                    storeLE16(image, at + 14, static_cast<std::uint32_t>(random.pick({0, 16, 100, 300, 1024})));
                }
                break;
            }
            case 0:  // any two bytes as a count or a data length
                if (image.size() > kDiskHeader + kRecordHeader) {
                    const auto at = static_cast<std::size_t>(random.between(kDiskHeader, static_cast<int>(length) - 3));
                    storeLE16(image, at, static_cast<std::uint32_t>(random.pick({0, 1, 2, 3, 65535, random.below(65536)})));
                }
                break;
            case 1:  // a track entry
                storeLE32Signed(image, 0x20 + 4 * static_cast<std::size_t>(random.below(164)),
                                random.pick<std::int64_t>({0, -1, 1, 100, kDiskHeader, length, length + 1,
                                                           random.between(0, static_cast<int>(length))}));
                break;
            case 2:  // the size field
                storeLE32Signed(image, 0x1C,
                                random.pick<std::int64_t>({0, 100, kDiskHeader, length - 1, length * 2, 0x7FFFFFFF,
                                                           -static_cast<std::int64_t>(kDiskHeader)}));
                break;
            case 3:  // cut the file
                if (image.size() > kDiskHeader + 100) {
                    image.resize(static_cast<std::size_t>(random.between(kDiskHeader, static_cast<int>(length) - 1)));
                }
                break;
            case 4:  // any byte
                if (image.size() > kDiskHeader) {
                    image[static_cast<std::size_t>(random.between(kDiskHeader, static_cast<int>(length) - 1))] =
                        static_cast<std::uint8_t>(random.below(256));
                }
                break;
            case 5: {  // a plausible record inside the header, over unused table entries
                const std::size_t at = random.pick<std::size_t>({0x20 + 4 * 140, kDiskHeader - kRecordHeader - 8});
                std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at), kRecordHeader, 0);
                image[at + 2] = static_cast<std::uint8_t>(random.between(1, 4));
                image[at + 3] = 1;
                storeLE16(image, at + 4, static_cast<std::uint32_t>(random.pick({1, 2, 9})));
                storeLE16(image, at + 14, static_cast<std::uint32_t>(random.pick({256, 64, 4000})));
                storeLE32(image, 0x20, static_cast<std::uint32_t>(at));
                break;
            }
            default:
                break;
        }
    }
}

struct DifferentialCase {
    Bytes image;
    Bytes source;
    PasteCase paste;
};

// Mostly a run that can start: the disk's own mode, a disk and track that
// exist, a sector near the track's numbers or one the track lists.
DifferentialCase makeCase(Random& random) {
    const bool doubleSided = random.chance(0.7);
    const int count = random.pick({1, 1, 2, 3});
    std::vector<FixtureDisk> disks;
    for (int d = 0; d < count; ++d) {
        disks.push_back(soundDisk(random, doubleSided));
    }
    const FixtureImage built = buildFixtureImage(disks);
    DifferentialCase made{built.bytes, {}, {}};
    if (random.chance(0.85)) {
        damage(made.image, recordPositions(built), random);
    }
    PasteCase& paste = made.paste;
    paste.singleSided = random.chance(0.9) ? !doubleSided : doubleSided;
    paste.disk = random.chance(0.9) ? random.below(count) : random.pick({-1, count, 64});
    paste.track = random.chance(0.9) ? random.below(4) : random.pick({70, 90, 163, 164, -1});
    paste.sectorNumber = random.chance(0.9) ? random.between(1, 10) : random.pick({0, 14, 255, 256});
    // The start track's listed numbers, read by the model's own first checks:
    // a run refused before the sector check lists none.
    if (random.chance(0.7)) {
        const std::vector<int> listed = listedSectorNumbers(made.image, paste);
        if (!listed.empty()) {
            paste.sectorNumber = listed[static_cast<std::size_t>(random.below(static_cast<int>(listed.size())))];
        }
    }
    const int length = random.pick({0, 1, 100, 300, 1000, 3000, 9000});
    made.source = patternBytes(static_cast<std::size_t>(length), static_cast<std::uint8_t>(random.below(256)));
    return made;
}

TEST(PasteDifferentialTest, DamagedImagesGiveTheModelsOutputAndBytes) {
    Random random(kSeed);
    TempDir dir;
    const std::string imagePath = dir.file("image.d88").string();
    const std::string sourcePath = dir.file("source.bin").string();
    int pasted = 0;
    int refusedOrShort = 0;
    for (int number = 0; number < kCases; ++number) {
        const DifferentialCase made = makeCase(random);
        const PastePrediction expected = predictPaste(made.image, made.source, made.paste);
        writeFileBytes(imagePath, made.image);
        writeFileBytes(sourcePath, made.source);
        const ProgramResult run = runProgram(IMGPOKE_PATH, pasteArguments(made.paste, imagePath, sourcePath), dir.path());
        SCOPED_TRACE("case " + std::to_string(number) + ": disk " + std::to_string(made.paste.disk) + " track " +
                     std::to_string(made.paste.track) + " sector " + std::to_string(made.paste.sectorNumber) +
                     (made.paste.singleSided ? " -s" : "") + ", " + std::to_string(made.source.size()) + " bytes");
        EXPECT_EQ(run.exitStatus, expected.exitStatus);
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, expected.err);
        EXPECT_TRUE(readFileBytes(imagePath) == expected.image) << "image bytes differ";
        if (HasFailure()) {
            writeFileBytes("differential-case-" + std::to_string(number) + ".d88", made.image);
            return;  // the image is kept in the working directory; one case's report is enough
        }
        ++(expected.exitStatus == 0 ? pasted : refusedOrShort);
    }
    // Both endings must be common, or the comparison says little.
    EXPECT_GT(pasted, kCases / 5);
    EXPECT_GT(refusedOrShort, kCases / 5);
}

}  // namespace
