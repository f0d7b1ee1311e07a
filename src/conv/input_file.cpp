#include "conv/input_file.h"

#include <sys/stat.h>

#include "image/file_seek.h"

InputFile::~InputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool InputFile::open(const std::string& path, Refusal& refusal) {
    path_ = path;
    file_ = std::fopen(path.c_str(), "rb");
    struct stat status {};
    if (file_ == nullptr || ::fstat(::fileno(file_), &status) != 0 || !S_ISREG(status.st_mode)) {
        return refuse(refusal, Problem::CannotOpenInput, path);
    }
    size_ = status.st_size;
    return true;
}

bool InputFile::read(std::int64_t position, std::size_t length, std::vector<std::uint8_t>& out, Refusal& refusal) {
    out.resize(length);
    if (length == 0) {
        return true;
    }
    if (!seekTo(file_, position) || std::fread(out.data(), 1, length, file_) != length) {
        return refuse(refusal, Problem::InputReadFailed, path_);
    }
    return true;
}
