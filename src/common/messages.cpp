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
    {Message::ProgramVersion, "%s %s\n"},
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
    {Message::ConvTrackEntryOutside, "トラック %d: トラックテーブルの値 %lld がディスクのデータ領域の外を指しています.\n"},
    {Message::ConvRecordOutside, "トラック %d: レコードがディスクかファイルの終わりを越えています.\n"},
    {Message::ConvTracksOverlap, "トラック %d: レコードがトラック %lld のレコードと重なっています.\n"},
    {Message::ConvZeroSectorCount, "トラック %d: 最初のレコードのセクタ数が0です.\n"},
    {Message::ConvSectorCountsDisagree, "トラック %d: レコードのセクタ数 %lld が最初のレコードの %lld と違います.\n"},
    {Message::ConvMediaInvalid, "媒体の指定 %s は使えません.(セクタのある imgmint の種類か, 2d/2dd/2hd/1d/1dd,セクタ数,N[,トラック数])\n"},
    {Message::ConvSizeAmbiguous, "入力のサイズ %lld byte に合う形状が複数あります: %s. --media で指定してください.\n"},
    {Message::ConvSizeUnknown, "入力のサイズ %lld byte に合う形状がありません.(扱えるサイズ: %s)\n"},
    {Message::ConvSizeMismatch, "%s の形状は %lld byte ですが, 入力は %lld byte です.\n"},
    {Message::ConvFdiHeaderShort, "FDIヘッダが短すぎます.(%lld byte)\n"},
    {Message::ConvFdiSizesDisagree, "FDIヘッダのヘッダサイズ %lld byte とデータサイズ %lld byte の和がファイルサイズ %lld byte と違います.\n"},
    {Message::ConvFdiGeometryInvalid, "FDIヘッダの形状は扱えません.(セクタ長 %lld, セクタ数 %lld, ヘッド数 %lld, シリンダ数 %lld)\n"},
    {Message::ConvFdiGeometryDisagrees, "FDIヘッダの形状のデータは %lld byte ですが, データサイズは %lld byte です.\n"},
    {Message::ConvFdiUnknownType, "FDIヘッダのFDDタイプ 0x%02llX は不明です.\n"},
    {Message::ConvNoTracks, "変換するトラックがありません.\n"},
    {Message::ConvTrackMissing, "トラック %d がありません(後のトラックはあります).\n"},
    {Message::ConvSectorNumberTwice, "トラック %d: セクタ番号 %lld が2つあります.\n"},
    {Message::ConvSectorNumbersNotRun, "トラック %d: セクタ番号が連続していません.(%lld から %lld に %lld 個)\n"},
    {Message::ConvSectorCountDiffers, "トラック %d: セクタ数 %lld が最初のトラックの %lld と違います.\n"},
    {Message::ConvFirstSectorDiffers, "トラック %d: 最初のセクタ番号 %lld が最初のトラックの %lld と違います.\n"},
    {Message::ConvDataLengthNotSizeCode, "トラック %d: セクタ %lld のデータ長 %lld byte が N=%lld の長さと違います.\n"},
    {Message::ConvSectorLengthDiffers, "トラック %d: セクタ %lld の長さ %lld byte がほかのセクタの %lld byte と違います.\n"},
    {Message::ConvDensityNotDouble, "トラック %d: セクタ %lld の密度 0x%02llX は倍密度ではありません.\n"},
    {Message::ConvDeletedMark, "トラック %d: セクタ %lld に削除データマークがあります.\n"},
    {Message::ConvErrorStatus, "トラック %d: セクタ %lld にエラー状態 0x%02llX があります.\n"},
    {Message::ConvIdentityNotTrack, "トラック %d: セクタ %lld の C=%lld H=%lld がトラックと合いません.\n"},
    {Message::ConvFdiFirstTrackDiffers, "FDIにはセクタ長の違う最初のトラック(単密度 128 byte)を入れられません.\n"},
    {Message::ConvFdiHalfCylinder, "FDIには片面だけのシリンダを入れられません.(トラック %d)\n"},
    {Message::ConvFdiNoDriveType, "媒体コード 0x%02llX に合うFDIのFDDタイプがありません.\n"},
    {Message::ConvD88TrackTooLarge, "トラック %d: D88のレコードに入りません.(セクタ数 %lld, データ長 %lld byte)\n"},
    {Message::ConvResult, "%s (%s) を %s (%s) に変換しました.(%lld byte)\n"},
    // imgconv: the emulator containers.
    {Message::ConvFormatNotWritable, "形式 %s には書き込めません.(%s のどれかを指定してください)\n"},
    {Message::ConvContainerHeaderShort, "%s: ファイル(%lld byte)がヘッダ(%lld byte)より短いです.\n"},
    {Message::ConvContainerNoSignature, "%s の識別文字列がありません.\n"},
    {Message::ConvContainerUnknownMedia, "%s: 媒体の種類 0x%02llX は扱えません.\n"},
    {Message::ConvContainerDataShort, "%s: ヘッダの示すデータには %lld byte 以上要りますが, ファイルのデータは %lld byte です.\n"},
    {Message::ConvContainerDataLeftOver, "%s: ヘッダの示すデータは %lld byte ですが, ファイルのデータは %lld byte あります.\n"},
    {Message::ConvContainerTrackOutsideMedia, "トラック %d: 媒体のトラック数 %lld を越えるトラックが記録されています.\n"},
    {Message::ConvContainerSizeCodeTooLarge, "トラック %d: セクタ %lld の N=%lld はD88に入りません.(N は %lld まで)\n"},
    {Message::ConvNfdHeaderSizeInvalid, "NFDのヘッダサイズ %lld byte が正しくありません.(%lld byte からファイルサイズ %lld byte まで)\n"},
    {Message::ConvNfdTrackBlockOutside, "トラック %d: NFDのトラック情報の位置 0x%llX がヘッダ(%lld byte)の外です.\n"},
    {Message::ConvFddDataOutside, "トラック %d: セクタ %lld のデータ位置 0x%llX がファイル(%lld byte)のデータ領域の外です.\n"},
    {Message::ConvDimDataNotWholeTracks, "DIMのデータ %lld byte がトラックの長さ %lld byte の整数倍ではありません.\n"},
};

// The table is indexed by the enumeration; this keeps the two in step.
constexpr bool tableMatchesEnumeration() {
    for (std::size_t i = 0; i < std::size(kMessages); ++i) {
        if (static_cast<int>(kMessages[i].id) != static_cast<int>(i)) {
            return false;
        }
    }
    return std::size(kMessages) == static_cast<std::size_t>(Message::ConvDimDataNotWholeTracks) + 1;
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
