// What the imgpeek tests share: running the programs in a temporary
// directory, images made by imgmint or by the fixture builder, and the texts
// imgpeek prints.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/minted_image_test.h"
#include "support/program_run.h"
#include "support/expected_texts.h"
#include "support/temp_dir.h"

inline const std::string kPeekUsage =
    "Usage:\n"
    "Usage: imgpeek [d88file]\n"
    "Usage: imgpeek [d88file] [diskno]\n"
    "Usage: imgpeek (-s) [d88file] [diskno] [track] [Sector] [length] [outfile]\n"
    "     -s : 片面モード\n";
inline const std::string kDiskHeading = "disk  media     protect        size  tracks  marks   name\n";
// The line that ends a disk list.
inline std::string soundDisks(int sound, int total) {
    return "D88ディスクとして正しいヘッダ: " + std::to_string(sound) + " / " + std::to_string(total) + " 枚\n";
}
inline const std::string kTrackHeading = "track  cyl  head  records  lowR  highR  N      length       marks\n";

class ImgpeekTest : public MintedImageTest {
protected:
    ProgramResult peek(const std::vector<std::string>& arguments) {
        return runProgram(IMGPEEK_PATH, arguments, dir.path());
    }
    ProgramResult poke(const std::vector<std::string>& arguments) {
        return runProgram(IMGPOKE_PATH, arguments, dir.path());
    }

    std::string outPath() const { return dir.file("out.bin").string(); }
    Bytes output() const { return readFileBytes(dir.file("out.bin")); }
};
