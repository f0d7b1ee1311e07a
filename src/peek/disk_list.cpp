#include "peek/disk_list.h"

#include <string>

#include "common/messages.h"
#include "d88/d88_format.h"
#include "peek/listing_text.h"

namespace {

struct MediaName {
    std::uint8_t code;
    Message name;
};

// 1D shares 2D's code and 1DD shares 2DD's, so a code alone names these.
constexpr MediaName kMediaNames[] = {
    {d88::kMedia2D, Message::MediaName2D},
    {d88::kMedia2DD, Message::MediaName2DD},
    {d88::kMedia2HD, Message::MediaName2HD},
};

std::string mediaColumn(std::int32_t code) {
    for (const MediaName& media : kMediaNames) {
        if (media.code == code) {
            return formatMessage(Message::MediaCodeNamed, code, messageText(media.name));
        }
    }
    return formatMessage(Message::MediaCodeOther, code);
}

int usableTrackEntries(const D88Image& image) {
    int usable = 0;
    for (int index = 0; index < d88::kTrackTableEntries; ++index) {
        usable += image.hasTrack(index) ? 1 : 0;
    }
    return usable;
}

}  // namespace

void printDiskHeading() { writeListingLine(formatMessage(Message::DiskListHeading)); }

void printDiskLine(D88Image& image, std::int32_t number) {
    image.selectDisk(number);
    const Message protection = image.writeProtection() != 0 ? Message::WriteProtected : Message::WriteEnabled;
    writeListingLine(formatMessage(Message::DiskListLine, number, mediaColumn(image.mediaType()).c_str(),
                                   messageText(protection), image.diskSizeField(), usableTrackEntries(image),
                                   escapedName(image.diskName()).c_str()));
}

void printDiskList(D88Image& image) {
    printDiskHeading();
    for (std::int32_t number = 0; number < image.diskCount(); ++number) {
        printDiskLine(image, number);
    }
}
