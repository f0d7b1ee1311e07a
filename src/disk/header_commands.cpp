// imgdisk name, protect and media: one field of one disk header changed in
// place. The value on the command line is checked before the file is opened.
#include <cstdio>
#include <span>
#include <string>

#include "common/messages.h"
#include "common/parse_number.h"
#include "common/to_lower_ascii.h"
#include "d88/d88_format.h"
#include "disk/disk_commands.h"
#include "command/exit_status.h"
#include "disk/disk_name.h"
#include "disk/header_edit.h"

namespace {

enum HeaderArgument : int { kImagePath = 0, kDiskNumber = 1, kValue = 2 };

struct ProtectSetting {
    const char* keyword;
    std::uint8_t value;
};

constexpr ProtectSetting kProtectSettings[] = {
    {"on", d88::DiskHeader::writeProtectOn},
    {"off", d88::DiskHeader::writeProtectOff},
};

struct MediaKeyword {
    const char* keyword;
    std::uint8_t code;
    const char* name;  // as the result line shows it
};

constexpr MediaKeyword kMediaKeywords[] = {
    {"2d", d88::kMedia2D, "2D"},
    {"2dd", d88::kMedia2DD, "2DD"},
    {"2hd", d88::kMedia2HD, "2HD"},
};

struct OutcomeMessage {
    HeaderEditOutcome outcome;
    Message message;
};

constexpr OutcomeMessage kOutcomeMessages[] = {
    {HeaderEditOutcome::CannotOpen, Message::CannotOpenImage},
    {HeaderEditOutcome::NoSuchDisk, Message::NoSuchDisk},
    {HeaderEditOutcome::WriteFailed, Message::ImageCloseFailed},
};

// Keywords are taken in any letter case.
template <typename Entry, std::size_t Count>
const Entry* findKeyword(const Entry (&table)[Count], const char* argument) {
    std::string lowered = argument;
    toLowerAscii(lowered.data());
    for (const Entry& entry : table) {
        if (lowered == entry.keyword) {
            return &entry;
        }
    }
    return nullptr;
}

// Writes the field and prints the failure, if any.
bool editField(CommandArguments arguments, std::size_t fieldOffset, std::span<const std::uint8_t> bytes) {
    const HeaderEditOutcome outcome =
        editDiskHeader(arguments[kImagePath], parseNumber(arguments[kDiskNumber]), fieldOffset, bytes);
    for (const OutcomeMessage& entry : kOutcomeMessages) {
        if (entry.outcome == outcome) {
            printMessage(stderr, entry.message);
            return false;
        }
    }
    return true;
}

}  // namespace

int runName(CommandArguments arguments) {
    const DiskNameField name = encodeDiskName(arguments[kValue]);
    if (name.problem == DiskNameProblem::NotShiftJis) {
        printMessage<Message::NameNotShiftJis>(stderr);
        return kExitFailure;
    }
    if (name.problem == DiskNameProblem::TooLong) {
        printMessage<Message::NameTooLong>(stderr, static_cast<int>(name.encodedLength));
        return kExitFailure;
    }
    if (!editField(arguments, d88::DiskHeader::nameOffset, name.bytes)) {
        return kExitFailure;
    }
    printMessage<Message::NameResult>(stdout, parseNumber(arguments[kDiskNumber]));
    return kExitSuccess;
}

int runProtect(CommandArguments arguments) {
    const ProtectSetting* setting = findKeyword(kProtectSettings, arguments[kValue]);
    if (setting == nullptr) {
        printMessage<Message::ProtectSettingUnknown>(stderr);
        return kExitFailure;
    }
    if (!editField(arguments, d88::DiskHeader::writeProtectOffset, std::span(&setting->value, 1))) {
        return kExitFailure;
    }
    printMessage<Message::ProtectResult>(stdout, parseNumber(arguments[kDiskNumber]), setting->keyword);
    return kExitSuccess;
}

int runMedia(CommandArguments arguments) {
    const MediaKeyword* media = findKeyword(kMediaKeywords, arguments[kValue]);
    if (media == nullptr) {
        printMessage<Message::MediaKeywordUnknown>(stderr);
        return kExitFailure;
    }
    if (!editField(arguments, d88::DiskHeader::mediaCodeOffset, std::span(&media->code, 1))) {
        return kExitFailure;
    }
    printMessage<Message::MediaResult>(stdout, parseNumber(arguments[kDiskNumber]), media->name);
    return kExitSuccess;
}
