#include "conv/output_sink.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr const char* kStandardOutput = "-";

}  // namespace

OutputSink::OutputSink(std::string path) : path_(std::move(path)), toStandardOutput_(path_ == kStandardOutput) {}

void OutputSink::write(const std::uint8_t* bytes, std::size_t length) {
    written_ += static_cast<std::int64_t>(length);
    while (length > 0) {
        if (buffered_ == buffer_.size()) {
            drain();
        }
        const std::size_t taken = std::min(length, buffer_.size() - buffered_);
        std::memcpy(buffer_.data() + buffered_, bytes, taken);
        buffered_ += taken;
        bytes += taken;
        length -= taken;
    }
}

void OutputSink::drain() {
    if (!opened_ && !toStandardOutput_) {
        opened_ = true;
        cannotCreate_ = !file_.begin(path_);
    }
    const bool ok = toStandardOutput_ ? buffered_ == 0 || std::fwrite(buffer_.data(), 1, buffered_, stdout) == buffered_
                                      : !cannotCreate_ && file_.write(buffer_.data(), buffered_);
    failed_ = failed_ || !ok;
    buffered_ = 0;
}

bool OutputSink::finish(Refusal& refusal) {
    drain();
    if (cannotCreate_) {
        return refuse(refusal, Problem::CannotCreateOutput, path_);
    }
    const bool completed = toStandardOutput_ ? std::fflush(stdout) == 0 && std::ferror(stdout) == 0 : file_.commit();
    if (failed_ || !completed) {
        file_.abandon();
        return refuse(refusal, Problem::OutputWriteFailed, path_);
    }
    return true;
}
