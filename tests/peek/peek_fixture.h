// What the imgpeek tests share: running the programs in a temporary
// directory, images made by imgmint or by the fixture builder, and the texts
// imgpeek prints.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

inline const std::string kPeekUsage =
    "Usage:\n"
    "Usage: imgpeek [d88file]\n"
    "Usage: imgpeek [d88file] [diskno]\n"
    "Usage: imgpeek (-s) [d88file] [diskno] [track] [Sector] [length] [outfile]\n"
    "     -s : 片面モード\n";
inline const std::string kBanner = "*** 片面モード ***\n";
inline const std::string kCannotOpenImage = "D88ファイルをオープンできません.\n";
inline const std::string kNoSuchDisk = "指定のディスクがありません.\n";
inline const std::string kDiskHeading = "disk  media     protect        size  tracks  name\n";
inline const std::string kTrackHeading = "track  cyl  head  records  lowR  highR  N      length       marks\n";

class ImgpeekTest : public ::testing::Test {
protected:
    ProgramResult peek(const std::vector<std::string>& arguments) {
        return runProgram(IMGPEEK_PATH, arguments, dir.path());
    }
    ProgramResult poke(const std::vector<std::string>& arguments) {
        return runProgram(IMGPOKE_PATH, arguments, dir.path());
    }

    // An image made by imgmint, stored as disk.d88.
    Bytes mint(const std::vector<std::string>& arguments) {
        const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        std::filesystem::rename(dir.file("NEW.D88"), dir.file("disk.d88"));
        return image();
    }

    Bytes useImage(const Bytes& bytes) {
        writeFileBytes(dir.file("disk.d88"), bytes);
        return bytes;
    }

    std::string imagePath() const { return dir.file("disk.d88").string(); }
    std::string outPath() const { return dir.file("out.bin").string(); }
    Bytes image() const { return readFileBytes(dir.file("disk.d88")); }
    Bytes output() const { return readFileBytes(dir.file("out.bin")); }

    TempDir dir;
};
