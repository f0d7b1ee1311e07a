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
    // imgconv
    ConvUsage,
    ConvUnknownOption,
    ConvOptionNeedsValue,
    ConvUnknownFormat,
    ConvBadDiskNumber,
    ConvDiskNeedsD88,
    ConvMediaNeedsRaw,
    ConvOutputExists,
    ConvCannotOpenInput,
    ConvInputReadFailed,
    ConvCannotCreateOutput,
    ConvOutputWriteFailed,
    ConvTrackEntryOutside,
    ConvRecordOutside,
    ConvTracksOverlap,
    ConvZeroSectorCount,
    ConvSectorCountsDisagree,
    ConvMediaInvalid,
    ConvSizeAmbiguous,
    ConvSizeUnknown,
    ConvSizeMismatch,
    ConvFdiHeaderShort,
    ConvFdiSizesDisagree,
    ConvFdiGeometryInvalid,
    ConvFdiGeometryDisagrees,
    ConvFdiUnknownType,
    ConvNoTracks,
    ConvTrackMissing,
    ConvSectorNumberTwice,
    ConvSectorNumbersNotRun,
    ConvSectorCountDiffers,
    ConvFirstSectorDiffers,
    ConvDataLengthNotSizeCode,
    ConvSectorLengthDiffers,
    ConvDensityNotDouble,
    ConvDeletedMark,
    ConvErrorStatus,
    ConvIdentityNotTrack,
    ConvFdiFirstTrackDiffers,
    ConvFdiHalfCylinder,
    ConvFdiNoDriveType,
    ConvD88TrackTooLarge,
    ConvResult,
    // imgconv: the emulator containers.
    ConvFormatNotWritable,
    ConvContainerHeaderShort,
    ConvContainerNoSignature,
    ConvContainerUnknownMedia,
    ConvContainerDataShort,
    ConvContainerDataLeftOver,
    ConvContainerTrackOutsideMedia,
    ConvContainerSizeCodeTooLarge,
    ConvNfdHeaderSizeInvalid,
    ConvNfdTrackBlockOutside,
    ConvFddDataOutside,
    ConvDimDataNotWholeTracks,

    Count  // not a message: the number of them
};

namespace message_table {

struct Entry {
    Message id;
    const char* text;  // UTF-8, with printf conversions %d and %X (a number) and %s (a text)
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

    {Message::ConvUsage,
     "Usage: imgconv [options] INPUT OUTPUT\n"
     "  --from FORMAT : 入力の形式 (%s. 省略時は INPUT の拡張子から)\n"
     "  --to FORMAT   : 出力の形式 (%s. 省略時は OUTPUT の拡張子から)\n"
     "  --disk N      : D88 入力のディスク番号 (省略時は 0)\n"
     "  --media TYPE  : raw 入力の形状 (セクタのある imgmint の種類, または 2d/2dd/2hd/1d/1dd,セクタ数,N[,トラック数])\n"
     "  -n            : OUTPUT が既にあれば置き換えない\n"
     "  -h, --help    : この説明を表示する\n"
     "  --version     : バージョンを表示する\n"
     "  OUTPUT が - のときは標準出力に書き込みます.\n"},
    {Message::ConvUnknownOption, "不明なオプションです: %s\n"},
    {Message::ConvOptionNeedsValue, "オプション %s には値を指定してください.\n"},
    {Message::ConvUnknownFormat, "形式 %s は扱えません.(%s のどれかを指定してください)\n"},
    {Message::ConvBadDiskNumber, "ディスク番号 %s が正しくありません.\n"},
    {Message::ConvDiskNeedsD88, "--disk は D88 の入力にだけ指定できます.\n"},
    {Message::ConvMediaNeedsRaw, "--media は raw の入力にだけ指定できます.\n"},
    {Message::ConvOutputExists, "出力ファイル %s は既にあります.\n"},
    {Message::ConvCannotOpenInput, "入力ファイル %s をオープンできません.\n"},
    {Message::ConvInputReadFailed, "入力ファイル %s の読み込みに失敗しました.\n"},
    {Message::ConvCannotCreateOutput, "出力ファイル %s を作成できません.\n"},
    {Message::ConvOutputWriteFailed, "出力ファイル %s への書き込みに失敗しました.\n"},
    {Message::ConvTrackEntryOutside, "トラック %d: トラックテーブルの値 %d がディスクのデータ領域の外を指しています.\n"},
    {Message::ConvRecordOutside, "トラック %d: レコードがディスクかファイルの終わりを越えています.\n"},
    {Message::ConvTracksOverlap, "トラック %d: レコードがトラック %d のレコードと重なっています.\n"},
    {Message::ConvZeroSectorCount, "トラック %d: 最初のレコードのセクタ数が0です.\n"},
    {Message::ConvSectorCountsDisagree, "トラック %d: レコードのセクタ数 %d が最初のレコードの %d と違います.\n"},
    {Message::ConvMediaInvalid, "媒体の指定 %s は使えません.(セクタのある imgmint の種類か, 2d/2dd/2hd/1d/1dd,セクタ数,N[,トラック数])\n"},
    {Message::ConvSizeAmbiguous, "入力のサイズ %d byte に合う形状が複数あります: %s. --media で指定してください.\n"},
    {Message::ConvSizeUnknown, "入力のサイズ %d byte に合う形状がありません.(扱えるサイズ: %s)\n"},
    {Message::ConvSizeMismatch, "%s の形状は %d byte ですが, 入力は %d byte です.\n"},
    {Message::ConvFdiHeaderShort, "FDIヘッダが短すぎます.(%d byte)\n"},
    {Message::ConvFdiSizesDisagree, "FDIヘッダのヘッダサイズ %d byte とデータサイズ %d byte の和がファイルサイズ %d byte と違います.\n"},
    {Message::ConvFdiGeometryInvalid, "FDIヘッダの形状は扱えません.(セクタ長 %d, セクタ数 %d, ヘッド数 %d, シリンダ数 %d)\n"},
    {Message::ConvFdiGeometryDisagrees, "FDIヘッダの形状のデータは %d byte ですが, データサイズは %d byte です.\n"},
    {Message::ConvFdiUnknownType, "FDIヘッダのFDDタイプ 0x%02X は不明です.\n"},
    {Message::ConvNoTracks, "変換するトラックがありません.\n"},
    {Message::ConvTrackMissing, "トラック %d がありません(後のトラックはあります).\n"},
    {Message::ConvSectorNumberTwice, "トラック %d: セクタ番号 %d が2つあります.\n"},
    {Message::ConvSectorNumbersNotRun, "トラック %d: セクタ番号が連続していません.(%d から %d に %d 個)\n"},
    {Message::ConvSectorCountDiffers, "トラック %d: セクタ数 %d が最初のトラックの %d と違います.\n"},
    {Message::ConvFirstSectorDiffers, "トラック %d: 最初のセクタ番号 %d が最初のトラックの %d と違います.\n"},
    {Message::ConvDataLengthNotSizeCode, "トラック %d: セクタ %d のデータ長 %d byte が N=%d の長さと違います.\n"},
    {Message::ConvSectorLengthDiffers, "トラック %d: セクタ %d の長さ %d byte がほかのセクタの %d byte と違います.\n"},
    {Message::ConvDensityNotDouble, "トラック %d: セクタ %d の密度 0x%02X は倍密度ではありません.\n"},
    {Message::ConvDeletedMark, "トラック %d: セクタ %d に削除データマークがあります.\n"},
    {Message::ConvErrorStatus, "トラック %d: セクタ %d にエラー状態 0x%02X があります.\n"},
    {Message::ConvIdentityNotTrack, "トラック %d: セクタ %d の C=%d H=%d がトラックと合いません.\n"},
    {Message::ConvFdiFirstTrackDiffers, "FDIにはセクタ長の違う最初のトラック(単密度 128 byte)を入れられません.\n"},
    {Message::ConvFdiHalfCylinder, "FDIには片面だけのシリンダを入れられません.(トラック %d)\n"},
    {Message::ConvFdiNoDriveType, "媒体コード 0x%02X に合うFDIのFDDタイプがありません.\n"},
    {Message::ConvD88TrackTooLarge, "トラック %d: D88のレコードに入りません.(セクタ数 %d, データ長 %d byte)\n"},
    {Message::ConvResult, "%s (%s) を %s (%s) に変換しました.(%d byte)\n"},
    // imgconv: the emulator containers.
    {Message::ConvFormatNotWritable, "形式 %s には書き込めません.(%s のどれかを指定してください)\n"},
    {Message::ConvContainerHeaderShort, "%s: ファイル(%d byte)がヘッダ(%d byte)より短いです.\n"},
    {Message::ConvContainerNoSignature, "%s の識別文字列がありません.\n"},
    {Message::ConvContainerUnknownMedia, "%s: 媒体の種類 0x%02X は扱えません.\n"},
    {Message::ConvContainerDataShort, "%s: ヘッダの示すデータには %d byte 以上要りますが, ファイルのデータは %d byte です.\n"},
    {Message::ConvContainerDataLeftOver, "%s: ヘッダの示すデータは %d byte ですが, ファイルのデータは %d byte あります.\n"},
    {Message::ConvContainerTrackOutsideMedia, "トラック %d: 媒体のトラック数 %d を越えるトラックが記録されています.\n"},
    {Message::ConvContainerSizeCodeTooLarge, "トラック %d: セクタ %d の N=%d はD88に入りません.(N は %d まで)\n"},
    {Message::ConvNfdHeaderSizeInvalid, "NFDのヘッダサイズ %d byte が正しくありません.(%d byte からファイルサイズ %d byte まで)\n"},
    {Message::ConvNfdTrackBlockOutside, "トラック %d: NFDのトラック情報の位置 0x%X がヘッダ(%d byte)の外です.\n"},
    {Message::ConvFddDataOutside, "トラック %d: セクタ %d のデータ位置 0x%X がファイル(%d byte)のデータ領域の外です.\n"},
    {Message::ConvDimDataNotWholeTracks, "DIMのデータ %d byte がトラックの長さ %d byte の整数倍ではありません.\n"},
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

// The conversions of a printf text in order: '%', flags, a width, then d, X
// (a number in upper-case hexadecimal) or s; "%%" is a plain percent sign
// and takes nothing.
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
    return letter == 'd' || letter == 'X' ? Conversion::Number : letter == 's' ? Conversion::Text : Conversion::Invalid;
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

// How many of the given arguments the text's conversions take, in order and
// each of the kind given at its place; -1 when they do not fit (a
// conversion of another kind, or more conversions than arguments).
template <typename... Args>
constexpr int argumentsTaken(std::string_view text) {
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
                return -1;
            }
            ++used;
        }
    }
    return static_cast<int>(used);
}

// Whether the text takes exactly these arguments.
template <typename... Args>
constexpr bool argumentsFit(std::string_view text) {
    return argumentsTaken<Args...>(text) == static_cast<int>(sizeof...(Args));
}

// Whether the text takes a leading part of these arguments (a table of
// messages chosen at run time passes them all).
template <typename... Args>
constexpr bool fitsLeadingArguments(std::string_view text) {
    return argumentsTaken<Args...>(text) >= 0;
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
static_assert(conversionsKnown(), "a message uses a conversion other than %d, %X and %s");

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

// A message chosen at run time with arguments, for tables of messages whose
// texts take the same kinds of argument. The table's owner checks at compile
// time, with message_table::fitsLeadingArguments, that every text's
// conversions take a leading part of those kinds; a conversion without an
// argument would print nothing.
template <typename... Args>
void printChosenMessage(std::FILE* stream, Message id, const Args&... values) {
    const message_table::Argument arguments[] = {message_table::argument(values)..., {}};
    writeConsoleText(stream, message_table::format(translated(messageText(id)), arguments, sizeof...(Args)));
}

// A message chosen at run time, for the refusals that take no argument; a
// conversion in its text would print nothing.
inline void printMessage(std::FILE* stream, Message id) {
    writeConsoleText(stream, message_table::format(translated(messageText(id)), nullptr, 0));
}
