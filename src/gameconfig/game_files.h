#pragma once
// The game's three settings files in its profile folder, their backups, and the
// read-only guard that keeps the game from overwriting them.
#include <windows.h>

#include <array>
#include <string>

#include "gameconfig/effective_settings.h"
#include "platform/game_edition.h"

namespace ravenlock {

// The files' names are the edition's (CurrentEdition().IniNames(), in the order the
// game reads them, which is also the order the guard and the backups treat them).
inline constexpr wchar_t kBackupPrefix[] = L"Backup_";

// The place of a file of the set in the order the game reads them (and so the file index
// of ReadEffectiveSettings).
inline size_t GameIniIndex(GameIni which) { return static_cast<size_t>(which); }

// Full path of a file of the set: the profile folder, "\" and the name.
std::wstring GameIniPath(const std::wstring& profileFolder, const std::wstring& name);
std::wstring GameIniPath(const std::wstring& profileFolder, GameIni which);
std::wstring BackupIniPath(const std::wstring& profileFolder, const std::wstring& name);
std::wstring BackupIniPath(const std::wstring& profileFolder, GameIni which);

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

// Writes the initial custom file ("[General]") when it is missing and the
// profile folder exists; an existing file is never touched.
// The resource comes from the given module, by default the running program.
void CreateCustomIniIfMissing(const std::wstring& profileFolder, HMODULE module = nullptr);

}  // namespace ravenlock
