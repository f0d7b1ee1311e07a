// What the sector searches of one track can find, read from the track's
// record headers once instead of at every search.
//
// A search for C, H, R, N walks the records from the track's start: a record
// whose count field is 0 ends it with no match; a record holding the identity
// is the match; a record that is the last by its own count ends it with no
// match; the end of the file ends it too. For one family of identities (the
// same C, H and N, any R) the index keeps, per sector number R, the first
// record such a search reaches, found in one streaming pass over the headers.
//
// The index stays exact while it is kept: the file's length never changes, and
// the only bytes written while it is kept are the data of its own records,
// which lie between two of the track's headers and so never change a header
// it was read from. A search of any other track or family rebuilds it from
// the window, which holds every write made so far, so a write that changes
// bytes another track reads as headers is seen there.
#pragma once

#include <array>
#include <cstdint>

#include "image/image_window.h"

// Where one record's data lies in the file.
struct RecordData {
    std::int64_t position = 0;
    std::int32_t length = 0;
};

// The track and identity family one index answers for.
struct SearchFamily {
    std::int64_t trackStart = 0;  // file position of the track's first record
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
    std::uint8_t sizeCode = 0;

    bool operator==(const SearchFamily&) const = default;
};

class TrackRecordIndex {
public:
    // The record a search for the family's C, H and N with this R finds, or
    // nullptr when it finds none. Rebuilds the index when the family changes.
    const RecordData* find(ImageWindow& window, const SearchFamily& family, std::uint8_t record);

    // Forgets the index, for instance when another file or disk is used.
    void clear() { built_ = false; }

private:
    static constexpr int kRecordNumbers = 256;

    void build(ImageWindow& window, const SearchFamily& family);

    bool built_ = false;
    SearchFamily family_;
    std::array<bool, kRecordNumbers> present_{};
    std::array<RecordData, kRecordNumbers> records_{};
};
