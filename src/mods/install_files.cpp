#include "mods/install_files.h"

#include <windows.h>

#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/paths.h"

namespace ravenlock {

std::wstring WithSeparator(std::wstring path) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

std::wstring GameFolderOf(const std::wstring& dataFolder) {
    std::wstring data = WithSeparator(dataFolder);
    const std::wstring parent = FolderPart(std::wstring_view(data).substr(0, data.size() - 1));
    return parent.empty() || parent.back() == L':' ? data : parent;
}

std::wstring DataRelativePath() { return GameEdition{}.DataFolder(); }

bool EnsureFolder(const std::wstring& path) {
    std::wstring folder = path;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    if (folder.empty() || DirectoryExists(folder)) return !folder.empty();
    const std::wstring parent = FolderPart(folder);
    if (!parent.empty() && parent != folder && parent.back() != L':' && !EnsureFolder(parent)) return false;
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool DeleteAnyFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return DeleteFileW(path.c_str()) != 0;
}

bool RemoveTree(const std::wstring& path) {
    if (path.empty()) return true;
    const std::wstring folder = WithSeparator(path);
    bool all = true;
    for (const FolderEntry& e : ListFolder(folder + L"*")) {
        const std::wstring full = folder + e.name;
        if (e.isFolder && !e.isLink) all = RemoveTree(full) && all;
        else if (e.isFolder) all = RemoveDirectoryW(full.c_str()) && all;  // the link, not what it points at
        else all = DeleteAnyFile(full) && all;
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return (RemoveDirectoryW(folder.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) && all;
}

}  // namespace ravenlock
