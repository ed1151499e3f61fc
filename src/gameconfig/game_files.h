#pragma once
// The game's three settings files in its profile folder, their backups, and the
// read-only guard that keeps the game from overwriting them.
#include <windows.h>

#include <array>
#include <string>

#include "gameconfig/effective_settings.h"

namespace ravenlock {

inline constexpr wchar_t kFallout76Ini[] = L"Fallout76.ini";
inline constexpr wchar_t kFallout76PrefsIni[] = L"Fallout76Prefs.ini";
inline constexpr wchar_t kFallout76CustomIni[] = L"Fallout76Custom.ini";
inline constexpr wchar_t kBackupPrefix[] = L"Backup_";
// In the order the guard and the backups treat them.
inline constexpr std::array<const wchar_t*, 3> kGameIniFiles = {kFallout76Ini, kFallout76PrefsIni, kFallout76CustomIni};

// The place of a file of the set in kGameIniFiles, which is also the order the game
// reads them in (and so the file index of ReadEffectiveSettings).
size_t GameIniIndex(const std::wstring& name);

// Full path of a file of the set: the profile folder, "\" and the name.
std::wstring GameIniPath(const std::wstring& profileFolder, const std::wstring& name);
std::wstring BackupIniPath(const std::wstring& profileFolder, const std::wstring& name);

// The three files as they now stand on disk, in the order the game reads them; a missing
// or unreadable one sets nothing, as for the game.
EffectiveSettings ReadEffectiveSettings(const std::wstring& profileFolder);

// Each existing file of the set gets exactly read-only (true) or no attributes (false);
// the whole attribute set is replaced. Missing files and backups are left alone.
void SetGameIniAttributes(const std::wstring& profileFolder, bool readOnly);

// The guard lifted for the life of this object: the files are read-only again when it
// ends, also when an error ends the handler half-way.
class GameFilesWritable {
public:
    explicit GameFilesWritable(std::wstring profileFolder) : folder_(std::move(profileFolder)) {
        SetGameIniAttributes(folder_, false);
    }
    ~GameFilesWritable() {
        try {
            SetGameIniAttributes(folder_, true);
        } catch (...) {
            // Out of memory while building a path: the next guarded action restores it.
        }
    }
    GameFilesWritable(const GameFilesWritable&) = delete;
    GameFilesWritable& operator=(const GameFilesWritable&) = delete;

private:
    std::wstring folder_;
};

// Writes the initial Fallout76Custom.ini ("[General]") when it is missing and the
// profile folder exists; an existing file is never touched.
// The resource comes from the given module, by default the running program.
void CreateCustomIniIfMissing(const std::wstring& profileFolder, HMODULE module = nullptr);

}  // namespace ravenlock
