#include "image/record_header_reader.h"

#include <cstring>

bool RecordHeaderReader::read(std::int64_t position, Header& header) {
    const bool inChunk = position >= chunkStart_ &&
                         position - chunkStart_ + static_cast<std::int64_t>(header.size()) <=
                             static_cast<std::int64_t>(chunkLength_);
    if (!inChunk && !fill(position)) {
        return false;
    }
    std::memcpy(header.data(), chunk_.data() + (position - chunkStart_), header.size());
    return true;
}

bool RecordHeaderReader::fill(std::int64_t position) {
    chunkStart_ = position;
    chunkLength_ = 0;
    if (!seekTo(file_, position)) {
        return false;
    }
    chunkLength_ = std::fread(chunk_.data(), 1, chunk_.size(), file_);
    return chunkLength_ >= d88::SectorRecord::headerSize;
}
