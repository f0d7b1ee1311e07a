// What the imgconv tests share: running imgconv, imgmint and imgpoke in a
// temporary directory, and listing what a run left there.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

class ImgconvTest : public ::testing::Test {
protected:
    ProgramResult conv(const std::vector<std::string>& arguments) {
        return runProgram(IMGCONV_PATH, arguments, dir.path());
    }

    // An image made by imgmint, renamed to `name`.
    Bytes mint(const std::vector<std::string>& arguments, const std::string& name) {
        const ProgramResult made = runProgram(IMGMINT_PATH, arguments, dir.path());
        EXPECT_EQ(made.exitStatus, 0) << made.err;
        std::filesystem::rename(dir.file("NEW.D88"), dir.file(name));
        return readFileBytes(dir.file(name));
    }

    // Pastes `bytes` into the image with imgpoke from the given track and
    // sector on.
    void poke(const std::string& image, const Bytes& bytes, int track, int sector, bool singleSided = false) {
        writeFileBytes(dir.file("paste.bin"), bytes);
        std::vector<std::string> arguments = {image, "paste.bin", "0", std::to_string(track), std::to_string(sector)};
        if (singleSided) {
            arguments.insert(arguments.begin(), "-s");
        }
        const ProgramResult poked = runProgram(IMGPOKE_PATH, arguments, dir.path());
        EXPECT_EQ(poked.exitStatus, 0) << poked.out << poked.err;
        std::filesystem::remove(dir.file("paste.bin"));
    }

    Bytes read(const std::string& name) const { return readFileBytes(dir.file(name)); }
    void write(const std::string& name, const Bytes& bytes) const { writeFileBytes(dir.file(name), bytes); }

    // Every name in the directory, hidden ones (temporary files) included.
    std::vector<std::string> listing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
};

// The line imgconv prints after a conversion.
inline std::string convertedLine(const std::string& input, const std::string& from, const std::string& output,
                                 const std::string& to, std::size_t bytes) {
    return input + " (" + from + ") を " + output + " (" + to + ") に変換しました.(" + std::to_string(bytes) +
           " byte)\n";
}
