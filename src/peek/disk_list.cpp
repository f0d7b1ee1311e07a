#include "peek/disk_list.h"

#include <string>

#include "common/messages.h"
#include "d88/d88_format.h"
#include "peek/listing_text.h"

namespace {

struct MediaName {
    std::uint8_t code;
    const char* name;
};

// 1D shares 2D's code and 1DD shares 2DD's, so a code alone names these.
constexpr MediaName kMediaNames[] = {
    {d88::kMedia2D, "2D"},
    {d88::kMedia2DD, "2DD"},
    {d88::kMedia2HD, "2HD"},
};

// The listing's word for each way a header cannot be a D88 disk header.
struct ProblemMark {
    DiskProblem problem;
    const char* mark;
};

constexpr ProblemMark kProblemMarks[] = {
    {DiskProblem::SizeBelowHeader, "small"},
    {DiskProblem::PastEndOfFile, "eof"},
    {DiskProblem::TrackInsideHeader, "header"},
};

const char* problemMark(DiskProblem problem) {
    for (const ProblemMark& entry : kProblemMarks) {
        if (entry.problem == problem) {
            return entry.mark;
        }
    }
    return "";
}

constexpr const char* kProtected = "yes";
constexpr const char* kNotProtected = "no";

// The code as two hexadecimal digits (all 32 bits of -1 when no header
// was loaded), with the media's name when the code has one.
std::string mediaColumn(std::int32_t code) {
    const auto shown = static_cast<unsigned>(code);
    for (const MediaName& media : kMediaNames) {
        if (media.code == code) {
            return formatListing("0x%02X %s", shown, media.name);
        }
    }
    return formatListing("0x%02X", shown);
}

int usableTrackEntries(const D88Image& image) {
    int usable = 0;
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        usable += image.hasTrack(index) ? 1 : 0;
    }
    return usable;
}

}  // namespace

void printDiskHeading() { writeListingLine("disk  media     protect        size  tracks  marks   name\n"); }

void printDiskLine(const D88Image& image, std::int32_t number) {
    const char* protection = image.writeProtection() != 0 ? kProtected : kNotProtected;
    writeListingLine(formatListing("%4d  %-8s  %-7s  %10d  %6d  %-6s  %s\n", number,
                                   mediaColumn(image.mediaType()).c_str(), protection, image.diskSizeField(),
                                   usableTrackEntries(image), problemMark(image.diskProblem()),
                                   decodedName(image.diskName()).c_str()));
}

// Ends with how many of the disks look sound: any file lists as some
// disks, and this line tells at a glance whether it is a D88 file at all.
void printDiskList(D88Image& image) {
    printDiskHeading();
    int sound = 0;
    for (std::int32_t number = 0; number < image.diskCount(); ++number) {
        image.selectDisk(number);
        printDiskLine(image, number);
        sound += image.diskProblem() == DiskProblem::None ? 1 : 0;
    }
    printMessage<Message::SoundDiskCount>(stdout, sound, image.diskCount());
}
