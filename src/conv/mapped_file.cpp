#include "conv/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

MappedFile::~MappedFile() { release(); }

MappedFile::MappedFile(MappedFile&& other) noexcept
    : address_(std::exchange(other.address_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        release();
        address_ = std::exchange(other.address_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void MappedFile::release() {
    if (address_ != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(address_), size_);
        address_ = nullptr;
        size_ = 0;
    }
}

bool MappedFile::open(const std::string& path, Refusal& refusal) {
    release();
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        return refuse(refusal, Problem::CannotOpenInput, path);
    }
    bool mapped = true;
    if (status.st_size > 0) {
        // Pages come in as they are touched, so a file refused for its size
        // is never read.
        void* address =
            ::mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
        mapped = address != MAP_FAILED;
        if (mapped) {
            address_ = static_cast<const std::uint8_t*>(address);
            size_ = static_cast<std::size_t>(status.st_size);
        }
    }
    ::close(descriptor);
    return mapped || refuse(refusal, Problem::InputReadFailed, path);
}
