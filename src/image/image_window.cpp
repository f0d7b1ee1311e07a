#include "image/image_window.h"

#include <algorithm>
#include <cstring>

#include "image/file_seek.h"

void ImageWindow::attach(std::FILE* file, bool writable) {
    file_ = file;
    reachesEnd_ = false;
    writable_ = writable;
    readFailed_ = false;
    start_ = 0;
    length_ = 0;
    dirtyBegin_ = dirtyEnd_ = 0;
    failed_ = false;
}

bool ImageWindow::load(std::int64_t position) {
    discard();
    if (file_ == nullptr || !seekTo(file_, position)) {
        return false;
    }
    start_ = position;
    // Every failed write is already kept in failed_, so the stream's error
    // flag can be cleared to tell a failed read from the end of the file.
    std::clearerr(file_);
    length_ = std::fread(bytes_.data(), 1, bytes_.size(), file_);
    reachesEnd_ = length_ < bytes_.size() && std::feof(file_) != 0;
    if (length_ < bytes_.size() && std::ferror(file_) != 0) {
        readFailed_ = true;
    }
    return true;
}

const std::uint8_t* ImageWindow::viewAfterLoad(std::int64_t position, std::size_t length) {
    if (length > kCapacity || !load(position) || !holds(position, length)) {
        return nullptr;
    }
    return bytes_.data() + (position - start_);
}

std::size_t ImageWindow::read(std::int64_t position, std::uint8_t* out, std::size_t length) {
    length = std::min(length, kCapacity);
    if (!holds(position, length) && !load(position)) {
        return 0;
    }
    const std::int64_t available = static_cast<std::int64_t>(length_) - (position - start_);
    const auto count = static_cast<std::size_t>(std::clamp<std::int64_t>(available, 0, static_cast<std::int64_t>(length)));
    std::memcpy(out, bytes_.data() + (position - start_), count);
    return count;
}

// A window that holds the end of the file can take bytes that continue the
// file, up to its capacity.
bool ImageWindow::canExtend(std::int64_t position, std::size_t length) const {
    return reachesEnd_ && position >= start_ && position - start_ <= static_cast<std::int64_t>(length_) &&
           position - start_ + static_cast<std::int64_t>(length) <= static_cast<std::int64_t>(kCapacity);
}

std::size_t ImageWindow::write(std::int64_t position, const std::uint8_t* in, std::size_t length) {
    if (!writable_ || length > kCapacity) {
        return 0;
    }
    if (!holds(position, length) && !canExtend(position, length) &&
        (!load(position) || !(holds(position, length) || canExtend(position, length)))) {
        return 0;
    }
    const auto begin = static_cast<std::size_t>(position - start_);
    length_ = std::max(length_, begin + length);
    std::memcpy(bytes_.data() + begin, in, length);
    if (dirtyBegin_ == dirtyEnd_) {
        dirtyBegin_ = begin;
        dirtyEnd_ = begin + length;
    } else {
        dirtyBegin_ = std::min(dirtyBegin_, begin);
        dirtyEnd_ = std::max(dirtyEnd_, begin + length);
    }
    return length;
}

// The bytes between two changed sectors go back as they were read, so one
// write covers them all. The zero-length relative seek is what the stream
// needs between its last read and this write.
bool ImageWindow::flush() {
    if (dirtyBegin_ != dirtyEnd_) {
        const std::size_t count = dirtyEnd_ - dirtyBegin_;
        const bool positioned = seekTo(file_, start_ + static_cast<std::int64_t>(dirtyBegin_)) &&
                                std::fseek(file_, 0, SEEK_CUR) == 0;
        if (!positioned || std::fwrite(bytes_.data() + dirtyBegin_, 1, count, file_) != count) {
            failed_ = true;
        }
        dirtyBegin_ = dirtyEnd_ = 0;
    }
    return !failed_;
}

void ImageWindow::discard() {
    flush();
    start_ = 0;
    length_ = 0;
    reachesEnd_ = false;
}
