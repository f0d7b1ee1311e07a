// The builder's own contract, where a run of imgmint cannot reach: limits
// that no small test image shows, and geometries no media type produces.
#include "format/image_builder.h"

#include <gtest/gtest.h>

namespace {

ImageGeometry geometry(std::int32_t tracks, std::int32_t sectors, std::int32_t sizeCode, bool doubleSided = true) {
    ImageGeometry g;
    g.tracks = tracks;
    g.sectors = sectors;
    g.sizeCode = sizeCode;
    g.doubleSided = doubleSided;
    return g;
}

struct LimitCase {
    ImageGeometry geometry;
    GeometryProblem expected;
};

TEST(CheckGeometry, AcceptsTheLimitsAndRefusesOneBeyond) {
    const LimitCase cases[] = {
        {geometry(164, 16, 1), GeometryProblem::None},
        {geometry(165, 16, 1), GeometryProblem::TooManyTracks},
        {geometry(82, 16, 1, false), GeometryProblem::None},
        {geometry(83, 16, 1, false), GeometryProblem::TooManySingleSidedTracks},
        {geometry(0, 0, 0), GeometryProblem::None},
        {geometry(-1, 16, 1), GeometryProblem::NegativeTracks},
        {geometry(1, -1, 1), GeometryProblem::NegativeSectors},
        {geometry(1, 65535, 0), GeometryProblem::None},
        {geometry(1, 65536, 0), GeometryProblem::TooManySectors},
        {geometry(1, 1, 8), GeometryProblem::None},
        {geometry(1, 1, 9), GeometryProblem::SizeCodeOutOfRange},
        {geometry(1, 1, -1), GeometryProblem::SizeCodeOutOfRange},
        // 688 + 164 * 65535 * 144 = 1,547,675,248 still fits a signed 32-bit size...
        {geometry(164, 65535, 0), GeometryProblem::None},
        // ...and 688 + 164 * 65535 * 272 does not.
        {geometry(164, 65535, 1), GeometryProblem::ImageTooLarge},
        // With several faults, the first in this order is reported: too many
        // tracks, negative sectors, negative tracks, N, too many sectors.
        {geometry(165, -1, 9), GeometryProblem::TooManyTracks},
        {geometry(-1, -1, 9), GeometryProblem::NegativeSectors},
        {geometry(-1, 65536, 9), GeometryProblem::NegativeTracks},
        {geometry(1, 65536, 9), GeometryProblem::SizeCodeOutOfRange},
        {geometry(83, 65536, 1, false), GeometryProblem::TooManySectors},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tracks " << c.geometry.tracks << " sectors " << c.geometry.sectors
                                        << " N " << c.geometry.sizeCode);
        EXPECT_EQ(checkGeometry(c.geometry), c.expected);
    }
}

TEST(ImageLength, IsComputedWithoutOverflow) {
    EXPECT_EQ(imageLength(geometry(164, 65535, 8)), 688LL + 164LL * 65535LL * (32768LL + 16LL));
}

TEST(BuildImage, SpecialFirstTrackWithoutTracksIsTheHeaderAlone) {
    ImageGeometry g = geometry(0, 26, 1);
    g.singleDensityFirstTrack = true;
    g.mediaCode = 0x20;
    ASSERT_EQ(checkGeometry(g), GeometryProblem::None);
    ImageBuffer image;
    ASSERT_TRUE(buildImage(g, image));
    ASSERT_EQ(image.length, 688u);
    EXPECT_EQ(image.bytes[0x1B], 0x20);
    EXPECT_EQ(image.bytes[0x1C], 688 & 0xFF);
    EXPECT_EQ(image.bytes[0x1D], 688 >> 8);
    for (std::size_t at = 0x20; at < 688; ++at) {
        ASSERT_EQ(image.bytes[at], 0) << "track table byte " << at;
    }
}

}  // namespace
