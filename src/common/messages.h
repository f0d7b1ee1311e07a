// Every text the programs print, kept once in one table (messages.cpp).
#pragma once

#include <cstdio>
#include <string>

enum class Message {
    // imgmint
    FormatUsage,
    FormatUsageFirstKeyword,
    FormatUsageKeyword,
    UnknownMediaType,
    GeometryArgumentsMissing,
    TooManyTracks,
    NegativeTracks,
    NegativeSectors,
    TooManySectors,
    SizeCodeOutOfRange,
    TooManySingleSidedTracks,
    ImageTooLarge,
    OutOfMemory,
    CannotOpenOutput,
    OutputWriteFailed,
    FormatResult,
    // imgpoke
    PasteUsageTitle,
    PasteUsage,
    PasteUsageSingleSided,
    CannotOpenImage,
    NoSuchDisk,
    TrackOutOfRange,
    SingleSidedBanner,
    TrackNotFormatted,
    SectorNotFound,
    CannotOpenSource,
    SourceReadFailed,
    SourceTooLarge,
    ImageWriteShort,
    ImageCloseFailed,
    PasteResult,
    // imgpeek (its usage block also uses PasteUsageTitle and PasteUsageSingleSided)
    PeekUsageDiskList,
    PeekUsageTrackList,
    PeekUsageRead,
    DiskListHeading,
    DiskListLine,
    EscapedByte,
    MediaCodeNamed,
    MediaCodeOther,
    MediaName2D,
    MediaName2DD,
    MediaName2HD,
    WriteProtected,
    WriteEnabled,
    TrackListHeading,
    TrackListLine,
    NoValue,
    MarkOrder,
    MarkCount,
    MarkLength,
    MarkCylinder,
    MarkHead,
    MarkRange,
    MarkEndOfFile,
    MarkRecordLimit,
    MarkOutsideDisk,
    NegativeLength,
    LengthBeyondDisk,
    OutputIsImage,
    CannotOpenReadOutput,
    ReadOutputWriteFailed,
    ImageReadShort,
    PeekResult,
    // imgdisk (its usage block also uses PasteUsageTitle; it also uses
    // CannotOpenImage, NoSuchDisk, CannotOpenReadOutput,
    // ReadOutputWriteFailed, ImageCloseFailed and the media names)
    DiskUsageExtract,
    DiskUsageSplit,
    DiskUsageJoin,
    DiskUsageRemove,
    DiskUsageMove,
    DiskUsageName,
    DiskUsageProtect,
    DiskUsageMedia,
    DiskVersion,
    InputPathPrefix,
    ImageHasNoDisks,
    DiskSizeBelowHeader,
    DiskPastEndOfFile,
    DiskTrackInsideHeader,
    MoveTargetOutOfRange,
    ResultTooManyDisks,
    ResultTooLarge,
    ImageReadFailed,
    NameTooLong,
    NameNotShiftJis,
    ProtectSettingUnknown,
    MediaKeywordUnknown,
    ExtractResult,
    SplitResult,
    JoinResult,
    RemoveResult,
    MoveResult,
    NameResult,
    ProtectResult,
    MediaResult,
};

// The UTF-8 printf format of a message.
const char* messageText(Message id);

// Formats a message with printf conversions into UTF-8 text.
std::string formatMessage(Message id, ...);

// Formats a message with printf conversions and writes it to the stream in the
// console's encoding (see console_text.h).
void printMessage(std::FILE* stream, Message id, ...);
