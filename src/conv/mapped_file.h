// A regular input file mapped read-only into memory, whole: readers point
// their sectors into it instead of copying them, so a conversion touches
// few fresh pages (the page cache already holds the file).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "conv/refusal.h"

class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the file; refuses what is not a regular file or cannot be read.
    bool open(const std::string& path, Refusal& refusal);

    std::span<const std::uint8_t> bytes() const { return {address_, size_}; }
    std::int64_t size() const { return static_cast<std::int64_t>(size_); }

private:
    void release();

    const std::uint8_t* address_ = nullptr;
    std::size_t size_ = 0;
};
