#include "disk/slice_copy.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace {

constexpr std::int64_t kChunkSize = 256 * 1024;

}  // namespace

CopyOutcome copySlice(const SourceImage& source, ByteSlice slice, ReplacementFile& output) {
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min(kChunkSize, std::max<std::int64_t>(slice.length, 1))));
    std::int64_t position = slice.offset;
    std::int64_t left = slice.length;
    while (left > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
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
