#include "common/messages.h"

#include <array>
#include <cstdarg>
#include <string>


#include "common/console_text.h"

namespace {

struct MessageEntry {
    Message id;
    const char* text;
};

constexpr MessageEntry kMessages[] = {
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
    {Message::DiskListHeading, "disk  media     protect        size  tracks  name\n"},
    {Message::DiskListLine, "%4d  %-8s  %-7s  %10d  %6d  %s\n"},
    {Message::EscapedByte, "\\x%02X"},
    {Message::MediaCodeNamed, "0x%02X %s"},
    {Message::MediaCodeOther, "0x%02X"},
    {Message::MediaName2D, "2D"},
    {Message::MediaName2DD, "2DD"},
    {Message::MediaName2HD, "2HD"},
    {Message::WriteProtected, "yes"},
    {Message::WriteEnabled, "no"},
    {Message::TrackListHeading, "track  cyl  head  records  lowR  highR  N      length       marks\n"},
    {Message::TrackListLine, "%5d  %3d  %4d  %7s  %4s  %5s  %-5s  %-11s  %s\n"},
    {Message::NoValue, "-"},
    {Message::MarkOrder, "order:%s"},
    {Message::MarkCount, "count"},
    {Message::MarkLength, "length"},
    {Message::MarkCylinder, "cyl"},
    {Message::MarkHead, "head"},
    {Message::MarkRange, "range"},
    {Message::MarkEndOfFile, "eof"},
    {Message::MarkRecordLimit, "limit"},
    {Message::MarkOutsideDisk, "outside"},
    {Message::NegativeLength, "読み込むサイズは0以上で指定してください.\n"},
    {Message::LengthBeyondDisk, "読み込むサイズがディスクのサイズを超えています.(ディスクサイズ: %d byte)\n"},
    {Message::OutputIsImage, "出力ファイルにD88ファイル自身は指定できません.\n"},
    {Message::CannotOpenReadOutput, "出力ファイルをオープンできません.\n"},
    {Message::ReadOutputWriteFailed, "出力ファイルへの書き込みに失敗しました.\n"},
    {Message::ImageReadShort, "D88イメージからの読み込みに失敗しました.(読み込んだサイズ: %d byte)\n"},
    {Message::PeekResult, "diskno:%2d track:%2d sector:%2d から %dbyte 読み込みました.\n"},

    {Message::DiskUsageExtract, "Usage: imgdisk extract [d88file] [diskno] [outfile]\n"},
    {Message::DiskUsageSplit, "Usage: imgdisk split [d88file] (prefix)\n"},
    {Message::DiskUsageJoin, "Usage: imgdisk join [outfile] [d88file]...\n"},
    {Message::DiskUsageRemove, "Usage: imgdisk remove [d88file] [diskno]\n"},
    {Message::DiskUsageMove, "Usage: imgdisk move [d88file] [diskno] [newno]\n"},
    {Message::DiskUsageName, "Usage: imgdisk name [d88file] [diskno] [name]\n"},
    {Message::DiskUsageProtect, "Usage: imgdisk protect [d88file] [diskno] [on|off]\n"},
    {Message::DiskUsageMedia, "Usage: imgdisk media [d88file] [diskno] [2d|2dd|2hd]\n"},
    {Message::DiskVersion, "imgdisk %s\n"},
    {Message::InputPathPrefix, "%s : "},
    {Message::ImageHasNoDisks, "D88ファイルにディスクがありません.\n"},
    {Message::DiskSizeBelowHeader, "ディスク %d のサイズが688バイト未満です.\n"},
    {Message::DiskPastEndOfFile, "ディスク %d がファイルの終わりを越えています.\n"},
    {Message::DiskTrackInsideHeader, "ディスク %d のトラック表がヘッダの中を指しています.\n"},
    {Message::MoveTargetOutOfRange, "移動先の番号が範囲外です.\n"},
    {Message::ResultTooManyDisks, "ディスクは64枚までです.(結果: %d 枚)\n"},
    {Message::ResultTooLarge, "結果のファイルが大きすぎます.(最大サイズ: %d byte)\n"},
    {Message::ImageReadFailed, "D88ファイルの読み込みに失敗しました.\n"},
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
constexpr bool tableMatchesEnumeration() {
    for (std::size_t i = 0; i < std::size(kMessages); ++i) {
        if (static_cast<int>(kMessages[i].id) != static_cast<int>(i)) {
            return false;
        }
    }
    return std::size(kMessages) == static_cast<std::size_t>(Message::MediaResult) + 1;
}
static_assert(tableMatchesEnumeration(), "kMessages must list every Message in declaration order");

std::string formatArguments(const char* format, std::va_list arguments) {
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

const char* messageText(Message id) {
    return kMessages[static_cast<std::size_t>(static_cast<int>(id))].text;
}

std::string formatMessage(Message id, ...) {
    std::va_list arguments;
    va_start(arguments, id);
    std::string text = formatArguments(messageText(id), arguments);
    va_end(arguments);
    return text;
}

void printMessage(std::FILE* stream, Message id, ...) {
    std::va_list arguments;
    va_start(arguments, id);
    const std::string text = formatArguments(messageText(id), arguments);
    va_end(arguments);
    writeConsoleText(stream, text);
}
