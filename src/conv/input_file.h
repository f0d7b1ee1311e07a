// The whole of a regular input file, for the formats read in one piece.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "conv/refusal.h"

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens a regular file for reading and measures it.
    bool open(const std::string& path, Refusal& refusal);

    std::int64_t size() const { return size_; }

    // Reads `length` bytes from `position`.
    bool read(std::int64_t position, std::size_t length, std::vector<std::uint8_t>& out, Refusal& refusal);

private:
    std::string path_;
    std::FILE* file_ = nullptr;
    std::int64_t size_ = 0;
};
