// A D88 file read back through the image layer's reader (D88Image and its
// record cursor): the first disk's header fields, and each present track's
// records as stored, header fields and data.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

#include "image/d88_image.h"
#include "support/temp_dir.h"

struct ReadBackRecord {
    RecordHeader header;
    Bytes data;
};

struct ReadBackDisk {
    std::int32_t mediaCode = -1;
    std::int32_t writeProtect = -1;
    std::map<int, std::vector<ReadBackRecord>> tracks;  // present tracks only
};

// Each track holds as many records as its first record's count field says.
inline ReadBackDisk readBackD88(const std::filesystem::path& path) {
    ReadBackDisk disk;
    D88Image image;
    const std::string name = path.string();
    EXPECT_TRUE(image.openReadOnly(name.c_str()));
    EXPECT_TRUE(image.selectDisk(0));
    disk.mediaCode = image.mediaType();
    disk.writeProtect = image.writeProtection();
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        if (image.trackEntry(index) == 0) {
            continue;
        }
        EXPECT_TRUE(image.hasTrack(index)) << "track " << index;
        RecordCursor cursor = image.trackCursor(index);
        std::vector<ReadBackRecord>& records = disk.tracks[index];
        ReadBackRecord record;
        while (cursor.next(record.header)) {
            record.data.assign(static_cast<std::size_t>(record.header.dataLength), 0);
            image.readBytes(record.header.dataPosition(), record.data.data(), record.data.size());
            records.push_back(record);
            if (static_cast<std::int32_t>(records.size()) >= records.front().header.count) {
                break;
            }
        }
    }
    return disk;
}
