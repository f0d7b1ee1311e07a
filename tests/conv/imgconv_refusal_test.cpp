// Every refusal imgconv makes, each on a small input built for it: one line
// on standard error naming the reason (and the first offending track),
// status 1, nothing on standard output, no output file and no temporary
// file left behind, and an existing output file left as it was.
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "conv_fixture.h"
#include "conv_images.h"

namespace {

using InputFiles = std::vector<std::pair<std::string, Bytes>>;

struct RefusalCase {
    std::string name;
    std::function<InputFiles()> inputs;
    std::vector<std::string> arguments;
    std::string output;  // the OUTPUT operand
    std::string message;
};

void PrintTo(const RefusalCase& value, std::ostream* out) { *out << value.name; }

// A D88 input, in.d88, converted to out.img (raw) unless told otherwise.
RefusalCase d88Case(std::string name, std::function<Bytes()> image, std::string message,
                    std::string output = "out.img", std::vector<std::string> options = {}) {
    std::vector<std::string> arguments = std::move(options);
    arguments.push_back("in.d88");
    arguments.push_back(output);
    return {std::move(name), [image]() { return InputFiles{{"in.d88", image()}}; }, arguments, output,
            std::move(message)};
}

RefusalCase inputCase(std::string name, std::string input, std::function<Bytes()> bytes, std::string message,
                      std::vector<std::string> options = {}, std::string output = "out.d88") {
    std::vector<std::string> arguments = std::move(options);
    arguments.push_back(input);
    arguments.push_back(output);
    return {std::move(name), [input, bytes]() { return InputFiles{{input, bytes()}}; }, arguments, output,
            std::move(message)};
}

FixtureDisk gridWith(const std::function<void(FixtureDisk&)>& change) {
    FixtureDisk disk = smallGrid();
    change(disk);
    return disk;
}

Bytes gridImage(const std::function<void(FixtureDisk&)>& change) { return d88Image(gridWith(change)); }

const std::string kMediaHelp = "(セクタのある imgmint の種類か, 2d/2dd/2hd/1d/1dd,セクタ数,N[,トラック数])\n";

std::vector<RefusalCase> flattenCases() {
    return {
        d88Case("SectorNumberTwice", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[1] = fixtureTrack(0, 1, {1, 2, 2, 4}, 1); }); },
                "トラック 1: セクタ番号 2 が2つあります.\n"),
        d88Case("SectorNumbersWithAGap", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[2] = fixtureTrack(1, 0, {1, 2, 3, 5}, 1); }); },
                "トラック 2: セクタ番号が連続していません.(1 から 5 に 4 個)\n"),
        d88Case("SectorCountDiffers", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[1] = fixtureTrack(0, 1, sectorRange(1, 5), 1); }); },
                "トラック 1: セクタ数 5 が最初のトラックの 4 と違います.\n"),
        d88Case("FirstSectorDiffers", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[3] = fixtureTrack(1, 1, sectorRange(2, 5), 1); }); },
                "トラック 3: 最初のセクタ番号 2 が最初のトラックの 1 と違います.\n"),
        d88Case("DataLengthNotOfSizeCode", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[2][2].dataLength = 200; }); },
                "トラック 2: セクタ 3 のデータ長 200 byte が N=1 の長さと違います.\n"),
        d88Case("SectorSizeDiffersBetweenTracks", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[3] = fixtureTrack(1, 1, sectorRange(1, 4), 2); }); },
                "トラック 3: セクタ 1 の長さ 512 byte がほかのセクタの 256 byte と違います.\n"),
        d88Case("SectorSizeDiffersInsideTrack", [] { return gridImage([](FixtureDisk& d) {
                    d.tracks[0][1].sizeCode = 2;
                    d.tracks[0][1].dataLength = 512; }); },
                "トラック 0: セクタ 2 の長さ 512 byte がほかのセクタの 256 byte と違います.\n"),
        d88Case("SingleDensitySector", [] { return withRecordByte(smallGrid(), 2, 0, kDensityByte, 0x40); },
                "トラック 2: セクタ 1 の密度 0x40 は倍密度ではありません.\n"),
        d88Case("DeletedDataMark", [] { return withRecordByte(smallGrid(), 1, 2, kDeletedMarkByte, 0x10); },
                "トラック 1: セクタ 3 に削除データマークがあります.\n"),
        d88Case("ErrorStatus", [] { return withRecordByte(smallGrid(), 3, 3, kStatusByte, 0xB0); },
                "トラック 3: セクタ 4 にエラー状態 0xB0 があります.\n"),
        d88Case("CylinderNotTheTracks", [] { return gridImage([](FixtureDisk& d) { d.tracks[2][1].cylinder = 7; }); },
                "トラック 2: セクタ 2 の C=7 H=0 がトラックと合いません.\n"),
        d88Case("HeadNotTheTracks", [] { return gridImage([](FixtureDisk& d) { d.tracks[1][0].head = 0; }); },
                "トラック 1: セクタ 1 の C=0 H=0 がトラックと合いません.\n"),
        d88Case("AbsentTrackBetweenPresentOnes", [] { return gridImage([](FixtureDisk& d) { d.tracks.erase(2); }); },
                "トラック 2 がありません(後のトラックはあります).\n"),
        d88Case("AbsentFirstTrack", [] { return gridImage([](FixtureDisk& d) { d.tracks.erase(0); }); },
                "トラック 0 がありません(後のトラックはあります).\n"),
        d88Case("AbsentCylinderOfSingleSidedDisk", [] {
                    FixtureDisk disk = uniformDisk(3, 4, 1, false);
                    disk.tracks.erase(2);
                    return d88Image(disk); },
                "トラック 2 がありません(後のトラックはあります).\n"),
        d88Case("NoTracks", [] { return d88Image(FixtureDisk{}); }, "変換するトラックがありません.\n"),
        // Track 1's fault is reported, though track 3 has one too.
        d88Case("FirstOffendingTrackIsNamed", [] {
                    FixtureDisk disk = smallGrid();
                    disk.tracks[3] = fixtureTrack(1, 1, {1, 2, 4, 5}, 1);
                    return withRecordByte(disk, 1, 0, kStatusByte, 0xA0); },
                "トラック 1: セクタ 1 にエラー状態 0xA0 があります.\n"),
        // A single-density first track is allowed only before tracks of 26 x 256 bytes.
        d88Case("SingleDensityFirstTrackBeforeOtherSectors", [] {
                    FixtureDisk disk;
                    disk.tracks[0] = fixtureTrack(0, 0, sectorRange(1, 26), 0);
                    disk.tracks[1] = fixtureTrack(0, 1, sectorRange(1, 26), 2);
                    FixtureImage image = buildFixtureImage({disk});
                    for (std::size_t position = 0; position < 26; ++position) {
                        image.bytes.at(image.disks[0].recordOffset(0, position) + kDensityByte) = 0x40;
                    }
                    return image.bytes; },
                "トラック 0: セクタ 1 の密度 0x40 は倍密度ではありません.\n"),
    };
}

std::vector<RefusalCase> d88ReadingCases() {
    return {
        d88Case("TrackEntryBeyondTheDisk", [] { return gridImage([](FixtureDisk& d) {
                    d.entryOverrides[2] = 0x7FFFFFF0; }); },
                "トラック 2: トラックテーブルの値 2147483632 がディスクのデータ領域の外を指しています.\n"),
        d88Case("TrackEntryInsideTheHeader", [] { return gridImage([](FixtureDisk& d) {
                    d.entryOverrides[1] = 0x100; }); },
                "トラック 1: トラックテーブルの値 256 がディスクのデータ領域の外を指しています.\n"),
        d88Case("NegativeTrackEntry", [] { return gridImage([](FixtureDisk& d) { d.entryOverrides[3] = -16; }); },
                "トラック 3: トラックテーブルの値 -16 がディスクのデータ領域の外を指しています.\n"),
        d88Case("RecordPastTheDiskSize", [] { return gridImage([](FixtureDisk& d) {
                    d.sizeOverride = 688 + 4 * 4 * 272 - 100; }); },
                "トラック 3: レコードがディスクかファイルの終わりを越えています.\n"),
        d88Case("FileEndsInsideATrack", [] {
                    Bytes image = d88Image(smallGrid());
                    image.resize(image.size() - 100);
                    return image; },
                "トラック 3: レコードがディスクかファイルの終わりを越えています.\n"),
        d88Case("ZeroSectorCount", [] { return gridImage([](FixtureDisk& d) { d.tracks[2][0].count = 0; }); },
                "トラック 2: 最初のレコードのセクタ数が0です.\n"),
        d88Case("SectorCountsDisagree", [] { return gridImage([](FixtureDisk& d) { d.tracks[1][2].count = 7; }); },
                "トラック 1: レコードのセクタ数 7 が最初のレコードの 4 と違います.\n"),
        d88Case("TracksShareRecords", [] { return gridImage([](FixtureDisk& d) {
                    d.entryOverrides[3] = 688 + 2 * 4 * 272; }); },
                "トラック 3: レコードがトラック 2 のレコードと重なっています.\n"),
        d88Case("NoSuchDisk", [] { return d88Image(smallGrid()); }, "指定のディスクがありません.\n", "out.img",
                {"--disk", "1"}),
        d88Case("NotAD88File", [] { return Bytes(100, 0x41); }, "指定のディスクがありません.\n"),
    };
}

std::vector<RefusalCase> fdiWritingCases() {
    return {
        d88Case("FdiCannotHoldTheSingleDensityFirstTrack", [] { return n88Image(4); },
                "FDIにはセクタ長の違う最初のトラック(単密度 128 byte)を入れられません.\n", "out.fdi"),
        d88Case("FdiCannotHoldHalfACylinder", [] { return d88Image(uniformDisk(3, 4, 1, true)); },
                "FDIには片面だけのシリンダを入れられません.(トラック 2)\n", "out.fdi"),
        d88Case("FdiHasNoTypeForTheMediaCode", [] { return gridImage([](FixtureDisk& d) { d.mediaCode = 0x50; }); },
                "媒体コード 0x50 に合うFDIのFDDタイプがありません.\n", "out.fdi"),
    };
}

std::vector<RefusalCase> rawReadingCases() {
    const auto bytes = [](std::size_t size) { return [size] { return Bytes(size, 0x3C); }; };
    return {
        inputCase("SizeOfNoGeometry", "in.img", bytes(1000),
                  "入力のサイズ 1000 byte に合う形状がありません.(扱えるサイズ: 143360 (1dbas/1dbas80); "
                  "163840 (1dbas66); 327680 (2dbas, 1ddbas/1ddbas66); 655360 (2ddbas, 2dddos/2dddos6); "
                  "737280 (2dddos9); 1021696 (2hdbas); 1061632 (2hdbas88); 1228800 (2hcdos); 1261568 (2hddos); "
                  "1474560 (2hddos144))\n"),
        inputCase("SizeOfTwoGeometries327680", "in.img", bytes(327680),
                  "入力のサイズ 327680 byte に合う形状が複数あります: 2dbas, 1ddbas/1ddbas66. --media で指定してください.\n"),
        inputCase("SizeOfTwoGeometries655360", "in.ima", bytes(655360),
                  "入力のサイズ 655360 byte に合う形状が複数あります: 2ddbas, 2dddos/2dddos6. --media で指定してください.\n"),
        inputCase("ExtensionLayoutOfAnotherSize", "in.HDM", bytes(1228800),
                  "2hddos の形状は 1261568 byte ですが, 入力は 1228800 byte です.\n"),
        inputCase("MediaOfAnotherSize", "in.img", bytes(1000),
                  "2hd,26,1 の形状は 1025024 byte ですが, 入力は 1000 byte です.\n", {"--media", "2hd,26,1"}),
        inputCase("MediaUnknownKeyword", "in.img", bytes(1000), "媒体の指定 3hd は使えません." + kMediaHelp,
                  {"--media", "3hd"}),
        inputCase("MediaWithoutSectors", "in.img", bytes(1000), "媒体の指定 2hdblank は使えません." + kMediaHelp,
                  {"--media", "2hdblank"}),
        inputCase("MediaPresetWithNumbers", "in.img", bytes(1000), "媒体の指定 2dbas,16,1 は使えません." + kMediaHelp,
                  {"--media", "2dbas,16,1"}),
        inputCase("MediaNumberNotANumber", "in.img", bytes(1000), "媒体の指定 2d,16x,1 は使えません." + kMediaHelp,
                  {"--media", "2d,16x,1"}),
        inputCase("MediaTooManyFields", "in.img", bytes(1000), "媒体の指定 2d,16,1,80,0 は使えません." + kMediaHelp,
                  {"--media", "2d,16,1,80,0"}),
        inputCase("MediaZeroSectors", "in.img", bytes(1000), "媒体の指定 2d,0,1 は使えません." + kMediaHelp,
                  {"--media", "2d,0,1"}),
        inputCase("MediaGenericWithoutNumbers", "in.img", bytes(1000),
                  "トラック数/セクタ数/セクタサイズも指定してください.\n", {"--media", "2dd"}),
        inputCase("MediaSizeCodeOutOfRange", "in.img", bytes(1000), "セクタサイズ(N)は0から8で指定してください.\n",
                  {"--media", "2d,16,9"}),
        inputCase("MediaTooManyTracks", "in.img", bytes(1000), "トラック数は164以下で指定してください.\n",
                  {"--media", "2d,16,1,165"}),
        inputCase("MediaTooManySingleSidedTracks", "in.img", bytes(1000), "片面のトラック数は82以下で指定してください.\n",
                  {"--media", "1d,16,1,83"}),
    };
}

std::vector<RefusalCase> fdiReadingCases() {
    return {
        inputCase("FdiShorterThanItsFields", "in.fdi", [] { return Bytes(20, 0); },
                  "FDIヘッダが短すぎます.(20 byte)\n"),
        inputCase("FdiHeaderSizeBelowItsFields", "in.fdi", [] {
                      Bytes file = fdiFile(0x90, 32, 1024, 256, 2, 1, 2, 1024);
                      storeLE32(file, 8, 16);
                      return file; },
                  "FDIヘッダが短すぎます.(16 byte)\n"),
        inputCase("FdiSizesDisagreeWithTheFile", "in.fdi", [] { return fdiFile(0x90, 4096, 1000, 256, 2, 1, 2, 999); },
                  "FDIヘッダのヘッダサイズ 4096 byte とデータサイズ 1000 byte の和がファイルサイズ 5095 byte と違います.\n"),
        inputCase("FdiSectorLengthNotAPowerOfTwo", "in.fdi",
                  [] { return fdiFile(0x90, 4096, 300 * 8 * 2 * 77, 300, 8, 2, 77, 300 * 8 * 2 * 77); },
                  "FDIヘッダの形状は扱えません.(セクタ長 300, セクタ数 8, ヘッド数 2, シリンダ数 77)\n"),
        inputCase("FdiThreeHeads", "in.fdi", [] { return fdiFile(0x90, 4096, 3072, 256, 4, 3, 1, 3072); },
                  "FDIヘッダの形状は扱えません.(セクタ長 256, セクタ数 4, ヘッド数 3, シリンダ数 1)\n"),
        inputCase("FdiTooManyCylinders", "in.fdi",
                  [] { return fdiFile(0x90, 4096, 2 * 83 * 256, 256, 1, 2, 83, 2 * 83 * 256); },
                  "FDIヘッダの形状は扱えません.(セクタ長 256, セクタ数 1, ヘッド数 2, シリンダ数 83)\n"),
        inputCase("FdiGeometryDisagreesWithTheDataSize", "in.fdi",
                  [] { return fdiFile(0x90, 4096, 1024, 256, 4, 1, 2, 1024); },
                  "FDIヘッダの形状のデータは 2048 byte ですが, データサイズは 1024 byte です.\n"),
        inputCase("FdiUnknownDriveType", "in.fdi", [] { return fdiFile(0x05, 4096, 4096, 256, 4, 2, 2, 4096); },
                  "FDIヘッダのFDDタイプ 0x05 は不明です.\n"),
    };
}

std::vector<RefusalCase> commandLineCases() {
    const auto grid = [] { return d88Image(smallGrid()); };
    return {
        d88Case("UnknownOption", grid, "不明なオプションです: -x\n", "out.img", {"-x"}),
        d88Case("UnknownLongOption", grid, "不明なオプションです: --format=raw\n", "out.img", {"--format=raw"}),
        {"OptionWithoutItsValue", [grid] { return InputFiles{{"in.d88", grid()}}; }, {"in.d88", "out.img", "--to"},
         "out.img", "オプション --to には値を指定してください.\n"},
        d88Case("UnknownFormat", grid, "形式 dsk は扱えません.(d88, raw, fdi のどれかを指定してください)\n", "out.img",
                {"--to", "dsk"}),
        d88Case("NegativeDiskNumber", grid, "ディスク番号 -1 が正しくありません.\n", "out.img", {"--disk", "-1"}),
        d88Case("DiskNumberNotANumber", grid, "ディスク番号 1a が正しくありません.\n", "out.img", {"--disk=1a"}),
        d88Case("MediaForAD88Input", grid, "--media は raw の入力にだけ指定できます.\n", "out.img",
                {"--media", "2dbas"}),
        inputCase("DiskForARawInput", "in.2d", [] { return Bytes(327680, 0); },
                  "--disk は D88 の入力にだけ指定できます.\n", {"--disk", "0"}),
        {"InputMissing", [] { return InputFiles{}; }, {"gone.d88", "out.img"}, "out.img",
         "入力ファイル gone.d88 をオープンできません.\n"},
        {"InputIsADirectory", [] { return InputFiles{}; }, {".", "out.img"}, "out.img",
         "入力ファイル . をオープンできません.\n"},
        d88Case("OutputDirectoryMissing", grid, "出力ファイル nowhere/out.img を作成できません.\n", "nowhere/out.img"),
    };
}

std::vector<RefusalCase> allCases() {
    std::vector<RefusalCase> cases;
    for (auto group : {flattenCases(), d88ReadingCases(), fdiWritingCases(), rawReadingCases(), fdiReadingCases(),
                       commandLineCases()}) {
        cases.insert(cases.end(), group.begin(), group.end());
    }
    return cases;
}

class ImgconvRefusal : public ImgconvTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ImgconvRefusal, PrintsTheReasonAndLeavesNoFile) {
    const RefusalCase& refusal = GetParam();
    for (const auto& [name, bytes] : refusal.inputs()) {
        write(name, bytes);
    }
    const std::vector<std::string> inputsOnly = listing();

    const ProgramResult result = conv(refusal.arguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, refusal.message);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(listing(), inputsOnly) << "no output and no temporary file may be left";
}

// The cases whose output can exist beforehand (its directory does).
std::vector<RefusalCase> casesWithAnOutputDirectory() {
    std::vector<RefusalCase> cases;
    for (const RefusalCase& refusal : allCases()) {
        if (refusal.output.find('/') == std::string::npos) {
            cases.push_back(refusal);
        }
    }
    return cases;
}

class ImgconvRefusalOverExistingOutput : public ImgconvRefusal {};

TEST_P(ImgconvRefusalOverExistingOutput, LeavesItAsItWas) {
    const RefusalCase& refusal = GetParam();
    for (const auto& [name, bytes] : refusal.inputs()) {
        write(name, bytes);
    }
    const Bytes existing = patternBytes(1234, 0x42);
    write(refusal.output, existing);
    const std::vector<std::string> before = listing();

    const ProgramResult result = conv(refusal.arguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, refusal.message);
    EXPECT_TRUE(read(refusal.output) == existing);
    EXPECT_EQ(listing(), before);
}

const auto kCaseName = [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(EveryRefusal, ImgconvRefusal, ::testing::ValuesIn(allCases()), kCaseName);
INSTANTIATE_TEST_SUITE_P(EveryRefusal, ImgconvRefusalOverExistingOutput,
                         ::testing::ValuesIn(casesWithAnOutputDirectory()), kCaseName);

TEST_F(ImgconvTest, KeepExistingRefusesAnExistingOutputAndWritesANewOne) {
    write("in.d88", d88Image(smallGrid()));
    const Bytes existing = patternBytes(100, 1);
    write("out.img", existing);
    const ProgramResult refused = conv({"-n", "in.d88", "out.img"});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_EQ(refused.err, "出力ファイル out.img は既にあります.\n");
    EXPECT_TRUE(read("out.img") == existing);

    const ProgramResult written = conv({"in.d88", "new.img", "-n"});
    EXPECT_EQ(written.exitStatus, 0) << written.err;
    EXPECT_EQ(read("new.img").size(), 4u * 4u * 256u);
}

}  // namespace
