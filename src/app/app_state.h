#pragma once
// Program-wide state, alive from start-up to exit; the handlers of every tab read and
// write it directly.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings_registry.h"
#include "online/news_feed.h"

namespace ravenlock {

struct AppState {
    std::wstring GameFolder;         // the current edition's install folder, with a trailing separator
    std::wstring SteamFolder;        // folder of Steam.exe, "\" only, with a trailing separator
    std::wstring GameProfileFolder;  // Documents + "\My Games\Fallout 76", no trailing separator
    bool AutoRunPending = false;     // started with "-AutoRun"; consumed by the first status result
    SettingsRegistry Settings;       // the settings key, open for the whole run
    ATOM HotKeyId = 0;
    int32_t GamePeakMemoryMB = 0;
    // Whether the profile folder existed at start-up: the tray's profile-folder item follows it.
    bool UserProfileMenuEnabled = false;
    std::vector<std::wstring> ScreenshotPaths, PhotoPaths, ArchiveKeys, ArchiveValues;
    std::wstring PhotoFolder, SelectedImagePath;
    // The confirmed Discord server (empty: none) and the invite its widget offered.
    std::wstring CurrentDiscordServerID, DiscordInviteUrl;
    // What the three news lines of the Game tab lead to.
    std::array<NewsSlot, 3> NewsSlots;
};

}  // namespace ravenlock
