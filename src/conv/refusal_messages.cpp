#include "conv/refusal_messages.h"

#include "common/messages.h"
#include "format/format_command.h"

namespace {

// Which of the refusal's fields a message prints, in order.
enum class Arguments {
    Texts,        // text, text2
    TrackValues,  // track, values...
    Values,       // values...
    ValueText,    // the first value, text
    TextValues,   // text, values...
    Geometry,     // the formatter's message for the GeometryProblem in the first value
};

struct RefusalMessage {
    Problem problem;
    Message message;
    Arguments arguments;
};

constexpr RefusalMessage kRefusalMessages[] = {
    {Problem::UnknownOption, Message::ConvUnknownOption, Arguments::Texts},
    {Problem::OptionNeedsValue, Message::ConvOptionNeedsValue, Arguments::Texts},
    {Problem::UnknownFormat, Message::ConvUnknownFormat, Arguments::Texts},
    {Problem::BadDiskNumber, Message::ConvBadDiskNumber, Arguments::Texts},
    {Problem::DiskOptionNeedsD88, Message::ConvDiskNeedsD88, Arguments::Texts},
    {Problem::MediaOptionNeedsRaw, Message::ConvMediaNeedsRaw, Arguments::Texts},
    {Problem::OutputExists, Message::ConvOutputExists, Arguments::Texts},
    {Problem::CannotOpenInput, Message::ConvCannotOpenInput, Arguments::Texts},
    {Problem::InputReadFailed, Message::ConvInputReadFailed, Arguments::Texts},
    {Problem::CannotCreateOutput, Message::ConvCannotCreateOutput, Arguments::Texts},
    {Problem::OutputWriteFailed, Message::ConvOutputWriteFailed, Arguments::Texts},
    {Problem::OutOfMemory, Message::OutOfMemory, Arguments::Texts},
    {Problem::NoSuchDisk, Message::NoSuchDisk, Arguments::Texts},
    {Problem::TrackEntryOutside, Message::ConvTrackEntryOutside, Arguments::TrackValues},
    {Problem::RecordOutside, Message::ConvRecordOutside, Arguments::TrackValues},
    {Problem::TracksOverlap, Message::ConvTracksOverlap, Arguments::TrackValues},
    {Problem::ZeroSectorCount, Message::ConvZeroSectorCount, Arguments::TrackValues},
    {Problem::SectorCountsDisagree, Message::ConvSectorCountsDisagree, Arguments::TrackValues},
    {Problem::MediaInvalid, Message::ConvMediaInvalid, Arguments::Texts},
    {Problem::MediaNeedsNumbers, Message::GeometryArgumentsMissing, Arguments::Texts},
    {Problem::MediaGeometry, Message::ImageTooLarge, Arguments::Geometry},
    {Problem::SizeAmbiguous, Message::ConvSizeAmbiguous, Arguments::ValueText},
    {Problem::SizeUnknown, Message::ConvSizeUnknown, Arguments::ValueText},
    {Problem::SizeMismatch, Message::ConvSizeMismatch, Arguments::TextValues},
    {Problem::FdiHeaderShort, Message::ConvFdiHeaderShort, Arguments::Values},
    {Problem::FdiSizesDisagree, Message::ConvFdiSizesDisagree, Arguments::Values},
    {Problem::FdiGeometryInvalid, Message::ConvFdiGeometryInvalid, Arguments::Values},
    {Problem::FdiGeometryDisagrees, Message::ConvFdiGeometryDisagrees, Arguments::Values},
    {Problem::FdiUnknownType, Message::ConvFdiUnknownType, Arguments::Values},
    {Problem::NoTracks, Message::ConvNoTracks, Arguments::Texts},
    {Problem::TrackMissing, Message::ConvTrackMissing, Arguments::TrackValues},
    {Problem::SectorNumberTwice, Message::ConvSectorNumberTwice, Arguments::TrackValues},
    {Problem::SectorNumbersNotRun, Message::ConvSectorNumbersNotRun, Arguments::TrackValues},
    {Problem::SectorCountDiffers, Message::ConvSectorCountDiffers, Arguments::TrackValues},
    {Problem::FirstSectorDiffers, Message::ConvFirstSectorDiffers, Arguments::TrackValues},
    {Problem::DataLengthNotSizeCode, Message::ConvDataLengthNotSizeCode, Arguments::TrackValues},
    {Problem::SectorLengthDiffers, Message::ConvSectorLengthDiffers, Arguments::TrackValues},
    {Problem::DensityNotDouble, Message::ConvDensityNotDouble, Arguments::TrackValues},
    {Problem::DeletedMark, Message::ConvDeletedMark, Arguments::TrackValues},
    {Problem::ErrorStatus, Message::ConvErrorStatus, Arguments::TrackValues},
    {Problem::IdentityNotTrack, Message::ConvIdentityNotTrack, Arguments::TrackValues},
    {Problem::FdiFirstTrackDiffers, Message::ConvFdiFirstTrackDiffers, Arguments::Texts},
    {Problem::FdiHalfCylinder, Message::ConvFdiHalfCylinder, Arguments::TrackValues},
    {Problem::FdiNoDriveType, Message::ConvFdiNoDriveType, Arguments::Values},
    {Problem::D88TrackTooLarge, Message::ConvD88TrackTooLarge, Arguments::TrackValues},
    {Problem::D88ImageTooLarge, Message::ImageTooLarge, Arguments::Texts},
    {Problem::FormatNotWritable, Message::ConvFormatNotWritable, Arguments::Texts},
    {Problem::ContainerHeaderShort, Message::ConvContainerHeaderShort, Arguments::TextValues},
    {Problem::ContainerNoSignature, Message::ConvContainerNoSignature, Arguments::Texts},
    {Problem::ContainerUnknownMedia, Message::ConvContainerUnknownMedia, Arguments::TextValues},
    {Problem::ContainerDataShort, Message::ConvContainerDataShort, Arguments::TextValues},
    {Problem::ContainerDataLeftOver, Message::ConvContainerDataLeftOver, Arguments::TextValues},
    {Problem::ContainerTrackOutsideMedia, Message::ConvContainerTrackOutsideMedia, Arguments::TrackValues},
    {Problem::ContainerSizeCodeTooLarge, Message::ConvContainerSizeCodeTooLarge, Arguments::TrackValues},
    {Problem::NfdHeaderSizeInvalid, Message::ConvNfdHeaderSizeInvalid, Arguments::Values},
    {Problem::NfdTrackBlockOutside, Message::ConvNfdTrackBlockOutside, Arguments::TrackValues},
    {Problem::FddDataOutside, Message::ConvFddDataOutside, Arguments::TrackValues},
    {Problem::DimDataNotWholeTracks, Message::ConvDimDataNotWholeTracks, Arguments::Values},
};

// Every message in the table takes a leading part of the arguments its row
// says it is given, of the right kinds.
constexpr bool argumentsFit(const RefusalMessage& entry) {
    using message_table::fitsLeadingArguments;
    const char* text = messageText(entry.message);
    switch (entry.arguments) {
    case Arguments::Texts:
        return fitsLeadingArguments<const char*, const char*>(text);
    case Arguments::TrackValues:
        return fitsLeadingArguments<int, long long, long long, long long, long long>(text);
    case Arguments::Values:
        return fitsLeadingArguments<long long, long long, long long, long long>(text);
    case Arguments::ValueText:
        return fitsLeadingArguments<long long, const char*>(text);
    case Arguments::TextValues:
        return fitsLeadingArguments<const char*, long long, long long>(text);
    case Arguments::Geometry:
        return fitsLeadingArguments<>(text);
    }
    return false;
}

constexpr bool everyMessageFits() {
    for (const RefusalMessage& entry : kRefusalMessages) {
        if (!argumentsFit(entry)) {
            return false;
        }
    }
    return true;
}
static_assert(everyMessageFits(), "a refusal message's conversions do not fit the arguments its row gives");

}  // namespace

void printRefusal(std::FILE* stream, const Refusal& refusal) {
    const RefusalMessage* entry = nullptr;
    for (const RefusalMessage& candidate : kRefusalMessages) {
        if (candidate.problem == refusal.problem) {
            entry = &candidate;
        }
    }
    if (entry == nullptr) {
        return;
    }
    const auto value = [&refusal](std::size_t i) { return static_cast<long long>(refusal.values[i]); };
    const char* text = refusal.text.c_str();
    switch (entry->arguments) {
    case Arguments::Texts:
        printChosenMessage(stream, entry->message, text, refusal.text2.c_str());
        break;
    case Arguments::TrackValues:
        printChosenMessage(stream, entry->message, static_cast<int>(refusal.track), value(0), value(1), value(2),
                           value(3));
        break;
    case Arguments::Values:
        printChosenMessage(stream, entry->message, value(0), value(1), value(2), value(3));
        break;
    case Arguments::ValueText:
        printChosenMessage(stream, entry->message, value(0), text);
        break;
    case Arguments::TextValues:
        printChosenMessage(stream, entry->message, text, value(0), value(1));
        break;
    case Arguments::Geometry:
        printMessage(stream, geometryProblemMessage(static_cast<GeometryProblem>(refusal.values[0])));
        break;
    }
}
