// Every text the programs print to a user, kept once in one table, and the
// one way to print them, in the user's language (translation.h).
// formatMessage and printMessage check at compile time
// that the arguments fit the text's conversions, one for one and kind for
// kind (a number for %d, a text for %s).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

#include "common/console_text.h"
#include "common/translation.h"

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
    NegativeLength,
    LengthBeyondDisk,
    OutputIsImage,
    CannotOpenReadOutput,
    ReadOutputWriteFailed,
    ImageReadShort,
    PeekResult,
    SoundDiskCount,
    // every program
    ImageReadFailed,
    StandardOutputWriteFailed,
    // imgdisk (its usage block also uses PasteUsageTitle; it also uses
    // CannotOpenImage, NoSuchDisk, CannotOpenReadOutput,
    // ReadOutputWriteFailed and ImageReadFailed)
    DiskUsageExtract,
    DiskUsageSplit,
    DiskUsageJoin,
    DiskUsageRemove,
    DiskUsageMove,
    DiskUsageName,
    DiskUsageProtect,
    DiskUsageMedia,
    InputPathPrefix,
    ImageHasNoDisks,
    DiskSizeBelowHeader,
    DiskPastEndOfFile,
    DiskTrackInsideHeader,
    MoveTargetOutOfRange,
    ResultTooManyDisks,
    ResultTooLarge,
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

    Count  // not a message: the number of them
};

namespace message_table {

struct Entry {
    Message id;
    const char* text;  // UTF-8, with printf conversions %d (a number) and %s (a text)
};

inline constexpr Entry kEntries[] = {
    {Message::FormatUsage, "Usage: imgmint [MediaType] (Sectors) (N) (Tracks) (Pattern)\n"},
    {Message::FormatUsageFirstKeyword, "          mediatype : %s\n"},
    {Message::FormatUsageKeyword, "                      %s\n"},
    {Message::UnknownMediaType, "正しいフォーマット種類を指定してください.\n"},
    {Message::GeometryArgumentsMissing, "トラック数/セクタ数/セクタサイズも指定してください.\n"},
    {Message::TooManyTracks, "トラック数は164以下で指定してください.\n"},
    {Message::NegativeTracks, "トラック数は0以上で指定してください.\n"},
    {Message::NegativeSectors, "セクタ数は0以上で指定してください.\n"},
    {Message::TooManySectors, "セクタ数は65535以下で指定してください.\n"},
    {Message::SizeCodeOutOfRange, "セクタサイズ(N)は0から8で指定してください.\n"},
    {Message::TooManySingleSidedTracks, "片面のトラック数は82以下で指定してください.\n"},
    {Message::ImageTooLarge, "イメージサイズが大きすぎます.\n"},
    {Message::OutOfMemory, "メモリを確保できません.\n"},
    {Message::CannotOpenOutput, "ファイルをオープンできません.\n"},
    {Message::OutputWriteFailed, "ファイルの書き込みに失敗しました.\n"},
    {Message::FormatResult, "%s : [%s] %d tracks %d sectors (N=%d)\n"},

    {Message::PasteUsageTitle, "Usage:\n"},
    {Message::PasteUsage, "Usage: imgpoke (-s) [d88file] [targetfile] [diskno] [track] [Sector]\n"},
    {Message::PasteUsageSingleSided, "     -s : 片面モード\n"},
    {Message::CannotOpenImage, "D88ファイルをオープンできません.\n"},
    {Message::NoSuchDisk, "指定のディスクがありません.\n"},
    {Message::TrackOutOfRange, "トラックの指定が範囲外です.\n"},
    {Message::SingleSidedBanner, "*** 片面モード ***\n"},
    {Message::TrackNotFormatted, "指定のトラックはフォーマットされていません.\n"},
    {Message::SectorNotFound, "指定されたセクタが見つかりません.\n"},
    {Message::CannotOpenSource, "書き込み対象ファイルをオープンできません.\n"},
    {Message::SourceReadFailed, "書き込み対象ファイルの読み込みに失敗しました. \n"},
    {Message::SourceTooLarge, "書き込み対象ファイルが大きすぎます.(最大サイズ: %d byte)\n"},
    {Message::ImageWriteShort, "D88イメージへの書き込みに失敗しました.(書き込んだサイズ: %d byte)\n"},
    {Message::ImageCloseFailed, "D88ファイルへの書き込みを完了できませんでした.\n"},
    {Message::PasteResult, "diskno:%2d track:%2d sector:%2d から %dbyte 書き込みました.\n"},

    {Message::PeekUsageDiskList, "Usage: imgpeek [d88file]\n"},
    {Message::PeekUsageTrackList, "Usage: imgpeek [d88file] [diskno]\n"},
    {Message::PeekUsageRead, "Usage: imgpeek (-s) [d88file] [diskno] [track] [Sector] [length] [outfile]\n"},
    {Message::NegativeLength, "読み込むサイズは0以上で指定してください.\n"},
    {Message::LengthBeyondDisk, "読み込むサイズがディスクのサイズを超えています.(ディスクサイズ: %d byte)\n"},
    {Message::OutputIsImage, "出力ファイルにD88ファイル自身は指定できません.\n"},
    {Message::CannotOpenReadOutput, "出力ファイルをオープンできません.\n"},
    {Message::ReadOutputWriteFailed, "出力ファイルへの書き込みに失敗しました.\n"},
    {Message::ImageReadShort, "D88イメージからの読み込みに失敗しました.(読み込んだサイズ: %d byte)\n"},
    {Message::PeekResult, "diskno:%2d track:%2d sector:%2d から %dbyte 読み込みました.\n"},
    {Message::SoundDiskCount, "D88ディスクとして正しいヘッダ: %d / %d 枚\n"},

    {Message::ImageReadFailed, "D88ファイルの読み込みに失敗しました.\n"},
    {Message::StandardOutputWriteFailed, "標準出力への書き込みに失敗しました.\n"},

    {Message::DiskUsageExtract, "Usage: imgdisk extract [d88file] [diskno] [outfile]\n"},
    {Message::DiskUsageSplit, "Usage: imgdisk split [d88file] (prefix)\n"},
    {Message::DiskUsageJoin, "Usage: imgdisk join [outfile] [d88file]...\n"},
    {Message::DiskUsageRemove, "Usage: imgdisk remove [d88file] [diskno]\n"},
    {Message::DiskUsageMove, "Usage: imgdisk move [d88file] [diskno] [newno]\n"},
    {Message::DiskUsageName, "Usage: imgdisk name [d88file] [diskno] [name]\n"},
    {Message::DiskUsageProtect, "Usage: imgdisk protect [d88file] [diskno] [on|off]\n"},
    {Message::DiskUsageMedia, "Usage: imgdisk media [d88file] [diskno] [2d|2dd|2hd]\n"},
    {Message::InputPathPrefix, "%s : "},
    {Message::ImageHasNoDisks, "D88ファイルにディスクがありません.\n"},
    {Message::DiskSizeBelowHeader, "ディスク %d のサイズが688バイト未満です.\n"},
    {Message::DiskPastEndOfFile, "ディスク %d がファイルの終わりを越えています.\n"},
    {Message::DiskTrackInsideHeader, "ディスク %d のトラック表がヘッダの中を指しています.\n"},
    {Message::MoveTargetOutOfRange, "移動先の番号が範囲外です.\n"},
    {Message::ResultTooManyDisks, "ディスクは64枚までです.(結果: %d 枚)\n"},
    {Message::ResultTooLarge, "結果のファイルが大きすぎます.(最大サイズ: %d byte)\n"},
    {Message::NameTooLong, "名前はShift_JISで16バイト以内で指定してください.(%d byte)\n"},
    {Message::NameNotShiftJis, "名前にShift_JISで表せない文字があります.\n"},
    {Message::ProtectSettingUnknown, "on か off を指定してください.\n"},
    {Message::MediaKeywordUnknown, "メディア種別は 2d, 2dd, 2hd のいずれかで指定してください.\n"},
    {Message::ExtractResult, "ディスク %d を書き出しました.(%d byte)\n"},
    {Message::SplitResult, "%d 枚のディスクを書き出しました.\n"},
    {Message::JoinResult, "%d 枚のディスクをつなぎました.(%d byte)\n"},
    {Message::RemoveResult, "ディスク %d を削除しました.(残り: %d 枚)\n"},
    {Message::MoveResult, "ディスク %d を %d 番に移動しました.\n"},
    {Message::NameResult, "ディスク %d の名前を設定しました.\n"},
    {Message::ProtectResult, "ディスク %d のライトプロテクトを %s にしました.\n"},
    {Message::MediaResult, "ディスク %d のメディア種別を %s にしました.\n"},
};

// The table is indexed by the enumeration; this keeps the two in step.
constexpr bool matchesEnumeration() {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (static_cast<std::size_t>(kEntries[i].id) != i) {
            return false;
        }
    }
    return std::size(kEntries) == static_cast<std::size_t>(Message::Count);
}
static_assert(matchesEnumeration(), "the message table must list every Message in declaration order");

// The kinds of value a conversion takes.
enum class Conversion { Number, Text, Invalid };

// The conversions of a printf text in order: '%', flags, a width, then d or
// s; "%%" is a plain percent sign and takes nothing.
constexpr Conversion conversionAt(std::string_view text, std::size_t& at) {
    ++at;  // past '%'
    while (at < text.size() && (text[at] == '-' || text[at] == '0' || text[at] == ' ' || text[at] == '+')) {
        ++at;
    }
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    if (at >= text.size()) {
        return Conversion::Invalid;
    }
    const char letter = text[at++];
    return letter == 'd' ? Conversion::Number : letter == 's' ? Conversion::Text : Conversion::Invalid;
}

template <typename T>
constexpr Conversion conversionFor() {
    using Plain = std::remove_cvref_t<T>;
    if constexpr (std::same_as<Plain, bool> || std::same_as<Plain, char>) {
        return Conversion::Invalid;
    } else if constexpr (std::integral<Plain>) {
        return Conversion::Number;
    } else if constexpr (std::convertible_to<T, std::string_view>) {
        return Conversion::Text;
    } else {
        return Conversion::Invalid;
    }
}

template <typename... Args>
constexpr bool argumentsFit(std::string_view text) {
    constexpr Conversion given[] = {conversionFor<Args>()..., Conversion::Invalid};
    std::size_t used = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] != '%') {
            ++at;
        } else if (at + 1 < text.size() && text[at + 1] == '%') {
            at += 2;
        } else {
            const Conversion wanted = conversionAt(text, at);
            if (wanted == Conversion::Invalid || used == sizeof...(Args) || given[used] != wanted) {
                return false;
            }
            ++used;
        }
    }
    return used == sizeof...(Args);
}

// Every conversion in the table is one the formatter knows.
constexpr bool conversionsKnown() {
    for (const Entry& entry : kEntries) {
        const std::string_view text = entry.text;
        for (std::size_t at = 0; at < text.size();) {
            if (text[at] != '%') {
                ++at;
            } else if (at + 1 < text.size() && text[at + 1] == '%') {
                at += 2;
            } else if (conversionAt(text, at) == Conversion::Invalid) {
                return false;
            }
        }
    }
    return true;
}
static_assert(conversionsKnown(), "a message uses a conversion other than %d and %s");

// One argument, held as what its conversion prints.
struct Argument {
    Conversion kind;
    long long number;
    std::string_view text;
};

template <typename T>
Argument argument(const T& value) {
    if constexpr (conversionFor<T>() == Conversion::Number) {
        return {Conversion::Number, static_cast<long long>(value), {}};
    } else {
        return {Conversion::Text, 0, std::string_view(value)};
    }
}

// Formats the text with the arguments; a conversion without a fitting
// argument prints nothing.
std::string format(const char* text, const Argument* arguments, std::size_t count);

}  // namespace message_table

// The UTF-8 text of a message as the table holds it (Japanese, the system's
// own), with its conversions; the catalog's translations are keyed by it.
constexpr const char* messageText(Message id) {
    return message_table::kEntries[static_cast<std::size_t>(id)].text;
}

template <Message id, typename... Args>
std::string formatMessage(const Args&... values) {
    static_assert(message_table::argumentsFit<Args...>(messageText(id)),
                  "the arguments do not fit the message's conversions");
    const message_table::Argument arguments[] = {message_table::argument(values)..., {}};
    return message_table::format(translated(messageText(id)), arguments, sizeof...(Args));
}

// Writes the message to the stream in the console's encoding.
template <Message id, typename... Args>
void printMessage(std::FILE* stream, const Args&... values) {
    writeConsoleText(stream, formatMessage<id>(values...));
}

// A message chosen at run time, for the refusals that take no argument; a
// conversion in its text would print nothing.
inline void printMessage(std::FILE* stream, Message id) {
    writeConsoleText(stream, message_table::format(translated(messageText(id)), nullptr, 0));
}
