#pragma once
// What the Mods tab says: the list's cells, the details box of the selected mod, the
// line about a game update, and the closing messages of installing and removing.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mods/ba2_reader.h"
#include "mods/mod_install.h"
#include "mods/mod_order.h"

namespace ravenlock {

inline constexpr wchar_t kListMainText[] = L"Основной";
inline constexpr wchar_t kListStartUpText[] = L"При запуске";
inline constexpr wchar_t kNoFileText[] = L"нет файла";
inline constexpr wchar_t kUnreadableText[] = L"не читается";

// What the Data folder and the archive's own header say of one file.
struct ArchiveFacts {
    uint64_t size = 0;
    std::wstring date;                // its last change, as shown ("11.12.2026 10:30")
    std::optional<Ba2Header> header;  // nothing: it does not read as a BA2 archive
    std::vector<std::wstring> names;  // the files it holds, when it carries their names
    std::wstring openError;           // why the file could not be opened; "" when it could
};

// Megabytes with one decimal and a comma, as Russian Windows writes them: "0,1", "12,3".
std::wstring MegabytesText(uint64_t bytes);

// The cells of a row: "Мод", "Список", "Размер, МБ", "Файлов", "Конфликты". Facts are
// nothing for a missing file; conflicts counts the files shared with other enabled mods.
std::vector<std::wstring> RowCells(const ModRow& row, const ArchiveFacts* facts, size_t conflicts);

// The details box for the selected mod.
std::wstring DetailsText(const ModRow& row, const std::wstring& path, const ArchiveFacts* facts,
                         const ModConflicts* conflicts, const std::optional<InstallOrigin>& origin);

// The line at the top of the tab when the game's version differs from the one last
// played with mods and a mod is on; nothing otherwise (also before any launch with mods).
std::optional<std::wstring> UpdateNotice(const std::wstring& playedWithMods, const std::wstring& now, bool anyModOn);

// The closing message of an install: what was installed, then every entry left out or
// refused, every source that failed whole, and the replacements the user declined.
struct InstallOutcome {
    std::vector<std::wstring> installed;  // archive names now in Data
    std::vector<LeftOutEntry> leftOut;
    std::vector<std::pair<std::wstring, std::wstring>> failedSources;  // source path, reason
    std::vector<std::wstring> declined;   // targets kept as they were
    std::wstring commitError;
    bool cancelled = false;
};
std::wstring InstallReport(const InstallOutcome& outcome);

// The message after a recorded mod was removed.
std::wstring RemovedReport(const std::wstring& archiveName, const RemoveResult& result);

// The message after "Включить моды снова" when listed archives have vanished meanwhile.
std::wstring VanishedReport(const std::vector<std::wstring>& names);

}  // namespace ravenlock
