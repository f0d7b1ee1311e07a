// What a command prints, captured in memory for one run.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// stdout and stderr are plain variables in glibc: pointing them at memory
// streams for one run captures what the command prints without touching file
// descriptors 1 and 2, where sanitizer reports and the fuzzer's own output
// still go.
class CapturedOutput {
public:
    CapturedOutput() : out_(stdout), err_(stderr) {
        capturedOut_ = open_memstream(&outText_, &outLength_);
        capturedErr_ = open_memstream(&errText_, &errLength_);
        if (capturedOut_ != nullptr && capturedErr_ != nullptr) {
            stdout = capturedOut_;
            stderr = capturedErr_;
        }
    }
    ~CapturedOutput() {
        release();
        std::free(outText_);
        std::free(errText_);
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // Puts the streams back and returns what went to standard error.
    std::string finish() {
        release();
        return errText_ == nullptr ? std::string() : std::string(errText_, errLength_);
    }

    // What went to standard output; valid after finish().
    std::string standardOutput() const {
        return outText_ == nullptr ? std::string() : std::string(outText_, outLength_);
    }

private:
    void release() {
        stdout = out_;
        stderr = err_;
        for (std::FILE** stream : {&capturedOut_, &capturedErr_}) {
            if (*stream != nullptr) {
                std::fclose(*stream);
                *stream = nullptr;
            }
        }
    }

    std::FILE* out_;
    std::FILE* err_;
    std::FILE* capturedOut_ = nullptr;
    std::FILE* capturedErr_ = nullptr;
    char* outText_ = nullptr;
    char* errText_ = nullptr;
    std::size_t outLength_ = 0;
    std::size_t errLength_ = 0;
};
