#include "gameconfig/restore_point_store.h"

#include <windows.h>

#include "gameconfig/game_files.h"
#include "gameconfig/prefs_file.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace ravenlock {

namespace {

// A point being written; never taken for a point, and cleared away by the next one.
constexpr wchar_t kWorkPrefix[] = L".new-";
// action.txt holds one short line; anything longer was not written by us.
constexpr uint64_t kMaxActionFileBytes = 4096;

std::wstring Join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

// The folders directly under root. A junction or link is never a point of ours, whatever
// its name: removing "its" files would remove those of the folder it leads to.
std::vector<std::wstring> FolderNames(const std::wstring& root) {
    std::vector<std::wstring> names;
    for (const FolderEntry& e : ListFolder(Join(root, L"*")))
        if (e.isFolder && !e.isLink) names.push_back(e.name);
    return names;
}

// Removes what a point holds: its copies of the game's files and its notes, each only as
// a plain file. The folder goes only when nothing else is left in it, so a folder the
// user made or filled under a point's name keeps what is his.
void RemovePointFolder(const std::wstring& folder) {
    if (IsReparsePoint(folder)) return;
    const auto names = CurrentEdition().IniNames();
    std::vector<std::wstring> held(names.begin(), names.end());
    held.push_back(kRestorePointActionFile);
    held.push_back(kRestorePointFilesList);
    for (const std::wstring& name : held) {
        const std::wstring path = Join(folder, name);
        if (!FileExists(path) || IsReparsePoint(path)) continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());  // refused while anything is left
}

// Bytes of the files in one folder, by the game's names; a file that is not there is none.
PointFiles ReadFiles(const std::wstring& folder) {
    PointFiles files;
    const auto names = CurrentEdition().IniNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring path = Join(folder, names[i]);
        if (FileExists(path)) files[i] = ReadWholeFile(path, kMaxPrefsFileBytes);
    }
    return files;
}

// What a point holds, to be put back. With its list of files, a listed copy that is
// missing or not a plain file refuses the restore; a point of an earlier version reads a
// missing copy as a file that was not. A copy that is there but no plain file refuses both.
PointFiles ReadPointFiles(const std::wstring& folder) {
    const std::wstring listPath = Join(folder, kRestorePointFilesList);
    const bool hasList = FileExists(listPath);
    const std::string list = hasList ? ReadWholeFile(listPath, kMaxActionFileBytes) : std::string();
    PointFiles files;
    const auto names = CurrentEdition().IniNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring& name = names[i];
        const std::wstring path = Join(folder, name);
        const bool there = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        const bool plain = FileExists(path) && !IsReparsePoint(path);
        if (there && !plain)
            throw AppError(L"В точке восстановления \"" + folder + L"\" копия " + name +
                           L" не является обычным файлом. Файлы настроек не изменены.");
        const bool existed = hasList ? FilesListNames(list, name) : plain;
        if (existed && !plain)
            throw AppError(L"В точке восстановления \"" + folder + L"\" нет копии " + name +
                           L", хотя файл тогда был. Файлы настроек не изменены.");
        if (existed) files[i] = ReadWholeFile(path, kMaxPrefsFileBytes);
    }
    return files;
}

// Whether a point holds exactly these files; a point that cannot be read holds other ones.
bool PointHolds(const std::wstring& folder, const PointFiles& files) {
    try {
        return ReadPointFiles(folder) == files;
    } catch (const AppError&) {
        return false;
    }
}

void CreateFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw AppError(L"Не удалось создать папку \"" + path + L"\". " + SystemErrorText(GetLastError()));
    if (!DirectoryExists(path)) throw AppError(L"\"" + path + L"\" не является папкой.");
}

PointStamp LocalNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, 1};
}

}  // namespace

std::wstring DefaultRestorePointsFolder() {
    // The editions' files have other names: each keeps its own points, so that one
    // edition's point never reads as "no files" for the other's.
    return LocalAppDataFolder() + L"\\Fallout76Ravenlock\\Restore points" +
           (CurrentEdition().Kind == EditionKind::Store ? L" (Microsoft Store)" : L"");
}

void RestorePointStore::MakeBefore(const std::wstring& profileFolder, const std::wstring& action) const {
    std::wstring work;
    try {
        const PointFiles now = ReadFiles(profileFolder);
        std::vector<std::wstring> names = FolderNames(root_);
        const std::vector<std::wstring> newest = PointsNewestFirst(names);
        // The same state is kept once: compared with the point made last.
        if (!newest.empty() && PointHolds(Join(root_, newest.front()), now)) return;

        MakeRoot();
        for (const std::wstring& name : names)
            if (name.rfind(kWorkPrefix, 0) == 0) RemovePointFolder(Join(root_, name));  // left by a failed attempt
        const std::wstring name = NewPointFolderName(LocalNow(), names);
        work = Join(root_, kWorkPrefix + name);
        CreateFolder(work);
        const auto fileNames = CurrentEdition().IniNames();
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i]) ReplaceWholeFile(Join(work, fileNames[i]), *now[i]);
        std::vector<std::wstring> existed;
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i]) existed.push_back(fileNames[i]);
        ReplaceWholeFile(Join(work, kRestorePointFilesList), FilesListBytes(existed));
        ReplaceWholeFile(Join(work, kRestorePointActionFile), ActionFileBytes(action));
        const std::wstring point = Join(root_, name);
        if (!MoveFileExW(work.c_str(), point.c_str(), MOVEFILE_WRITE_THROUGH))
            throw AppError(L"Не удалось создать папку \"" + point + L"\". " + SystemErrorText(GetLastError()));
        work.clear();
        names.push_back(name);
        for (const std::wstring& old : PointsBeyondLimit(names))
            if (old != name) RemovePointFolder(Join(root_, old));  // the point just made stays, come what may
    } catch (const AppError& e) {
        if (!work.empty()) RemovePointFolder(work);
        throw AppError(L"Не удалось создать точку восстановления, поэтому изменение не выполнено: файлы настроек "
                       L"остались прежними.\n\n" +
                       e.Message());
    }
}

std::vector<StoredPoint> RestorePointStore::Points() const {
    std::vector<StoredPoint> points;
    for (const std::wstring& name : PointsNewestFirst(FolderNames(root_))) {
        StoredPoint p{Join(root_, name), *ParsePointFolderName(name), L""};
        try {
            p.action = ActionFromFileBytes(ReadWholeFile(Join(p.folder, kRestorePointActionFile), kMaxActionFileBytes));
        } catch (const AppError&) {
            // Without its note the point still restores; the menu shows its time alone.
        }
        points.push_back(std::move(p));
    }
    return points;
}

PointFiles RestorePointStore::FilesOf(const StoredPoint& point) const {
    // A point removed meanwhile would read as one without files, and putting that back
    // would delete the game's files.
    if (!DirectoryExists(point.folder))
        throw AppError(L"Точки восстановления \"" + point.folder + L"\" больше нет. Файлы настроек не изменены.");
    return ReadPointFiles(point.folder);
}

void RestorePointStore::MakeRoot() const {
    CreateFolder(FolderPart(root_));
    CreateFolder(root_);
}

void WriteBackPointFiles(const PointFiles& files, const std::wstring& profileFolder) {
    const auto names = CurrentEdition().IniNames();
    std::vector<FileChange> changes;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::wstring path = GameIniPath(profileFolder, names[i]);
        // A file the point lacks is removed; one that is not there already needs nothing.
        if (files[i] || GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) changes.push_back({path, files[i]});
    }
    ChangeFilesTogether(changes);
}

}  // namespace ravenlock
