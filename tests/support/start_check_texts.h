// What imgpoke and imgpeek print when the start of a run is refused; both
// programs make the same checks, so their tests expect the same texts.
#pragma once

#include <string>

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
