// Committing staged files into Data with their install record, and taking a recorded mod
// out again; the Recycle Bin for mods we did not install.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "gameconfig/line_list.h"
#include "mods/ba2_reader.h"
#include "mods/file_hash.h"
#include "mods/install_files.h"
#include "mods/install_record.h"
#include "mods/mod_install.h"
#include "mods/mod_lists.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/late_libraries.h"
#include "platform/paths.h"

namespace ravenlock {

namespace {

constexpr uint64_t kMaxRecordBytes = 16 * 1024 * 1024;

std::wstring NowUtc() {
    SYSTEMTIME t{};
    GetSystemTime(&t);
    return FormatRecordTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond});
}

// A new, empty folder for one record: "<UTC time>-<n>".
std::wstring NewRecordFolder(const std::wstring& recordsRoot) {
    if (recordsRoot.empty() || !EnsureFolder(recordsRoot))
        throw AppError(L"Не удалось создать папку записей об установке \"" + recordsRoot + L"\".");
    SYSTEMTIME t{};
    GetSystemTime(&t);
    for (unsigned n = 1; n < 1000; ++n) {
        wchar_t name[64];
        std::swprintf(name, 64, L"%04u%02u%02u-%02u%02u%02u-%u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, n);
        const std::wstring folder = WithSeparator(recordsRoot) + name;
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder + L"\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw AppError(L"Не удалось создать папку записи об установке в \"" + recordsRoot + L"\". " +
                   SystemErrorText(GetLastError()));
}

bool MoveOne(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != 0;
}

struct FoundRecord {
    std::wstring folder;  // with a separator
    InstallRecord record;
};

std::vector<FoundRecord> ReadRecords(const std::wstring& recordsRoot) {
    std::vector<FoundRecord> found;
    if (recordsRoot.empty()) return found;
    const std::wstring root = WithSeparator(recordsRoot);
    for (const FolderEntry& e : ListFolder(root + L"*")) {
        if (!e.isFolder || e.isLink) continue;
        const std::wstring folder = root + e.name + L"\\";
        try {
            if (auto record = ReadInstallRecord(ReadWholeFile(folder + kInstallRecordFile, kMaxRecordBytes)))
                found.push_back({folder, std::move(*record)});
        } catch (const AppError&) {
            // No record, or one that does not read: not ours to act on.
        }
    }
    return found;
}

bool NamesArchive(const InstallRecord& record, const std::wstring& archiveName) {
    return std::any_of(record.files.begin(), record.files.end(),
                       [&](const RecordedFile& f) { return RecordPathIs(f.path, DataRelativePath(), archiveName); });
}

// The newest record that names the archive: it wrote the file that is there now.
std::optional<FoundRecord> RecordOf(const std::wstring& recordsRoot, const std::wstring& archiveName) {
    std::optional<FoundRecord> newest;
    for (auto& found : ReadRecords(recordsRoot)) {
        if (!NamesArchive(found.record, archiveName)) continue;
        if (!newest || std::make_pair(found.record.installedAt, found.folder) >
                           std::make_pair(newest->record.installedAt, newest->folder))
            newest = std::move(found);
    }
    return newest;
}

bool IsArchiveOfData(const std::wstring& path) {
    const std::wstring rel = DataRelativePath();
    return ArchivePathKey(FolderPart(path)) == ArchivePathKey(rel) && ArchivePathKey(path).ends_with(L".ba2");
}

}  // namespace

std::wstring ModRecordsFolder() {
    const std::wstring local = LocalAppDataFolder();
    return local.empty() ? L"" : WithSeparator(local) + L"Fallout76Ravenlock\\Mods\\";
}

CommitResult CommitStaged(StagedInstall& staged, const std::vector<std::wstring>& skip, const std::wstring& recordsRoot) {
    CommitResult result;
    if (staged.cancelled) {
        DiscardStaged(staged);
        return result;
    }
    const std::wstring data = WithSeparator(staged.dataFolder);
    const std::wstring dataRel = DataRelativePath();
    const auto skipped = [&](const std::wstring& target) {
        return std::any_of(skip.begin(), skip.end(), [&](const std::wstring& s) { return ArchivePathKey(s) == ArchivePathKey(target); });
    };
    // What was done, to be undone on a failure.
    std::vector<std::wstring> moved;
    std::vector<std::pair<std::wstring, std::wstring>> keptAway;  // kept copy, original place
    std::vector<std::wstring> recordFolders;
    try {
        for (const auto& source : staged.sources) {
            if (!source.error.empty()) continue;
            std::vector<const StagedFile*> files;
            for (const auto& file : source.files)
                if (!skipped(file.target) && !IsGameArchive(FileNamePart(file.target))) files.push_back(&file);
            if (files.empty()) continue;
            InstallRecord record{FileNamePart(source.sourcePath), NowUtc(), {}, {}};
            const std::wstring folder = NewRecordFolder(recordsRoot);
            recordFolders.push_back(folder);
            for (const StagedFile* file : files) {
                const std::wstring target = data + file->target;
                if (file->target.find(L'\\') != std::wstring::npos && !EnsureFolder(FolderPart(target)))
                    throw AppError(L"Не удалось создать папку \"" + FolderPart(target) + L"\".");
                if (FileExists(target)) {
                    if (!file->replaces)
                        throw AppError(L"Файл \"" + target + L"\" появился во время установки. Ничего не установлено.");
                    const std::wstring kept = L"replaced-" + std::to_wstring(record.replaced.size() + 1);
                    if (!MoveOne(target, folder + kept))
                        throw AppError(L"Не удалось убрать заменяемый файл \"" + target + L"\". " + SystemErrorText(GetLastError()));
                    keptAway.emplace_back(folder + kept, target);
                    record.replaced.push_back({dataRel + file->target, kept});
                }
                if (!MoveOne(file->stagedPath, target))
                    throw AppError(L"Не удалось переместить \"" + file->target + L"\" в папку Data. " +
                                   SystemErrorText(GetLastError()));
                moved.push_back(target);
                record.files.push_back({dataRel + file->target, file->size, file->sha256});
                if (file->target.find(L'\\') == std::wstring::npos) result.newArchives.push_back(file->target);
            }
            ReplaceWholeFile(folder + kInstallRecordFile, InstallRecordJson(record));
        }
    } catch (const AppError& e) {
        result.error = e.Message();
        result.newArchives.clear();
        bool undone = true;
        for (auto it = moved.rbegin(); it != moved.rend(); ++it) undone = DeleteAnyFile(*it) && undone;
        for (auto it = keptAway.rbegin(); it != keptAway.rend(); ++it) undone = MoveOne(it->first, it->second) && undone;
        if (undone)
            for (const auto& folder : recordFolders) RemoveTree(folder);
        result.error += undone ? L" Всё перемещённое убрано, заменённые файлы возвращены."
                               : L" Не всё удалось вернуть: заменённые файлы остались в \"" + WithSeparator(recordsRoot) + L"\".";
    }
    DiscardStaged(staged);
    return result;
}

bool HasInstallRecord(const std::wstring& recordsRoot, const std::wstring& archiveName) {
    return RecordOf(recordsRoot, archiveName).has_value();
}

RemoveResult RemoveRecordedMod(const std::wstring& recordsRoot, const std::wstring& gameFolder,
                               const std::wstring& archiveName) {
    RemoveResult result;
    auto found = RecordOf(recordsRoot, archiveName);
    if (!found) return result;
    result.recorded = true;
    const std::wstring game = WithSeparator(gameFolder);
    InstallRecord& record = found->record;

    // The archive goes; the rest of its record (strings) only with the record's last archive.
    const bool lastArchive = std::none_of(record.files.begin(), record.files.end(), [&](const RecordedFile& f) {
        return IsArchiveOfData(f.path) && !RecordPathIs(f.path, DataRelativePath(), archiveName) && FileExists(game + f.path);
    });
    std::vector<RecordedFile> stay;
    std::vector<std::wstring> gone;  // paths now free for what they replaced
    std::vector<std::wstring> failed;
    for (const auto& file : record.files) {
        if (!lastArchive && !RecordPathIs(file.path, DataRelativePath(), archiveName)) {
            stay.push_back(file);
            continue;
        }
        const std::wstring full = game + file.path;
        if (!FileExists(full)) {
            gone.push_back(file.path);
            continue;
        }
        if (FileSha256(full) != file.sha256) {
            result.changedLeft.push_back(file.path);
            continue;
        }
        if (DeleteAnyFile(full)) {
            gone.push_back(file.path);
        } else {
            stay.push_back(file);
            failed.push_back(file.path);
        }
    }
    std::vector<KeptFile> keep;
    std::vector<std::wstring> notRestored;
    for (const auto& kept : record.replaced) {
        const bool freed = std::any_of(gone.begin(), gone.end(), [&](const std::wstring& p) { return ArchivePathKey(p) == ArchivePathKey(kept.path); });
        const bool removedNow = lastArchive || RecordPathIs(kept.path, DataRelativePath(), archiveName);
        if (!removedNow) {
            keep.push_back(kept);
            continue;
        }
        const std::wstring target = game + kept.path;
        if (freed && !FileExists(target) && EnsureFolder(FolderPart(target)) && MoveOne(found->folder + kept.kept, target)) {
            result.restored.push_back(kept.path);
        } else {
            keep.push_back(kept);
            notRestored.push_back(kept.path);
        }
    }
    record.files = std::move(stay);
    record.replaced = std::move(keep);
    if (record.files.empty() && record.replaced.empty()) {
        RemoveTree(found->folder);
    } else {
        try {
            ReplaceWholeFile(found->folder + kInstallRecordFile, InstallRecordJson(record));
        } catch (const AppError& e) {
            result.error += e.Message() + L" ";
        }
    }
    for (const auto& path : failed) result.error += L"Не удалось удалить \"" + game + path + L"\". ";
    for (const auto& path : notRestored)
        result.error += L"Заменённый файл \"" + path + L"\" не возвращён: его место занято. Он сохранён в \"" + found->folder + L"\". ";
    while (!result.error.empty() && result.error.back() == L' ') result.error.pop_back();
    return result;
}

std::wstring RecycleFile(const std::wstring& path) {
    if (!FileExists(path)) return L"Файл не найден: \"" + path + L"\".";
    std::wstring from = path;
    from.push_back(L'\0');  // the list ends with two NULs: c_str() adds the second
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    try {
        const int code = late::Shell32(L"Удаление мода в Корзину").SHFileOperationW(&op);
        if (code != 0 || op.fAnyOperationsAborted)
            return L"Не удалось переместить \"" + path + L"\" в Корзину (код " + std::to_wstring(code) + L").";
    } catch (const AppError& e) {
        return e.Message();
    }
    if (FileExists(path)) return L"Не удалось переместить \"" + path + L"\" в Корзину.";
    return L"";
}

std::optional<InstallOrigin> InstallOriginOf(const std::wstring& recordsRoot, const std::wstring& archiveName) {
    const auto found = RecordOf(recordsRoot, archiveName);
    if (!found) return std::nullopt;
    InstallOrigin origin{found->record.sourceName, L""};
    if (const auto t = ParseRecordTime(found->record.installedAt)) {
        SYSTEMTIME utc{static_cast<WORD>(t->year), static_cast<WORD>(t->month), 0, static_cast<WORD>(t->day),
                       static_cast<WORD>(t->hour), static_cast<WORD>(t->minute), static_cast<WORD>(t->second), 0};
        SYSTEMTIME local{};
        if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
        wchar_t text[32];
        std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u", local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute);
        origin.installedAt = text;
    }
    return origin;
}

}  // namespace ravenlock
