#include "disk/slice_copy.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

namespace {

constexpr std::size_t kChunkSize = 256 * 1024;

}  // namespace

CopyOutcome copySlice(const SourceImage& source, ByteSlice slice, ReplacementFile& output) {
    static std::array<std::uint8_t, kChunkSize> chunk;
    std::int64_t position = slice.offset;
    std::int64_t left = slice.length;
    while (left > 0) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(left, kChunkSize));
        const ssize_t got = ::pread(source.descriptor(), chunk.data(), wanted, static_cast<off_t>(position));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return CopyOutcome::ReadFailed;
        }
        if (!output.write(chunk.data(), static_cast<std::size_t>(got))) {
            return CopyOutcome::WriteFailed;
        }
        position += got;
        left -= got;
    }
    return CopyOutcome::Copied;
}
