// imgmint as a user runs it: arguments in, NEW.D88, one line and a status out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <string>
#include <vector>

#include "format/formatted_layout.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

const std::string kImgmint = IMGMINT_PATH;

struct FormatCase {
    std::vector<std::string> arguments;
    std::string resultLine;
    std::size_t imageSize;
    ExpectedLayout layout;
};

constexpr bool kDS = true;
constexpr bool kSS = false;

// One row per keyword, and the argument forms: custom geometry, Tracks,
// Pattern in its number forms, upper case.
const FormatCase kFormatCases[] = {
    {{"2d", "16", "1"}, "NEW.D88 : [2D] 80 tracks 16 sectors (N=1)\n", 348848, {0x00, 80, 16, 1, kDS, false, 0}},
    {{"2d", "16", "1", "84"}, "NEW.D88 : [2D] 84 tracks 16 sectors (N=1)\n", 366256, {0x00, 84, 16, 1, kDS, false, 0}},
    {{"2d", "1", "0", "164", "0xE5", "extra"},
     "NEW.D88 : [2D] 164 tracks 1 sectors (N=0)\n", 688 + 164 * 144, {0x00, 164, 1, 0, kDS, false, 0xE5}},
    {{"2d", "0", "1"}, "NEW.D88 : [2D] 80 tracks 0 sectors (N=1)\n", 688, {0x00, 80, 0, 1, kDS, false, 0}},
    {{"2dd", "9", "2", "4", "0x1E5"}, "NEW.D88 : [2DD] 4 tracks 9 sectors (N=2)\n", 688 + 4 * 9 * 528,
     {0x10, 4, 9, 2, kDS, false, 0xE5}},
    {{"2HD", "2", "8", "3", "-27"}, "NEW.D88 : [2HD] 3 tracks 2 sectors (N=8)\n", 688 + 3 * 2 * 32784,
     {0x20, 3, 2, 8, kDS, false, 0xE5}},
    {{"1d", "16", "1"}, "NEW.D88 : [1D] 35 tracks 16 sectors (N=1)\n", 153008, {0x00, 35, 16, 1, kSS, false, 0}},
    {{"1dd", "1", "0", "82", "7"}, "NEW.D88 : [1DD] 82 tracks 1 sectors (N=0)\n", 688 + 82 * 144,
     {0x10, 82, 1, 0, kSS, false, 7}},
    {{"2dbas"}, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n", 348848, {0x00, 80, 16, 1, kDS, false, 0}},
    {{"2DBAS", "0xE5"}, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x00, 80, 16, 1, kDS, false, 0xE5}},
    {{"2dbas", "229", "9", "9"}, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x00, 80, 16, 1, kDS, false, 0xE5}},
    {{"2dbas", "0XE5"}, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x00, 80, 16, 1, kDS, false, 0}},
    {{"2dbas", "E5"}, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x00, 80, 16, 1, kDS, false, 0}},
    {{"2ddbas"}, "NEW.D88 : [2DD(N88BASIC)] 160 tracks 16 sectors (N=1)\n", 697008,
     {0x10, 160, 16, 1, kDS, false, 0}},
    {{"2hdbas"}, "NEW.D88 : [2HD/8\"2D(N88BASIC)] 154 tracks 26 sectors (N=1)\n", 1086448,
     {0x20, 154, 26, 1, kDS, true, 0}},
    {{"2hdbas88", "0xff"}, "NEW.D88 : [5\"2HD(N88BASIC/PC-8801Mseries)] 160 tracks 26 sectors (N=1)\n", 1128880,
     {0x20, 160, 26, 1, kDS, true, 0xFF}},
    {{"2dddos"}, "NEW.D88 : [2DD(MS-DOS/640KB)] 160 tracks 8 sectors (N=2)\n", 676528,
     {0x10, 160, 8, 2, kDS, false, 0}},
    {{"2dddos6"}, "NEW.D88 : [2DD(MS-DOS/640KB)] 160 tracks 8 sectors (N=2)\n", 676528,
     {0x10, 160, 8, 2, kDS, false, 0}},
    {{"2dddos9", "0xF6"}, "NEW.D88 : [2DD(MS-DOS/720KB)] 160 tracks 9 sectors (N=2)\n", 761008,
     {0x10, 160, 9, 2, kDS, false, 0xF6}},
    {{"2hddos"}, "NEW.D88 : [2HD/8\"2D(MS-DOS/1.2MB)] 154 tracks 8 sectors (N=3)\n", 1281968,
     {0x20, 154, 8, 3, kDS, false, 0}},
    {{"2hcdos"}, "NEW.D88 : [2HC(MS-DOS(IBM)/1.2MB)] 160 tracks 15 sectors (N=2)\n", 1267888,
     {0x20, 160, 15, 2, kDS, false, 0}},
    {{"2hddos144"}, "NEW.D88 : [2HD(MS-DOS/1.44MB)] 160 tracks 18 sectors (N=2)\n", 1521328,
     {0x20, 160, 18, 2, kDS, false, 0}},
    {{"2dblank"}, "NEW.D88 : [2D(BLANK)] 0 tracks 0 sectors (N=0)\n", 688, {0x00, 0, 0, 0, kDS, false, 0}},
    {{"2ddblank"}, "NEW.D88 : [2DD(BLANK)] 0 tracks 0 sectors (N=0)\n", 688, {0x10, 0, 0, 0, kDS, false, 0}},
    {{"2hdblank", "0xE5"}, "NEW.D88 : [2HD(BLANK)] 0 tracks 0 sectors (N=0)\n", 688, {0x20, 0, 0, 0, kDS, false, 0}},
    {{"1dbas"}, "NEW.D88 : [1D(PC-8001 N88BASIC)] 35 tracks 16 sectors (N=1)\n", 153008,
     {0x00, 35, 16, 1, kSS, false, 0}},
    {{"1dbas80"}, "NEW.D88 : [1D(PC-8001 N88BASIC)] 35 tracks 16 sectors (N=1)\n", 153008,
     {0x00, 35, 16, 1, kSS, false, 0}},
    {{"1dbas66"}, "NEW.D88 : [1D(PC-6601 N66BASIC)] 40 tracks 16 sectors (N=1)\n", 174768,
     {0x00, 40, 16, 1, kSS, false, 0}},
    {{"1ddbas"}, "NEW.D88 : [1DD(PC-6601SR N66SRBASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x10, 80, 16, 1, kSS, false, 0}},
    {{"1ddbas66", "1"}, "NEW.D88 : [1DD(PC-6601SR N66SRBASIC)] 80 tracks 16 sectors (N=1)\n", 348848,
     {0x10, 80, 16, 1, kSS, false, 1}},
    {{"1dblank"}, "NEW.D88 : [1D(BLANK)] 0 tracks 0 sectors (N=0)\n", 688, {0x00, 0, 0, 0, kSS, false, 0}},
    {{"1ddblank"}, "NEW.D88 : [1DD(BLANK)] 0 tracks 0 sectors (N=0)\n", 688, {0x10, 0, 0, 0, kSS, false, 0}},
};

std::string describe(const std::vector<std::string>& arguments) {
    std::string text = "imgmint";
    for (const std::string& a : arguments) {
        text += " " + a;
    }
    return text;
}

TEST(Imgmint, WritesEveryMediaTypeExactly) {
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(describe(c.arguments));
        TempDir dir;
        const ProgramResult run = runProgram(kImgmint, c.arguments, dir.path());
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(run.out, c.resultLine);
        EXPECT_EQ(run.err, "");
        const Bytes image = readFileBytes(dir.file("NEW.D88"));
        EXPECT_EQ(image.size(), c.imageSize);
        EXPECT_EQ(checkFormattedLayout(image, c.layout), "");
    }
}

TEST(Imgmint, OverwritesAnExistingImage) {
    TempDir dir;
    writeFileBytes(dir.file("NEW.D88"), Bytes(5000, 0xAA));
    const ProgramResult run = runProgram(kImgmint, {"2hdblank"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(checkFormattedLayout(readFileBytes(dir.file("NEW.D88")), {0x20, 0, 0, 0, kDS, false, 0}), "");
}

TEST(Imgmint, FillReachesOnlyDataBytes) {
    TempDir plain;
    TempDir filled;
    ASSERT_EQ(runProgram(kImgmint, {"2d", "3", "0", "6", "0"}, plain.path()).exitStatus, 0);
    ASSERT_EQ(runProgram(kImgmint, {"2d", "3", "0", "6", "0xE5"}, filled.path()).exitStatus, 0);
    const Bytes a = readFileBytes(plain.file("NEW.D88"));
    const Bytes b = readFileBytes(filled.file("NEW.D88"));
    ASSERT_EQ(a.size(), b.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        differing += a[i] != b[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 6u * 3u * 128u);
}

std::string usageBlock() {
    const char* keywords[] = {"2dd",     "2hd",     "1d",       "1dd",      "2dbas",   "2ddbas",  "2hdbas",
                              "2hdbas88", "2dddos",  "2dddos6",  "2dddos9",  "2hddos",  "2hcdos",  "2hddos144",
                              "2dblank", "2ddblank", "2hdblank", "1dbas",    "1dbas80", "1dbas66", "1ddbas",
                              "1ddbas66", "1dblank", "1ddblank"};
    std::string text = "Usage: imgmint [MediaType] (Sectors) (N) (Tracks) (Pattern)\n          mediatype : 2d\n";
    for (const char* keyword : keywords) {
        text += std::string(22, ' ') + keyword + "\n";
    }
    return text;
}

struct RefusalCase {
    std::vector<std::string> arguments;
    std::string message;
    int exitStatus;
};

const RefusalCase kRefusals[] = {
    {{}, usageBlock(), 255},
    {{"2x"}, "正しいフォーマット種類を指定してください.\n", 1},
    {{"//"}, "正しいフォーマット種類を指定してください.\n", 1},
    {{"2d "}, "正しいフォーマット種類を指定してください.\n", 1},
    {{"2d"}, "トラック数/セクタ数/セクタサイズも指定してください.\n", 1},
    {{"1DD", "16"}, "トラック数/セクタ数/セクタサイズも指定してください.\n", 1},
    {{"2d", "16", "1", "165"}, "トラック数は164以下で指定してください.\n", 1},
    {{"1dd", "16", "1", "165"}, "トラック数は164以下で指定してください.\n", 1},
    {{"2d", "16", "1", "-1"}, "トラック数は0以上で指定してください.\n", 1},
    {{"2d", "-1", "1"}, "セクタ数は0以上で指定してください.\n", 1},
    {{"2d", "65536", "0", "1"}, "セクタ数は65535以下で指定してください.\n", 1},
    {{"2d", "16", "9"}, "セクタサイズ(N)は0から8で指定してください.\n", 1},
    {{"2d", "16", "-1"}, "セクタサイズ(N)は0から8で指定してください.\n", 1},
    {{"2d", "16", "0x20"}, "セクタサイズ(N)は0から8で指定してください.\n", 1},
    {{"1d", "16", "1", "83"}, "片面のトラック数は82以下で指定してください.\n", 1},
    {{"2hd", "65535", "8", "164"}, "イメージサイズが大きすぎます.\n", 1},
    // Several faults at once: the first check that fails speaks.
    {{"1d", "-1", "9", "-1"}, "セクタ数は0以上で指定してください.\n", 1},
    {{"1d", "70000", "9", "90"}, "セクタサイズ(N)は0から8で指定してください.\n", 1},
};

TEST(Imgmint, RefusalsLeaveAnExistingImageUntouched) {
    const Bytes existing = {'o', 'l', 'd', 0, 0xE5};
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(describe(c.arguments));
        TempDir dir;
        writeFileBytes(dir.file("NEW.D88"), existing);
        const ProgramResult run = runProgram(kImgmint, c.arguments, dir.path());
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(readFileBytes(dir.file("NEW.D88")), existing);
    }
}

TEST(Imgmint, RefusalsCreateNoImage) {
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(describe(c.arguments));
        TempDir dir;
        EXPECT_EQ(runProgram(kImgmint, c.arguments, dir.path()).exitStatus, c.exitStatus);
        EXPECT_FALSE(fileExists(dir.file("NEW.D88")));
    }
}

// -o names the output: the image goes there instead of NEW.D88, and the
// result line names it.
TEST(Imgmint, OutputOptionWritesTheNamedFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("disks"));
    writeFileBytes(dir.file("disks/game.d88"), Bytes(5000, 0xAA));
    const ProgramResult run = runProgram(kImgmint, {"-o", "disks/game.d88", "2DBAS", "0xE5"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "disks/game.d88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(checkFormattedLayout(readFileBytes(dir.file("disks/game.d88")), {0x00, 80, 16, 1, kDS, false, 0xE5}),
              "");
    EXPECT_FALSE(fileExists(dir.file("NEW.D88")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("disks")),
                            std::filesystem::directory_iterator()),
              1) << "no temporary file is left beside it";

    const ProgramResult generic = runProgram(kImgmint, {"-o", "g.d88", "2d", "2", "1", "3"}, dir.path());
    EXPECT_EQ(generic.out, "g.d88 : [2D] 3 tracks 2 sectors (N=1)\n");
    EXPECT_EQ(checkFormattedLayout(readFileBytes(dir.file("g.d88")), {0x00, 3, 2, 1, kDS, false, 0}), "");
}

TEST(Imgmint, OutputOptionRefusalsLeaveTheNamedFileUntouched) {
    const Bytes existing = {'o', 'l', 'd', 0, 0xE5};
    for (const RefusalCase& c : kRefusals) {
        if (c.arguments.empty()) {
            continue;  // no media type: the usage block, checked below
        }
        SCOPED_TRACE(describe(c.arguments));
        TempDir dir;
        writeFileBytes(dir.file("keep.d88"), existing);
        std::vector<std::string> arguments = {"-o", "keep.d88"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ProgramResult run = runProgram(kImgmint, arguments, dir.path());
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(readFileBytes(dir.file("keep.d88")), existing);
    }
    TempDir dir;
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"-o"}, {"-o", "keep.d88"}}) {
        const ProgramResult run = runProgram(kImgmint, arguments, dir.path());
        EXPECT_EQ(run.exitStatus, 255);
        EXPECT_EQ(run.err.rfind("Usage: imgmint", 0), 0u);
        EXPECT_FALSE(fileExists(dir.file("keep.d88")));
    }
    // A missing directory: nothing is made, and the status is imgmint's
    // file error.
    const ProgramResult missing = runProgram(kImgmint, {"-o", "none/x.d88", "2dbas"}, dir.path());
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_EQ(missing.err, "ファイルをオープンできません.\n");
}

TEST(Imgmint, LargestRepresentableImageIsAccepted) {
    // 164 tracks of 1 sector of 32 KiB: the 16-bit data-length field at its top.
    TempDir dir;
    const ProgramResult run = runProgram(kImgmint, {"2hd", "1", "8", "164", "0x55"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "NEW.D88 : [2HD] 164 tracks 1 sectors (N=8)\n");
    EXPECT_EQ(checkFormattedLayout(readFileBytes(dir.file("NEW.D88")), {0x20, 164, 1, 8, kDS, false, 0x55}), "");
}

TEST(Imgmint, OutputThatCannotBeOpened) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("NEW.D88"));
    const ProgramResult run = runProgram(kImgmint, {"2dbas"}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "ファイルをオープンできません.\n");
    EXPECT_EQ(run.out, "");
}

// /dev/full accepts the open and fails every write: a large image fails in
// the write itself, a small one only when the buffered bytes are flushed at
// close. Both must be reported.
TEST(Imgmint, WriteFailuresAreReportedForLargeAndSmallImages) {
    if (!fileExists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    for (const char* keyword : {"2hddos144", "2hdblank"}) {
        SCOPED_TRACE(keyword);
        TempDir dir;
        std::filesystem::create_symlink("/dev/full", dir.file("NEW.D88"));
        const ProgramResult run = runProgram(kImgmint, {keyword}, dir.path());
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.err, "ファイルの書き込みに失敗しました.\n");
        EXPECT_EQ(run.out, "");
    }
}

// The image is written, but a result line that standard output does not
// take is reported as an output that could not be written.
TEST(Imgmint, AResultLineThatCannotBeWrittenIsAFileError) {
    if (!fileExists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this machine";
    }
    TempDir dir;
    const ProgramResult run = runProgramWithOutputTo(kImgmint, {"2dbas"}, dir.path(), "/dev/full");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "標準出力への書き込みに失敗しました.\n");
    EXPECT_EQ(readFileBytes(dir.file("NEW.D88")).size(), 348848u);
}

bool haveShiftJisLocale() {
    const bool available = std::setlocale(LC_ALL, "ja_JP.SJIS") != nullptr;
    std::setlocale(LC_ALL, "C");
    return available;
}

TEST(Imgmint, ShiftJisLocaleGetsShiftJisBytes) {
    if (!haveShiftJisLocale()) {
        GTEST_SKIP() << "no ja_JP.SJIS locale (make one with localedef -c -f SHIFT_JIS -i ja_JP ja_JP.SJIS)";
    }
    TempDir dir;
    const ProgramResult refused = runProgram(kImgmint, {"2d", "16", "1", "165"}, dir.path(), "ja_JP.SJIS");
    // "トラック数は164以下で指定してください." in code page 932.
    EXPECT_EQ(refused.err,
              "\x83\x67\x83\x89\x83\x62\x83\x4E\x90\x94\x82\xCD" "164" "\x88\xC8\x89\xBA\x82\xC5\x8E\x77\x92\xE8"
              "\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2.\n");
    const ProgramResult made = runProgram(kImgmint, {"2hdbas"}, dir.path(), "ja_JP.SJIS");
    EXPECT_EQ(made.out, "NEW.D88 : [2HD/8\"2D(N88BASIC)] 154 tracks 26 sectors (N=1)\n");
}

}  // namespace
