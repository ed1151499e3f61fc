#include "gameconfig/game_files.h"

#include "platform/embedded.h"
#include "platform/file_system.h"

namespace ravenlock {

std::wstring GameIniPath(const std::wstring& profileFolder, const std::wstring& name) {
    return profileFolder + L"\\" + name;
}

std::wstring BackupIniPath(const std::wstring& profileFolder, const std::wstring& name) {
    return GameIniPath(profileFolder, kBackupPrefix + name);
}

void SetGameIniAttributes(const std::wstring& profileFolder, bool readOnly) {
    for (const wchar_t* name : kGameIniFiles) {
        const std::wstring path = GameIniPath(profileFolder, name);
        if (FileExists(path)) SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    }
}

void CreateCustomIniIfMissing(const std::wstring& profileFolder, HMODULE module) {
    const std::wstring path = GameIniPath(profileFolder, kFallout76CustomIni);
    if (FileExists(path) || !DirectoryExists(profileFolder)) return;
    ExtractResourceToFile(L"Fallout76CustomINI", path, module);
}

}  // namespace ravenlock
