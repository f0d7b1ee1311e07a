// The sink of imgconv's output: standard output ("-"), or a replacement file
// beside OUTPUT that is renamed over it only when complete. The file is
// created with the first bytes (or at finish, for an empty image), so a
// conversion refused before its first byte leaves nothing behind.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/replacement_file.h"
#include "conv/byte_sink.h"
#include "conv/refusal.h"

class OutputSink : public ByteSink {
public:
    explicit OutputSink(std::string path);

    void write(const std::uint8_t* bytes, std::size_t length) override;

    // Writes what is buffered and completes the output; false with the
    // reason when it could not be created or written (OUTPUT then stays as
    // it was).
    bool finish(Refusal& refusal);

    std::int64_t written() const { return written_; }

private:
    // Big enough that the bytes go out in few system calls, small enough to
    // stay in memory the process already has.
    static constexpr std::size_t kBufferSize = 64 * 1024;

    void drain();

    std::string path_;
    bool toStandardOutput_;
    bool opened_ = false;
    bool cannotCreate_ = false;
    bool failed_ = false;
    ReplacementFile file_;
    std::int64_t written_ = 0;
    std::size_t buffered_ = 0;
    std::array<std::uint8_t, kBufferSize> buffer_;
};
