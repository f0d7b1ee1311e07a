// A file that exists only in memory, for handing fuzz input to code that
// opens images and sources by path: created once per process, refilled for
// every input, opened by others through /proc/self/fd.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ScratchFile {
public:
    // An anonymous in-memory file (or an unlinked temporary one where memfd
    // is missing). The descriptor lives as long as the process.
    explicit ScratchFile(const char* name);
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // A path under which fopen reaches the same file.
    const std::string& path() const { return path_; }

    // Replaces the whole contents; false when the file cannot be written.
    bool fill(const std::uint8_t* data, std::size_t size) const;

    // The whole contents as they stand.
    std::vector<std::uint8_t> contents() const;

private:
    int descriptor_ = -1;
    std::string path_;
};
