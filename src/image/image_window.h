// A write-back window onto the image file: one contiguous stretch of up to
// 128 KiB, read in one go and written back in one go.
//
// Every read and write of record headers and sector data goes through it, so
// what it holds is always the file as this program has changed it. Walking a
// track of a million records costs a hundred reads rather than a million, and
// pasting a whole disk costs a few large writes rather than one per sector.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "d88/d88_format.h"

class ImageWindow {
public:
    // The largest single transfer: a record header plus the longest data a
    // 16-bit length field can give, with room to spare.
    static constexpr std::size_t kCapacity = 128 * 1024;
    static_assert(kCapacity >= d88::SectorRecord::headerSize + std::numeric_limits<std::uint16_t>::max(),
                  "a whole record must fit the window");

    // Works on this stream from now on; with `writable` false, nothing is
    // ever written to it.
    void attach(std::FILE* file, bool writable);

    // Copies up to `length` bytes from the file position; fewer when the file
    // ends first. Returns the bytes copied.
    std::size_t read(std::int64_t position, std::uint8_t* out, std::size_t length);

    // The `length` bytes at the position, read in place: valid until the next
    // call on the window. nullptr when the file does not hold them all.
    const std::uint8_t* view(std::int64_t position, std::size_t length) {
        return holds(position, length) ? bytes_.data() + (position - start_) : viewAfterLoad(position, length);
    }

    // Overwrites `length` bytes at the position, which must lie inside the
    // file or continue it without a gap (the file then grows); the bytes
    // reach the file at the next flush. Returns the bytes taken: none on a
    // stream attached read-only.
    std::size_t write(std::int64_t position, const std::uint8_t* in, std::size_t length);

    // Writes back what was changed. False once any write back has failed.
    bool flush();

    // Writes back and forgets the window, so the next access reads the file.
    void discard();

    // Whether a read of the file failed with an error (not its end).
    bool readFailed() const { return readFailed_; }

private:
    bool holds(std::int64_t position, std::size_t length) const {
        return position >= start_ &&
               position - start_ + static_cast<std::int64_t>(length) <= static_cast<std::int64_t>(length_);
    }
    const std::uint8_t* viewAfterLoad(std::int64_t position, std::size_t length);
    bool load(std::int64_t position);
    bool canExtend(std::int64_t position, std::size_t length) const;

    std::FILE* file_ = nullptr;
    std::int64_t start_ = 0;
    std::size_t length_ = 0;
    std::size_t dirtyBegin_ = 0;
    std::size_t dirtyEnd_ = 0;
    bool failed_ = false;
    bool reachesEnd_ = false;  // the window holds the last byte of the file
    bool writable_ = false;
    bool readFailed_ = false;
    std::array<std::uint8_t, kCapacity> bytes_;
};
