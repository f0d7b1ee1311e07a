// A model of one imgpoke run, written from the documented rules and not from
// the program's code, to say what a paste into a known layout must print and
// which bytes it must write. It knows the records of every track from the
// test's own description of the image (never from the program), and takes
// the file's length into account, so that it also predicts runs on a cut file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/temp_dir.h"

struct ModelRecord {
    std::size_t offset = 0;  // file offset of the record header
    std::uint8_t cylinder = 0;
    std::uint8_t head = 0;
    std::uint8_t record = 0;
    std::uint8_t sizeCode = 0;
    std::uint16_t count = 0;
    std::uint16_t dataLength = 0;
};

struct ModelDisk {
    std::size_t offset = 0;  // file offset of the disk header
    std::size_t size = 0;    // its size field, true length of the disk
    // Records in stored order, per track index whose entry is usable.
    std::map<int, std::vector<ModelRecord>> tracks;
};

struct ModelImage {
    std::vector<ModelDisk> disks;
    std::size_t fileLength = 0;  // may be shorter than the disks, for a cut file
};

struct PasteCase {
    bool singleSided = false;
    int disk = 0;
    int track = 0;
    int sector = 1;
    std::size_t sourceLength = 0;
};

// Source bytes [from, from + length) stored at file offset `offset`.
struct ModelWrite {
    std::size_t offset = 0;
    std::size_t from = 0;
    std::size_t length = 0;
};

struct PastePrediction {
    int exitStatus = 1;
    std::string out;
    std::string err;
    std::vector<ModelWrite> writes;
};

PastePrediction predictPaste(const ModelImage& image, const PasteCase& paste);

// The image bytes after the predicted writes.
Bytes applyWrites(Bytes image, const Bytes& source, const std::vector<ModelWrite>& writes);

// The model of a well-formed image read from its bytes: the disks its size
// fields chain, each track by its entry and its records by their count.
ModelImage modelOfSoundImage(const Bytes& image);

// Whether a file offset holds sector data of some record of the image.
std::vector<bool> sectorDataBytes(const ModelImage& image, std::size_t fileLength);

// The texts imgpoke prints, as the user reads them (UTF-8).
namespace paste_text {
extern const char* const kBanner;
extern const char* const kNoSuchDisk;
extern const char* const kTrackOutOfRange;
extern const char* const kTrackNotFormatted;
extern const char* const kSectorNotFound;
std::string shortWrite(std::size_t written);
std::string result(int disk, int track, int sector, std::size_t written);
}  // namespace paste_text
