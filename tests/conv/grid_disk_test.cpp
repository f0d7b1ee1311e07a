// The disk a plain sector image becomes, written as D88, is byte for byte
// the image the formatter builds for that geometry: for every preset with
// sectors and for generic geometries of both sides and several sizes.
#include <gtest/gtest.h>

#include <vector>

#include "conv/d88_writer.h"
#include "conv/grid_disk.h"
#include "format/image_builder.h"
#include "format/media_presets.h"

namespace {

std::vector<ImageGeometry> geometries() {
    std::vector<ImageGeometry> all;
    for (const MediaPreset& preset : mediaPresets()) {
        if (preset.generic) {
            all.push_back(genericGeometry(preset, 5, 2, 6, 0xA7));
            all.push_back(genericGeometry(preset, 1, 8, 3, 0xA7));
            all.push_back(genericGeometry(preset, 300, 0, 2, 0xA7));  // sector numbers past 255 wrap
        } else if (preset.sectors > 0) {
            all.push_back(fixedGeometry(preset, 0xA7));
        }
    }
    return all;
}

TEST(GridDisk, WrittenAsD88IsTheFormattersImage) {
    for (const ImageGeometry& geometry : geometries()) {
        SCOPED_TRACE(testing::Message() << "media " << int{geometry.mediaCode} << " tracks " << geometry.tracks
                                        << " sectors " << geometry.sectors << " N " << geometry.sizeCode
                                        << (geometry.doubleSided ? " double" : " single") << "-sided");
        ImageBuffer built;
        ASSERT_TRUE(buildImage(geometry, built));
        const std::int64_t dataSize = gridDataSize(geometry);
        const std::vector<std::uint8_t> data(static_cast<std::size_t>(dataSize), 0xA7);
        const DiskModel disk = gridDisk(geometry, data.data());
        MemorySink written;
        Refusal refusal;
        ASSERT_TRUE(writeD88Image(disk, written, refusal));
        ASSERT_EQ(written.bytes.size(), built.length);
        EXPECT_TRUE(std::equal(written.bytes.begin(), written.bytes.end(), built.bytes.get()));
        // The data are all that the records hold besides their headers.
        const std::int64_t records = static_cast<std::int64_t>(geometry.tracks) * geometry.sectors;
        EXPECT_EQ(dataSize, static_cast<std::int64_t>(built.length) - 688 - 16 * records);
    }
}

TEST(D88Writer, RefusesWhatItsFieldsCannotHold) {
    DiskModel disk;
    ModelSector sector;
    sector.data = disk.keep(std::vector<std::uint8_t>(70000, 0));
    sector.dataLength = 70000;
    disk.tracks[5].push_back(sector);
    MemorySink out;
    Refusal refusal;
    EXPECT_FALSE(writeD88Image(disk, out, refusal));
    EXPECT_EQ(refusal.problem, Problem::D88TrackTooLarge);
    EXPECT_EQ(refusal.track, 5);
    EXPECT_TRUE(out.bytes.empty());
}

}  // namespace
