#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>

// Moves the stream to an absolute position; false if the position is out of
// the stream's reach or the seek fails.
inline bool seekTo(std::FILE* file, std::int64_t position) {
    if (position < 0 || position > LONG_MAX) {
        return false;
    }
    return std::fseek(file, static_cast<long>(position), SEEK_SET) == 0;
}
