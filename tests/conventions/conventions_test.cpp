// What every program does alike, run as a user would: -h, --help and
// --version; English under an English locale; Japanese in the console's
// character set under Japanese locales.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

struct Program {
    const char* name;
    const char* path;
    const char* usageFirstLine;
    int missingArgumentsStatus;
};

const std::vector<Program>& programs() {
    static const std::vector<Program> all = {
        {"imgmint", IMGMINT_PATH, "Usage: imgmint [MediaType] (Sectors) (N) (Tracks) (Pattern)\n", 255},
        {"imgpoke", IMGPOKE_PATH, "Usage:\n", 1},
        {"imgpeek", IMGPEEK_PATH, "Usage:\n", 1},
        {"imgdisk", IMGDISK_PATH, "Usage:\n", 1},
        {"imgconv", IMGCONV_PATH, "Usage: imgconv [options] INPUT OUTPUT\n", 1},
    };
    return all;
}

bool haveLocale(const char* name) {
    const bool available = std::setlocale(LC_ALL, name) != nullptr;
    std::setlocale(LC_ALL, "C");
    return available;
}

TEST(Conventions, HelpWritesTheUsageBlockToStandardOutput) {
    TempDir dir;
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        const ProgramResult missing = runProgram(program.path, {}, dir.path());
        EXPECT_EQ(missing.exitStatus, program.missingArgumentsStatus);
        EXPECT_EQ(missing.out, "");
        ASSERT_EQ(missing.err.rfind(program.usageFirstLine, 0), 0u) << missing.err;
        for (const char* option : {"-h", "--help"}) {
            const ProgramResult help = runProgram(program.path, {option}, dir.path());
            EXPECT_EQ(help.exitStatus, 0);
            EXPECT_EQ(help.out, missing.err) << "the same block as for missing arguments";
            EXPECT_EQ(help.err, "");
        }
    }
}

TEST(Conventions, VersionIsOneLineWithTheProjectsVersion) {
    TempDir dir;
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        const ProgramResult version = runProgram(program.path, {"--version"}, dir.path());
        EXPECT_EQ(version.exitStatus, 0);
        EXPECT_EQ(version.out, std::string(program.name) + " " + IMGTOOLS_VERSION + "\n");
        EXPECT_EQ(version.err, "");
    }
}

TEST(Conventions, HelpIntoAFullStandardOutputFails) {
    TempDir dir;
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        const ProgramResult help = runProgramWithOutputTo(program.path, {"--help"}, dir.path(), "/dev/full");
        EXPECT_EQ(help.exitStatus, 1);
        EXPECT_NE(help.err, "");
    }
}

// A result line and a refusal of each program, in English.
TEST(Conventions, EnglishLocaleGetsEnglishMessages) {
    if (!haveLocale("en_US.UTF-8")) {
        GTEST_SKIP() << "no en_US.UTF-8 locale (localedef -i en_US -f UTF-8 en_US.UTF-8)";
    }
    TempDir dir;
    const std::string english = "en_US.UTF-8";
    ProgramResult run = runProgram(IMGMINT_PATH, {"2dbas"}, dir.path(), english);
    EXPECT_EQ(run.out, "NEW.D88 : [2D(N88BASIC)] 80 tracks 16 sectors (N=1)\n");
    run = runProgram(IMGMINT_PATH, {"2x"}, dir.path(), english);
    EXPECT_EQ(run.err, "Specify a correct format type.\n");
    EXPECT_EQ(run.exitStatus, 1);

    writeFileBytes(dir.file("src.bin"), Bytes(300, 0x41));
    run = runProgram(IMGPOKE_PATH, {"NEW.D88", "src.bin", "0", "0", "1"}, dir.path(), english);
    EXPECT_EQ(run.out, "diskno: 0 track: 0 sector: 1 : wrote 300 bytes.\n");
    run = runProgram(IMGPOKE_PATH, {"-s", "NEW.D88", "src.bin", "0", "0", "1"}, dir.path(), english);
    EXPECT_EQ(run.out, "*** single-sided mode ***\ndiskno: 0 track: 0 sector: 1 : wrote 300 bytes.\n");
    run = runProgram(IMGPOKE_PATH, {"NEW.D88", "src.bin", "1", "0", "1"}, dir.path(), english);
    EXPECT_EQ(run.err, "The specified disk does not exist.\n");
    run = runProgram(IMGPOKE_PATH, {"NEW.D88"}, dir.path(), english);
    EXPECT_EQ(run.err, "Usage:\nUsage: imgpoke (-s) [d88file] [targetfile] [diskno] [track] [Sector]\n"
                       "     -s : single-sided mode\n");

    run = runProgram(IMGPEEK_PATH, {"NEW.D88", "0", "0", "1", "300", "back.bin"}, dir.path(), english);
    EXPECT_EQ(run.out, "diskno: 0 track: 0 sector: 1 : read 300 bytes.\n");
    run = runProgram(IMGPEEK_PATH, {"missing.d88"}, dir.path(), english);
    EXPECT_EQ(run.err, "Cannot open the D88 file.\n");

    run = runProgram(IMGDISK_PATH, {"extract", "NEW.D88", "0", "one.d88"}, dir.path(), english);
    EXPECT_EQ(run.out, "Wrote disk 0 (348848 bytes).\n");
    run = runProgram(IMGDISK_PATH, {"protect", "NEW.D88", "0", "maybe"}, dir.path(), english);
    EXPECT_EQ(run.err, "Give on or off.\n");

    run = runProgram(IMGCONV_PATH, {"NEW.D88", "disk.2d"}, dir.path(), english);
    EXPECT_EQ(run.out, "Converted NEW.D88 (d88) to disk.2d (raw) (327680 bytes).\n");
    run = runProgram(IMGCONV_PATH, {"missing.d88", "disk.2d"}, dir.path(), english);
    EXPECT_EQ(run.err, "Cannot open the input file missing.d88.\n");

    // The C.UTF-8 locale prints the system's own text, as it always did.
    run = runProgram(IMGMINT_PATH, {"2x"}, dir.path(), "C.UTF-8");
    EXPECT_EQ(run.err, "正しいフォーマット種類を指定してください.\n");
}

TEST(Conventions, EucJpLocaleGetsEucJpBytes) {
    if (!haveLocale("ja_JP.eucJP")) {
        GTEST_SKIP() << "no ja_JP.eucJP locale (localedef -i ja_JP -f EUC-JP ja_JP.eucJP)";
    }
    TempDir dir;
    const ProgramResult refused = runProgram(IMGMINT_PATH, {"2d", "16", "1", "165"}, dir.path(), "ja_JP.eucJP");
    // "トラック数は164以下で指定してください." in EUC-JP.
    EXPECT_EQ(refused.err,
              "\xa5\xc8\xa5\xe9\xa5\xc3\xa5\xaf\xbf\xf4\xa4\xcf" "164" "\xb0\xca\xb2\xbc\xa4\xc7\xbb\xd8\xc4\xea"
              "\xa4\xb7\xa4\xc6\xa4\xaf\xa4\xc0\xa4\xb5\xa4\xa4.\n");
}

}  // namespace
