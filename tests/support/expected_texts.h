// The texts the tests expect imgpoke and imgpeek to print, as the user reads
// them (UTF-8), kept once for every test that checks them.
#pragma once

#include <cstdio>
#include <string>

// When the start of a run is refused; both programs make the same checks.
inline const std::string kBanner = "*** 片面モード ***\n";
inline const std::string kCannotOpenImage = "D88ファイルをオープンできません.\n";
inline const std::string kNoSuchDisk = "指定のディスクがありません.\n";
inline const std::string kTrackOutOfRange = "トラックの指定が範囲外です.\n";
inline const std::string kTrackNotFormatted = "指定のトラックはフォーマットされていません.\n";
inline const std::string kSectorNotFound = "指定されたセクタが見つかりません.\n";

// What every program prints when a read of the image fails with an error, and
// when standard output does not take its result line.
inline const std::string kImageReadFailed = "D88ファイルの読み込みに失敗しました.\n";
inline const std::string kStandardOutputWriteFailed = "標準出力への書き込みに失敗しました.\n";

// imgpoke's ending lines: a run that wrote less than the whole source, and
// the result line of one that wrote it all.
inline std::string pasteShortWrite(std::size_t written) {
    return "D88イメージへの書き込みに失敗しました.(書き込んだサイズ: " + std::to_string(written) + " byte)\n";
}

inline std::string pasteResult(int disk, int track, int sector, std::size_t written) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "diskno:%2d track:%2d sector:%2d", disk, track, sector);
    return std::string(numbers) + " から " + std::to_string(written) + "byte 書き込みました.\n";
}
