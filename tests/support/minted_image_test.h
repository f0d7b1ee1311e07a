// A test fixture around one image file, disk.d88, in a temporary directory:
// made by imgmint or written from bytes built in the test. The including test
// target defines IMGMINT_PATH.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"

class MintedImageTest : public ::testing::Test {
protected:
    // An image made by imgmint, stored as disk.d88.
    Bytes mint(const std::vector<std::string>& arguments) {
        const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        std::filesystem::rename(dir.file("NEW.D88"), imagePath());
        return image();
    }

    Bytes useImage(const Bytes& bytes) {
        writeFileBytes(imagePath(), bytes);
        return bytes;
    }

    std::string imagePath() const { return dir.file("disk.d88").string(); }
    Bytes image() const { return readFileBytes(dir.file("disk.d88")); }

    TempDir dir;
};
