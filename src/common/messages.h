// Every text the programs print, kept once in one table (messages.cpp).
#pragma once

#include <cstdio>

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
};

// The UTF-8 printf format of a message.
const char* messageText(Message id);

// Formats a message with printf conversions and writes it to the stream in the
// console's encoding (see console_text.h).
void printMessage(std::FILE* stream, Message id, ...);
