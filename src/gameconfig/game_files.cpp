#include "gameconfig/game_files.h"

#include "gameconfig/prefs_file.h"
#include "platform/app_error.h"
#include "platform/embedded.h"
#include "platform/file_system.h"

namespace ravenlock {

size_t GameIniIndex(const std::wstring& name) {
    for (size_t i = 0; i < kGameIniFiles.size(); ++i)
        if (name == kGameIniFiles[i]) return i;
    throw AppError(L"Unknown settings file " + name);
}

std::wstring GameIniPath(const std::wstring& profileFolder, const std::wstring& name) {
    return profileFolder + L"\\" + name;
}

std::wstring BackupIniPath(const std::wstring& profileFolder, const std::wstring& name) {
    return GameIniPath(profileFolder, kBackupPrefix + name);
}

EffectiveSettings ReadEffectiveSettings(const std::wstring& profileFolder) {
    std::vector<SettingsFileBytes> files;
    for (const wchar_t* name : kGameIniFiles) {
        SettingsFileBytes file{name, std::nullopt};
        try {
            file.bytes = ReadWholeFile(GameIniPath(profileFolder, name), kMaxPrefsFileBytes);
        } catch (const AppError&) {
            // Missing or unreadable: it sets nothing.
        }
        files.push_back(std::move(file));
    }
    return EffectiveSettings(files, SystemAnsi());
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
