// Every refusal of a container input (and of a container as output), each
// on a small file built for it: one line on standard error saying what is
// wrong, status 1, nothing on standard output, and nothing left beside the
// input: no output file, no temporary file.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "container_files.h"
#include "conv_fixture.h"

namespace {

struct RefusalCase {
    std::string name;
    std::string input;
    std::function<Bytes()> bytes;
    std::string message;
    std::vector<std::string> options = {};
    std::string output = "out.d88";
};

void PrintTo(const RefusalCase& value, std::ostream* out) { *out << value.name; }

ContainerTracks twoTracks() { return uniformLayout(2, 8, 3); }

Bytes changed(Bytes bytes, const std::function<void(Bytes&)>& change) {
    change(bytes);
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

Bytes extended(Bytes bytes, std::size_t more) {
    bytes.resize(bytes.size() + more, 0);
    return bytes;
}

// A two-track NFD r1 file whose track table entry for track 1 is `entry`.
Bytes nfdR1WithEntry(std::uint32_t entry) {
    return changed(nfdR1File(twoTracks()), [entry](Bytes& b) { storeLE32(b, kNfdR1TrackTable + 4, entry); });
}

const std::vector<RefusalCase> kCases = {
    // Containers are only read.
    {"WritingNfdByName", "in.d88", [] { return Bytes{}; },
     "形式 nfd には書き込めません.(d88, raw, fdi のどれかを指定してください)\n", {"--to", "nfd"}},
    {"WritingDcpByExtension", "in.d88", [] { return Bytes{}; },
     "形式 dcp には書き込めません.(d88, raw, fdi のどれかを指定してください)\n", {}, "out.dcu"},
    // Signatures.
    {"NfdOfAnotherRevision", "in.nfd",
     [] { return changed(nfdR0File(twoTracks()), [](Bytes& b) { b[13] = '2'; }); }, "NFD の識別文字列がありません.\n"},
    {"NfdEmpty", "in.nfd", [] { return Bytes{}; }, "NFD の識別文字列がありません.\n"},
    {"FddOfVersion2", "in.fdd", [] { return changed(fddFile(twoTracks()), [](Bytes& b) { b[3] = '2'; }); },
     "FDD の識別文字列がありません.\n"},
    {"DimWithoutSignature", "in.dim", [] { return changed(dimFile(0, twoTracks()), [](Bytes& b) { b[0xAB] = 'd'; }); },
     "DIM の識別文字列がありません.\n"},
    // Headers cut short.
    {"NfdR0HeaderShort", "in.nfd", [] { return cut(nfdR0File(twoTracks()), 0x200); },
     "NFD: ファイル(512 byte)がヘッダ(68112 byte)より短いです.\n"},
    {"NfdR1HeaderShort", "in.nfd", [] { return cut(nfdR1File(twoTracks()), 0x3BF); },
     "NFD: ファイル(959 byte)がヘッダ(960 byte)より短いです.\n"},
    {"FddHeaderShort", "in.fdd", [] { return cut(fddFile(twoTracks()), 0xC3FB); },
     "FDD: ファイル(50171 byte)がヘッダ(50172 byte)より短いです.\n"},
    {"DcpHeaderShort", "in.dcp", [] { return Bytes(0xA1, 1); }, "DCP: ファイル(161 byte)がヘッダ(162 byte)より短いです.\n"},
    {"DipHeaderShort", "in.dip", [] { return Bytes(16, 0); }, "DIP: ファイル(16 byte)がヘッダ(256 byte)より短いです.\n"},
    {"DimHeaderShort", "in.dim", [] { return cut(dimFile(0, twoTracks()), 0xC0); },
     "DIM: ファイル(192 byte)がヘッダ(256 byte)より短いです.\n"},
    // NFD header sizes.
    {"NfdHeaderSizeBelowItsTable", "in.nfd",
     [] { return changed(nfdR0File(twoTracks()), [](Bytes& b) { storeLE32(b, kNfdHeaderSizeField, 0x10A0F); }); },
     "NFDのヘッダサイズ 68111 byte が正しくありません.(68112 byte からファイルサイズ 84496 byte まで)\n"},
    {"NfdHeaderSizePastTheFile", "in.nfd",
     [] { return changed(nfdR0File(twoTracks()), [](Bytes& b) { storeLE32(b, kNfdHeaderSizeField, 0xFFFFFFFF); }); },
     "NFDのヘッダサイズ 4294967295 byte が正しくありません.(68112 byte からファイルサイズ 84496 byte まで)\n"},
    // NFD r1 track blocks.
    {"NfdTrackBlockInTheTable", "in.nfd", [] { return nfdR1WithEntry(0x200); },
     "トラック 1: NFDのトラック情報の位置 0x200 がヘッダ(1248 byte)の外です.\n"},
    {"NfdTrackBlockPastTheHeader", "in.nfd", [] { return nfdR1WithEntry(0x4D8); },
     "トラック 1: NFDのトラック情報の位置 0x4D8 がヘッダ(1248 byte)の外です.\n"},
    {"NfdTrackEntriesPastTheHeader", "in.nfd",
     [] { return changed(nfdR1File(twoTracks()), [](Bytes& b) { storeLE16(b, 0x3C0 + 0x90 + 2, 1); }); },
     "トラック 1: NFDのトラック情報の位置 0x450 がヘッダ(1248 byte)の外です.\n"},
    // Data that the entries describe and the file does not hold, or the
    // other way round.
    {"NfdR0DataCut", "in.nfd", [] { return cut(nfdR0File(twoTracks()), 0x10A10 + 16 * 1024 - 1); },
     "NFD: ヘッダの示すデータには 16384 byte 以上要りますが, ファイルのデータは 16383 byte です.\n"},
    {"NfdR0DataLeftOver", "in.nfd", [] { return extended(nfdR0File(twoTracks()), 1); },
     "NFD: ヘッダの示すデータは 16384 byte ですが, ファイルのデータは 16385 byte あります.\n"},
    {"NfdR1RetryCopiesMissing", "in.nfd",
     [] {
         ContainerTracks tracks = twoTracks();
         Bytes file = nfdR1File(tracks);
         file[0x3C0 + 16 + 10] = 3;  // track 0, sector 1: three retries, whose copies are not there
         return file;
     },
     "NFD: ヘッダの示すデータには 17408 byte 以上要りますが, ファイルのデータは 16384 byte です.\n"},
    {"NfdR1SpecialReadDataMissing", "in.nfd",
     [] {
         // Track 1's block holds 8 sector entries, then the special-read
         // entry, which is made to declare 256 copies of 4 GiB - 1 bytes.
         Bytes file = nfdR1File(twoTracks(), {{1, {{16, 0}}}});
         const std::size_t special = 0x3C0 + 0x90 + 16 + 8 * 16;
         file[special + 9] = 255;
         storeLE32(file, special + 10, 0xFFFFFFFF);
         return file;
     },
     "NFD: ヘッダの示すデータには 1099511643904 byte 以上要りますが, ファイルのデータは 16400 byte です.\n"},
    {"DcpDataCut", "in.dcp", [] { return cut(dcpFile(0x01, twoTracks()), 0xA2 + 8192 + 100); },
     "DCP: ヘッダの示すデータには 16384 byte 以上要りますが, ファイルのデータは 8292 byte です.\n"},
    {"DcpDataLeftOver", "in.dcp", [] { return extended(dcpFile(0x01, twoTracks()), 8192); },
     "DCP: ヘッダの示すデータは 16384 byte ですが, ファイルのデータは 24576 byte あります.\n"},
    {"DcuAllTracksFlagWithTwoTracks", "in.dcu", [] { return dcpFile(0x01, twoTracks(), true); },
     "DCP: ヘッダの示すデータには 1261568 byte 以上要りますが, ファイルのデータは 16384 byte です.\n"},
    {"DipShort", "in.dip", [] { return cut(dipFile(layout2HD()), 0x100 + 1261567); },
     "DIP: ヘッダの示すデータには 1261568 byte 以上要りますが, ファイルのデータは 1261567 byte です.\n"},
    {"DipLong", "in.dip", [] { return extended(dipFile(layout2HD()), 1024); },
     "DIP: ヘッダの示すデータは 1261568 byte ですが, ファイルのデータは 1262592 byte あります.\n"},
    {"DimFlaggedTrackPastTheEnd", "in.dim",
     [] { return changed(dimFile(0, twoTracks()), [](Bytes& b) { b[1 + 5] = 1; }); },
     "DIM: ヘッダの示すデータには 49152 byte 以上要りますが, ファイルのデータは 16384 byte です.\n"},
    {"DimNotWholeTracks", "in.dim", [] { return extended(dimFile(0, twoTracks()), 100); },
     "DIMのデータ 16484 byte がトラックの長さ 8192 byte の整数倍ではありません.\n"},
    // Media.
    {"DcpUnknownMedia", "in.dcp", [] { return dcpFile(0x07, twoTracks()); }, "DCP: 媒体の種類 0x07 は扱えません.\n"},
    {"Dim2HS", "in.dim", [] { return dimFile(1, uniformLayout(2, 9, 3)); }, "DIM: 媒体の種類 0x01 は扱えません.\n"},
    {"Dim2HDE", "in.dim", [] { return dimFile(3, uniformLayout(2, 9, 3)); }, "DIM: 媒体の種類 0x03 は扱えません.\n"},
    {"DcpTrackPastTheMedia", "in.dcp",
     [] {
         ContainerTracks tracks = twoTracks();
         tracks[154] = tracks[0];
         return dcpFile(0x01, tracks);
     },
     "トラック 154: 媒体のトラック数 154 を越えるトラックが記録されています.\n"},
    {"DimTrackPastTheD88Table", "in.dim",
     [] { return changed(dimFile(0, twoTracks()), [](Bytes& b) { b[1 + 165] = 1; }); },
     "トラック 165: 媒体のトラック数 164 を越えるトラックが記録されています.\n"},
    // Sector entries.
    {"NfdSizeCodeTooLarge", "in.nfd",
     [] { return changed(nfdR0File(twoTracks()), [](Bytes& b) { b[nfdR0Entry(1, 2) + 3] = 9; }); },
     "トラック 1: セクタ 3 の N=9 はD88に入りません.(N は 8 まで)\n"},
    {"FddSizeCodeTooLarge", "in.fdd",
     [] { return changed(fddFile(twoTracks()), [](Bytes& b) { b[fddEntry(0, 7) + 3] = 0xFF; }); },
     "トラック 0: セクタ 8 の N=255 はD88に入りません.(N は 8 まで)\n"},
    {"FddDataInTheHeader", "in.fdd",
     [] { return changed(fddFile(twoTracks()), [](Bytes& b) { storeLE32(b, fddEntry(1, 0) + 8, 0xC3FB); }); },
     "トラック 1: セクタ 1 のデータ位置 0xC3FB がファイル(66556 byte)のデータ領域の外です.\n"},
    {"FddDataPastTheEnd", "in.fdd",
     [] { return changed(fddFile(twoTracks()), [](Bytes& b) { storeLE32(b, fddEntry(0, 4) + 8, 66556 - 1023); }); },
     "トラック 0: セクタ 5 のデータ位置 0xFFFD がファイル(66556 byte)のデータ領域の外です.\n"},
    {"FddDataOffsetFarAway", "in.fdd",
     [] { return changed(fddFile(twoTracks()), [](Bytes& b) { storeLE32(b, fddEntry(0, 0) + 8, 0xFFFFFFFE); }); },
     "トラック 0: セクタ 1 のデータ位置 0xFFFFFFFE がファイル(66556 byte)のデータ領域の外です.\n"},
};

class ContainerRefusal : public ImgconvTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ContainerRefusal, SaysWhatIsWrongAndLeavesNoOutput) {
    const RefusalCase& refusal = GetParam();
    write(refusal.input, refusal.bytes());
    std::vector<std::string> arguments = refusal.options;
    arguments.push_back(refusal.input);
    arguments.push_back(refusal.output);
    const ProgramResult result = conv(arguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, refusal.message);
    EXPECT_EQ(listing(), std::vector<std::string>{refusal.input});
}

INSTANTIATE_TEST_SUITE_P(EveryRefusal, ContainerRefusal, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

}  // namespace
