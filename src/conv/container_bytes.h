// The bytes of an emulator container file, which are untrusted: every read
// names where it starts and how long it is, and hands nothing back unless
// those bytes lie inside the file. Offsets and lengths are 64-bit and
// signed, so arithmetic on fields read from the file cannot wrap before it
// is checked here.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "d88/byte_order.h"

class ContainerBytes {
public:
    explicit ContainerBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t size() const { return static_cast<std::int64_t>(bytes_.size()); }

    // Whether [offset, offset + length) lies inside the file.
    bool holds(std::int64_t offset, std::int64_t length) const {
        return offset >= 0 && length >= 0 && offset <= size() && length <= size() - offset;
    }

    // The `length` bytes at `offset`, or null when they run outside the file.
    const std::uint8_t* at(std::int64_t offset, std::int64_t length) const {
        return holds(offset, length) ? bytes_.data() + offset : nullptr;
    }

    // A 32-bit field; false, leaving `value` alone, outside the file.
    bool le32At(std::int64_t offset, std::uint32_t& value) const {
        const std::uint8_t* field = at(offset, 4);
        if (field == nullptr) {
            return false;
        }
        value = static_cast<std::uint32_t>(d88::readLE32(field));
        return true;
    }

    // Whether the bytes at `offset` are exactly `text`.
    bool matches(std::int64_t offset, std::string_view text) const {
        const std::uint8_t* field = at(offset, static_cast<std::int64_t>(text.size()));
        return field != nullptr && std::memcmp(field, text.data(), text.size()) == 0;
    }

private:
    std::span<const std::uint8_t> bytes_;
};
