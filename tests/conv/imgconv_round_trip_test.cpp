// Round trips through imgconv for every imgmint preset that has sectors:
// D88 -> raw -> D88 gives the image back byte for byte, with the raw image
// holding each sector at its place in cylinder, head, sector order; raw ->
// D88 -> raw and raw -> FDI -> raw give the bytes back.
#include <ostream>
#include <string>
#include <vector>

#include "conv_fixture.h"

namespace {

constexpr std::uint8_t kFill = 0xE5;

struct Preset {
    std::vector<std::string> mint;  // imgmint's arguments before the fill byte
    std::string rawName;            // the extension chooses the layout where one names it
    std::vector<std::string> media; // what the raw image needs to be read back
    std::size_t rawSize;
    int sectors;
    int sectorLength;
    bool doubleSided;
    int firstTrackBytes;  // track 0's bytes in the raw image
    bool fdi;             // FDI can hold it
};

void PrintTo(const Preset& value, std::ostream* out) { *out << value.mint.front(); }

std::vector<std::string> media(const std::string& argument) { return {"--media", argument}; }

// Sizes written out from the geometries: cylinders x heads x sectors x bytes.
const Preset kPresets[] = {
    {{"2d", "4", "1", "8"}, "g.img", media("2d,4,1,8"), 8 * 4 * 256, 4, 256, true, 4 * 256, true},
    {{"2dd", "5", "2", "8"}, "g.img", media("2dd,5,2,8"), 8 * 5 * 512, 5, 512, true, 5 * 512, true},
    {{"2hd", "3", "3", "8"}, "g.img", media("2HD,3,3,8"), 8 * 3 * 1024, 3, 1024, true, 3 * 1024, true},
    {{"1d", "4", "0", "6"}, "g.img", media("1d,4,0,6"), 6 * 4 * 128, 4, 128, false, 4 * 128, true},
    {{"1dd", "2", "1", "6"}, "g.img", media("1dd,0x2,1,6"), 6 * 2 * 256, 2, 256, false, 2 * 256, true},
    {{"2dbas"}, "d.2d", {}, 327680, 16, 256, true, 4096, true},
    {{"2ddbas"}, "d.ddb", {}, 655360, 16, 256, true, 4096, true},
    {{"2hdbas"}, "d.hdb", {}, 1021696, 26, 256, true, 26 * 128, false},
    {{"2hdbas88"}, "d.img", {}, 1061632, 26, 256, true, 26 * 128, false},
    {{"2dddos"}, "d.dd6", {}, 655360, 8, 512, true, 4096, true},
    {{"2dddos6"}, "d.img", media("2dddos6"), 655360, 8, 512, true, 4096, true},
    {{"2dddos9"}, "d.dd9", {}, 737280, 9, 512, true, 4608, true},
    {{"2hddos"}, "d.hdm", {}, 1261568, 8, 1024, true, 8192, true},
    {{"2hcdos"}, "d.hd5", {}, 1228800, 15, 512, true, 7680, true},
    {{"2hddos144"}, "d.hd4", {}, 1474560, 18, 512, true, 9216, true},
    {{"1dbas"}, "d.img", {}, 143360, 16, 256, false, 4096, true},
    {{"1dbas80"}, "d.img", {}, 143360, 16, 256, false, 4096, true},
    {{"1dbas66"}, "d.img", {}, 163840, 16, 256, false, 4096, true},
    {{"1ddbas"}, "d.img", media("1ddbas"), 327680, 16, 256, false, 4096, true},
    {{"1ddbas66"}, "d.img", media("1DDBAS66"), 327680, 16, 256, false, 4096, true},
};

class PresetRoundTrip : public ImgconvTest, public ::testing::WithParamInterface<Preset> {
protected:
    std::vector<std::string> withMedia(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), GetParam().media.begin(), GetParam().media.end());
        return arguments;
    }
};

TEST_P(PresetRoundTrip, D88ToRawPlacesEverySectorAndComesBackIdentical) {
    const Preset& preset = GetParam();
    std::vector<std::string> arguments = preset.mint;
    arguments.push_back("0xE5");
    mint(arguments, "disk.d88");
    // Two and a half sectors from the second-last sector of the second track
    // in raw order: across a track boundary, onto the next head or cylinder.
    const int track = 1;
    const int sector = preset.sectors - 1;
    const Bytes pattern = patternBytes(static_cast<std::size_t>(preset.sectorLength) * 5 / 2, 0x21);
    poke("disk.d88", pattern, track, sector, !preset.doubleSided);
    const Bytes original = read("disk.d88");

    const ProgramResult flattened = conv({"disk.d88", preset.rawName});
    ASSERT_EQ(flattened.exitStatus, 0) << flattened.err;
    EXPECT_EQ(flattened.out, convertedLine("disk.d88", "d88", preset.rawName, "raw", preset.rawSize));
    EXPECT_EQ(flattened.err, "");
    const Bytes raw = read(preset.rawName);
    ASSERT_EQ(raw.size(), preset.rawSize);
    const std::size_t start = static_cast<std::size_t>(preset.firstTrackBytes) +
                              static_cast<std::size_t>(sector - 1) * static_cast<std::size_t>(preset.sectorLength);
    std::size_t misplaced = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const bool inPattern = i >= start && i < start + pattern.size();
        const std::uint8_t expected = inPattern ? pattern[i - start] : kFill;
        if (raw[i] != expected && misplaced++ == 0) {
            ADD_FAILURE() << "raw byte " << i << " is " << int{raw[i]} << ", expected " << int{expected};
        }
    }
    EXPECT_EQ(misplaced, 0u);

    const ProgramResult rebuilt = conv(withMedia({preset.rawName, "back.d88"}));
    ASSERT_EQ(rebuilt.exitStatus, 0) << rebuilt.err;
    EXPECT_EQ(rebuilt.out, convertedLine(preset.rawName, "raw", "back.d88", "d88", original.size()));
    EXPECT_TRUE(read("back.d88") == original) << "the D88 made from the raw image differs from imgmint's";
}

TEST_P(PresetRoundTrip, RawToD88AndFdiAndBackIsTheIdentity) {
    const Preset& preset = GetParam();
    const Bytes raw = patternBytes(preset.rawSize, 0x5A);
    write(preset.rawName, raw);

    ASSERT_EQ(conv(withMedia({preset.rawName, "via.d88"})).exitStatus, 0);
    const ProgramResult back = conv({"via.d88", "back.raw"});
    ASSERT_EQ(back.exitStatus, 0) << back.err;
    EXPECT_TRUE(read("back.raw") == raw) << "raw -> D88 -> raw changed the bytes";

    if (!preset.fdi) {
        return;
    }
    ASSERT_EQ(conv(withMedia({preset.rawName, "via.fdi"})).exitStatus, 0);
    const Bytes fdi = read("via.fdi");
    ASSERT_EQ(fdi.size(), 4096 + raw.size());
    EXPECT_TRUE(Bytes(fdi.begin() + 4096, fdi.end()) == raw) << "the FDI data are not the raw image";
    ASSERT_EQ(conv({"via.fdi", "fdi.raw"}).exitStatus, 0);
    EXPECT_TRUE(read("fdi.raw") == raw) << "raw -> FDI -> raw changed the bytes";
    // The FDI header alone describes the geometry: it makes the same D88.
    ASSERT_EQ(conv({"via.fdi", "fdi.d88"}).exitStatus, 0);
    EXPECT_TRUE(read("fdi.d88") == read("via.d88")) << "FDI -> D88 differs from raw -> D88";
}

INSTANTIATE_TEST_SUITE_P(EveryPresetWithSectors, PresetRoundTrip, ::testing::ValuesIn(kPresets),
                         [](const ::testing::TestParamInfo<Preset>& info) {
                             return info.param.mint.front() + (info.param.mint.size() > 1 ? "_generic" : "");
                         });

}  // namespace
