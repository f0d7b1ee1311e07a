// imgmint's images cut at every length through the disk headers and their
// first records, and at a stride beyond, with imgpoke pasting into the disk
// that the cut falls in. Every run must end with the message and exit status
// the paste model predicts for that cut, and leave the file exactly as the
// model says: only the predicted sector data changed, and the length kept
// unless the paste fills a sector that the cut left short, which lengthens
// the file to that sector's end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "robustness/in_process_paste.h"
#include "robustness/paste_model.h"
#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

constexpr std::size_t kSourceLength = 700;
constexpr std::size_t kDiskHeader = kFixtureDiskHeaderSize;
constexpr std::size_t kRecordHeader = kFixtureRecordHeaderSize;
// Dense cuts run through the header and this many records of each disk.
constexpr std::size_t kDenseRecords = 4;
// Beyond them, about this many cuts per image.
constexpr std::size_t kStrideCuts = 120;

struct SweepImage {
    const char* name;
    std::vector<std::vector<std::string>> mints;  // imgmint arguments of each disk, concatenated
    bool singleSided = false;
    int track = 0;
    int sector = 1;
    // Further dense stretches, as [from, to) file offsets.
    std::vector<std::pair<std::size_t, std::size_t>> extraDense;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const SweepImage& value, std::ostream* out) { *out << value.name; }

struct Cut {
    std::size_t length;
    bool dense;
};

class TruncationSweepTest : public ::testing::TestWithParam<SweepImage> {
protected:
    Bytes mintDisks(const SweepImage& sweep) {
        Bytes image;
        for (const std::vector<std::string>& arguments : sweep.mints) {
            const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
            EXPECT_EQ(made.exitStatus, 0) << made.err;
            const Bytes disk = readFileBytes(dir.file("NEW.D88"));
            image.insert(image.end(), disk.begin(), disk.end());
        }
        return image;
    }

    TempDir dir;
};

std::uint32_t le32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Where the disks of a whole image made by imgmint begin, and where the
// first kDenseRecords records of each disk's track 0 end.
struct SweepLayout {
    std::vector<std::size_t> diskOffsets;
    std::vector<std::size_t> denseEnds;
};

SweepLayout layoutOf(const Bytes& image) {
    SweepLayout layout;
    for (std::size_t offset = 0; offset + kDiskHeader <= image.size(); offset += le32(image, offset + 0x1C)) {
        layout.diskOffsets.push_back(offset);
        std::size_t end = offset + le32(image, offset + 0x20);  // track 0, always formatted here
        for (std::size_t i = 0; i < kDenseRecords; ++i) {
            end += kRecordHeader + (image[end + 14] | image[end + 15] << 8);
        }
        layout.denseEnds.push_back(end);
    }
    return layout;
}

// Every length through each disk's header and first records, then a stride
// that falls at a different place in the records each time, and the whole
// file.
std::vector<Cut> cutsOf(const SweepLayout& layout, std::size_t fileLength, const SweepImage& sweep) {
    std::vector<bool> dense(fileLength + 1, false);
    for (std::size_t d = 0; d < layout.diskOffsets.size(); ++d) {
        std::fill(dense.begin() + static_cast<std::ptrdiff_t>(layout.diskOffsets[d]),
                  dense.begin() + static_cast<std::ptrdiff_t>(std::min(layout.denseEnds[d] + 1, dense.size())), true);
    }
    for (const auto& [from, to] : sweep.extraDense) {
        std::fill(dense.begin() + static_cast<std::ptrdiff_t>(from), dense.begin() + static_cast<std::ptrdiff_t>(to),
                  true);
    }
    const std::size_t stride = std::max<std::size_t>(997, fileLength / kStrideCuts) | 1;
    std::vector<Cut> cuts;
    for (std::size_t length = 0; length <= fileLength; ++length) {
        if (dense[length]) {
            cuts.push_back({length, true});
        } else if (length % stride == 0 || length == fileLength) {
            cuts.push_back({length, false});
        }
    }
    return cuts;
}

// The disk a cut falls in: the last one that begins before it.
int diskOfCut(const SweepLayout& layout, std::size_t length) {
    int disk = 0;
    for (std::size_t i = 0; i < layout.diskOffsets.size(); ++i) {
        if (layout.diskOffsets[i] < length) {
            disk = static_cast<int>(i);
        }
    }
    return disk;
}

TEST_P(TruncationSweepTest, EveryCutEndsWithItsMessageAndWritesOnlyItsSectorData) {
    const SweepImage& sweep = GetParam();
    const Bytes whole = mintDisks(sweep);
    ASSERT_FALSE(HasFailure());
    const SweepLayout layout = layoutOf(whole);
    ASSERT_EQ(layout.diskOffsets.size(), sweep.mints.size());

    Bytes source(kSourceLength);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<std::uint8_t>(i % 251 + 1);  // never a fill byte of these images (0)
    }
    writeFileBytes(dir.file("src.bin"), source);
    const std::string imagePath = dir.file("cut.d88").string();
    const std::string sourcePath = dir.file("src.bin").string();

    int programRuns = 0;
    const std::vector<Cut> cuts = cutsOf(layout, whole.size(), sweep);
    for (const Cut& cut : cuts) {
        const Bytes image(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut.length));
        PasteCase paste;
        paste.singleSided = sweep.singleSided;
        paste.disk = diskOfCut(layout, cut.length);
        paste.track = sweep.track;
        paste.sectorNumber = sweep.sector;
        const PastePrediction expected = predictPaste(image, source, paste);
        const Bytes& expectedImage = expected.image;
        const std::vector<std::string> arguments = pasteArguments(paste, imagePath, sourcePath);
        // Dense cuts run in this process; the stride cuts also as the program.
        std::vector<std::pair<const char*, ProgramResult>> runs;
        writeFileBytes(imagePath, image);
        runs.emplace_back("in process", pasteInProcess(arguments));
        const Bytes afterInProcess = readFileBytes(imagePath);
        if (!cut.dense) {
            writeFileBytes(imagePath, image);
            runs.emplace_back("program", runProgram(IMGPOKE_PATH, arguments, dir.path()));
            ++programRuns;
        }
        for (const auto& [how, run] : runs) {
            SCOPED_TRACE(std::string(sweep.name) + " cut at " + std::to_string(cut.length) + ", " + how);
            EXPECT_EQ(run.exitStatus, expected.exitStatus);
            EXPECT_EQ(run.out, expected.out);
            EXPECT_EQ(run.err, expected.err);
        }
        EXPECT_TRUE(afterInProcess == expectedImage) << sweep.name << " cut at " << cut.length << ", in process";
        EXPECT_TRUE(readFileBytes(imagePath) == expectedImage) << sweep.name << " cut at " << cut.length;
        if (HasFailure()) {
            return;  // one cut's report is enough to go on
        }
    }
    EXPECT_GT(programRuns, 0);
    std::printf("%zu cuts, %d of them also run as the program\n", cuts.size(), programRuns);
}

const SweepImage kSweeps[] = {
    {"2dbas", {{"2dbas"}}, false, 0, 1, {}},
    {"2hdbas", {{"2hdbas"}}, false, 0, 1, {}},
    // Sector 15 of cylinder 0 and on into cylinder 1: cuts before record 15
    // leave the sector beyond the listed ones.
    {"1dbas", {{"1dbas"}}, true, 0, 15, {{kDiskHeader + 13 * 272, kDiskHeader + 18 * 272}}},
    {"two disks", {{"2d", "16", "1", "3"}, {"2dd", "8", "2", "2"}}, false, 0, 1, {}},
    {"three disks", {{"2d", "16", "1", "3"}, {"1d", "16", "1", "2"}, {"2hd", "26", "0", "2"}}, false, 0, 1, {}},
};

INSTANTIATE_TEST_SUITE_P(MintedImages, TruncationSweepTest, ::testing::ValuesIn(kSweeps),
                         [](const ::testing::TestParamInfo<SweepImage>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

}  // namespace
