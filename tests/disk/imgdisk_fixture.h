// What the imgdisk tests share: running imgdisk in a temporary directory, a
// file of three different disks built in the test, slices of byte strings,
// and a snapshot of the directory to show that a refusal changed nothing.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/d88_fixture.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

inline const std::string kUsage =
    "Usage:\n"
    "Usage: imgdisk extract [d88file] [diskno] [outfile]\n"
    "Usage: imgdisk split [d88file] (prefix)\n"
    "Usage: imgdisk join [outfile] [d88file]...\n"
    "Usage: imgdisk remove [d88file] [diskno]\n"
    "Usage: imgdisk move [d88file] [diskno] [newno]\n"
    "Usage: imgdisk name [d88file] [diskno] [name]\n"
    "Usage: imgdisk protect [d88file] [diskno] [on|off]\n"
    "Usage: imgdisk media [d88file] [diskno] [2d|2dd|2hd]\n";
inline const std::string kCannotWriteOutput = "出力ファイルへの書き込みに失敗しました.\n";
inline const std::string kCannotOpenOutput = "出力ファイルをオープンできません.\n";

inline Bytes sliceOf(const Bytes& bytes, std::size_t offset, std::size_t length) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

inline Bytes joined(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// Three disks of different sizes, media and names, every sector filled with
// a byte of its own disk, followed by 100 bytes that are no disk.
struct ThreeDiskFile {
    Bytes bytes;
    std::vector<Bytes> disks;  // each disk's bytes, sliced out of `bytes`
    Bytes trailing;

    ThreeDiskFile() {
        FixtureDisk first = uniformDisk(2, 2, 0, true, 0x11);
        first.name = "FIRST";
        FixtureDisk second = uniformDisk(3, 1, 1, false, 0x22);
        second.name = "SECOND";
        second.mediaCode = 0x10;
        FixtureDisk third = uniformDisk(1, 3, 2, true, 0x33);
        third.name = "THIRD";
        third.mediaCode = 0x20;
        const FixtureImage image = buildFixtureImage({first, second, third});
        for (const FixtureDiskLayout& disk : image.disks) {
            disks.push_back(sliceOf(image.bytes, disk.offset, disk.length));
        }
        trailing = patternBytes(100, 7);
        bytes = joined({image.bytes, trailing});
    }
};

// What a directory holds: each entry's type and size, and the bytes of
// every file small enough to compare whole.
struct DirectoryEntry {
    bool directory = false;
    std::uintmax_t size = 0;
    Bytes bytes;
    bool operator==(const DirectoryEntry&) const = default;
};

inline std::map<std::string, DirectoryEntry> snapshotOf(const std::filesystem::path& root) {
    constexpr std::uintmax_t kComparedWhole = 64u << 20;
    std::map<std::string, DirectoryEntry> entries;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        DirectoryEntry entry;
        entry.directory = item.is_directory();
        if (!entry.directory) {
            entry.size = item.file_size();
            if (entry.size <= kComparedWhole) {
                entry.bytes = readFileBytes(item.path());
            }
        }
        entries[std::filesystem::relative(item.path(), root).string()] = entry;
    }
    return entries;
}

class ImgdiskTest : public ::testing::Test {
protected:
    ProgramResult imgdisk(const std::vector<std::string>& arguments, const ProgramLimits& limits = {}) {
        return runProgram(IMGDISK_PATH, arguments, dir.path(), "C.UTF-8", limits);
    }

    std::string pathOf(const std::string& name) const { return dir.file(name).string(); }
    void put(const std::string& name, const Bytes& bytes) const { writeFileBytes(dir.file(name), bytes); }
    Bytes bytesOf(const std::string& name) const { return readFileBytes(dir.file(name)); }
    std::map<std::string, DirectoryEntry> snapshot() const { return snapshotOf(dir.path()); }

    // Runs a command that must be refused or fail: status 1, nothing on
    // standard output, the expected line on standard error, and every file
    // of the directory as it was, with none added.
    void expectNothingChanged(const std::vector<std::string>& arguments, const std::string& expectedError,
                              const ProgramLimits& limits = {}) {
        const auto before = snapshot();
        const ProgramResult run = imgdisk(arguments, limits);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, expectedError);
        EXPECT_TRUE(snapshot() == before) << "files changed or were left behind";
    }

    TempDir dir;
};
