// Acceptance of a file by the import cache: the checks in their order and
// the questions to ask before its notes are read. No window code here.
#pragma once

#include "data/IniFile.h"
#include "data/TackletData.h"

#include <string>
#include <vector>

// Longest header string read (a buffer of 1023 characters).
inline constexpr std::size_t kImportHeaderMaxBytes = 1022;

// Largest file the import reads (far beyond any export of real notes); a
// larger one is refused before it is read.
inline constexpr std::size_t kMaxImportBytes = std::size_t{16} << 20;
inline constexpr char kImportTooLarge[] = "ファイルが大きすぎます.(16MBまで)";

inline constexpr char kImportWrongProduct[] =
    "Pinvane,Mossrelで作成したデータではありません.(または118版以前のデータ)";
inline constexpr char kImportEncrypted[] = "データの書き込み形式が異なります.(テキストが暗号化されています)";
inline constexpr char kImportEmpty[] = "データ件数が０件です";
inline constexpr char kImportCutShort[] = "データが途中で切れています.";
inline constexpr char kImportOtherVersion[] = "異なるバージョンのデータですがデータを補完して続行しますか？";
inline constexpr char kImportOlderProduct[] =
    "Mossrelデータをインポートします.不足するデータ項目はデフォルト値で補完します.よろしいですか？";

struct CImportPlan {
    // The notice that refuses the file, or null when it is accepted.
    const char* refusal = nullptr;
    // Yes/No questions to ask in order; only Yes to every one proceeds.
    std::vector<const char*> questions;
};

// Checks a parsed file against this program's stored version text: product
// name, text format, count, completeness (every item section present, and
// the last one of a file of this program whole up to its body), then the
// questions for another version or the older product.
CImportPlan PlanImport(const CIniFile& ini, const std::string& storedVersion);

// Reads a file for the import: false (and the notice in `refusal`) for a
// file beyond kMaxImportBytes, which is not read into memory. A missing or
// unreadable file reads as empty, to be refused by PlanImport.
bool LoadImportFile(const std::string& path, CIniFile* ini, const char** refusal);

// The notes of an accepted file: fresh records read in file order with the
// plain text form.
std::vector<CTackletData> ReadImportNotes(const CIniFile& ini);
