#include "scratch_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

int createDescriptor(const char* name) {
    const int memory = ::memfd_create(name, 0);
    if (memory >= 0) {
        return memory;
    }
    char pattern[] = "/tmp/imgtools-fuzz-XXXXXX";
    const int temporary = ::mkstemp(pattern);
    if (temporary >= 0) {
        ::unlink(pattern);
    }
    return temporary;
}

bool writeAll(int descriptor, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::pwrite(descriptor, data + done, size - done, static_cast<off_t>(done));
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

}  // namespace

ScratchFile::ScratchFile(const char* name) : descriptor_(createDescriptor(name)) {
    if (descriptor_ < 0) {
        std::perror("scratch file");
        std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(descriptor_);
}

bool ScratchFile::fill(const std::uint8_t* data, std::size_t size) const {
    return ::ftruncate(descriptor_, 0) == 0 && writeAll(descriptor_, data, size);
}

std::vector<std::uint8_t> ScratchFile::contents() const {
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(descriptor_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (got <= 0) {
            bytes.resize(done);
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}
