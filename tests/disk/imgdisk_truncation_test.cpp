// A file of three disks cut at many lengths (every boundary of a header or a
// disk, and a stride between): split either writes exactly the disks that
// the cut left whole, or names the disk the cut runs through and changes
// nothing. What to expect is worked out here from the disks' places alone.
#include <set>
#include <string>
#include <vector>

#include "imgdisk_fixture.h"

namespace {

constexpr std::size_t kStride = 37;

TEST_F(ImgdiskTest, SplitOfACutFileWritesTheWholeDisksOrChangesNothing) {
    const ThreeDiskFile file;
    std::vector<std::size_t> starts;
    std::size_t offset = 0;
    for (const Bytes& disk : file.disks) {
        starts.push_back(offset);
        offset += disk.size();
    }

    std::set<std::size_t> lengths;
    for (std::size_t length = 0; length <= file.bytes.size(); length += kStride) {
        lengths.insert(length);
    }
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = starts[k] + file.disks[k].size();
        for (const std::size_t boundary : {starts[k] + kFixtureDiskHeaderSize, end}) {
            lengths.insert({boundary - 1, boundary, boundary + 1});
        }
    }

    for (const std::size_t length : lengths) {
        SCOPED_TRACE("cut at " + std::to_string(length));
        put("cut.d88", sliceOf(file.bytes, 0, length));
        // A disk is listed when its whole header is in the file; the first
        // listed disk that does not end inside the file is refused.
        std::size_t listed = 0;
        std::size_t firstCut = starts.size();
        for (std::size_t k = 0; k < starts.size() && starts[k] + kFixtureDiskHeaderSize <= length; ++k) {
            ++listed;
            if (firstCut == starts.size() && starts[k] + file.disks[k].size() > length) {
                firstCut = k;
            }
        }
        if (listed == 0) {
            expectNothingChanged({"split", "cut.d88"}, "D88ファイルにディスクがありません.\n");
        } else if (firstCut < starts.size()) {
            expectNothingChanged({"split", "cut.d88"},
                                 "ディスク " + std::to_string(firstCut) + " がファイルの終わりを越えています.\n");
        } else {
            const ProgramResult run = imgdisk({"split", "cut.d88"});
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_EQ(run.out, std::to_string(listed) + " 枚のディスクを書き出しました.\n");
            for (std::size_t k = 0; k < listed; ++k) {
                const std::string part = "cut-" + std::to_string(k) + ".d88";
                EXPECT_EQ(bytesOf(part), file.disks[k]) << part;
                std::filesystem::remove(dir.file(part));
            }
            EXPECT_EQ(snapshot().size(), 1u);
        }
    }
}

}  // namespace
