// Reads sector record headers out of an image file a large chunk at a time,
// so that walking a track of a million records costs a thousand reads rather
// than a million.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "d88/d88_format.h"
#include "image/file_seek.h"

class RecordHeaderReader {
public:
    using Header = std::array<std::uint8_t, d88::SectorRecord::headerSize>;

    explicit RecordHeaderReader(std::FILE* file) : file_(file) {}

    // Copies the complete header stored at the file position. False when the
    // file ends before the header does, or the position cannot be reached.
    // The reader keeps what it read, so it must not outlive a write to the file.
    bool read(std::int64_t position, Header& header);

private:
    static constexpr std::size_t kChunkSize = 16 * 1024;

    bool fill(std::int64_t position);

    std::FILE* file_;
    std::int64_t chunkStart_ = 0;
    std::size_t chunkLength_ = 0;
    std::array<std::uint8_t, kChunkSize> chunk_;
};
