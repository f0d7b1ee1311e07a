// Where a writer's bytes go. A writer makes every refusal before its first
// byte, so a refused conversion never starts its output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const std::uint8_t* bytes, std::size_t length) = 0;
};

// Keeps the bytes in memory.
class MemorySink : public ByteSink {
public:
    void write(const std::uint8_t* bytes, std::size_t length) override {
        this->bytes.insert(this->bytes.end(), bytes, bytes + length);
    }

    std::vector<std::uint8_t> bytes;
};
