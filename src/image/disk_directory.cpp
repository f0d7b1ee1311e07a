#include "image/disk_directory.h"

#include "d88/byte_order.h"
#include "image/file_seek.h"

DiskDirectory readDiskDirectory(std::FILE* file) {
    DiskDirectory directory;
    std::array<std::uint8_t, d88::DiskHeader::size> header;
    std::int64_t offset = 0;
    while (directory.count < d88::kMaxDisks) {
        if (!seekTo(file, offset)) {
            break;
        }
        std::clearerr(file);
        if (std::fread(header.data(), 1, header.size(), file) != header.size()) {
            directory.readFailed = std::ferror(file) != 0;
            break;
        }
        const std::int32_t size = d88::readLE32(header.data() + d88::DiskHeader::diskSizeOffset);
        const std::int64_t next = offset + size;
        if (size < 0 || next > d88::kMaxFileOffset) {
            break;
        }
        directory.offsets[static_cast<std::size_t>(directory.count)] = static_cast<std::int32_t>(offset);
        ++directory.count;
        offset = next;
    }
    return directory;
}
