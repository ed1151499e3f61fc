#include "diagnostics/links.h"

#include "app/main_window.h"
#include "diagnostics/diagnostics_rules.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/tools.h"

namespace ravenlock {

std::wstring LinkAddress(int tag) {
    switch (tag) {
        case 0: return L"https://fallout.bethesda.net/ru";
        case 1: return L"https://www.nvidia.com/Download/index.aspx?lang=ru";
        case 2: return L"https://www.microsoft.com/ru-ru/download/details.aspx?id=35";
        case 3: return L"https://www.amd.com/ru/support";
        case 4: return L"https://dzen.ru/fallout76ravenlock";
        case 5: return L"https://help.bethesda.net/#ru/";
        case 6: return L"https://www.kaspersky.ru/downloads/thank-you/free-virus-removal-tool";
        case 8: return L"https://vk.com/fallout";
        case 9: return L"https://fallout76map.ru/";
        case 13: return L"https://store.steampowered.com/app/1151340/Fallout_76/";
        case 14: return L"https://discord.com/download";
        case 15: return L"https://cdn.cloudflare.steamstatic.com/client/installer/SteamSetup.exe";
        case 16: return L"https://discord.com/invite/BethesdaStudios";
        default: return L"";
    }
}

std::wstring GetDiscordUpdaterPath() {
    const RegKey key = RegKey::Open(HKEY_CURRENT_USER, L"SOFTWARE\\Discord\\Modules\\discord_game_sdk", KEY_READ);
    if (!key) return L"";
    const auto value = QueryStringValue(key.Get(), L"Path_x64");
    if (!value) return L"";
    // A relative path would be looked up from the current folder: only a full one runs.
    const std::wstring updater = DiscordUpdaterFromValue(*value);
    return IsAbsolutePath(updater) ? updater : L"";
}

void RunDiskCheck() { RunProgramWithParams(SystemProgramPath(L"chkdsk.exe"), L" C: /F"); }

void MainWindow::FalloutLogoImageClick(int tag) {
    switch (tag) {
        case 7: RunProgramWithParams(GetDiscordUpdaterPath(), L"--processStart Discord.exe"); break;
        case 11: Tools.SaveSystemReport(); break;
        case 12: RunDiskCheck(); break;
        case 100:
            RunRamMapTool(L"RAMMap", L"", true);
            RemoveTempFilesTimer.SetEnabled(true);
            break;
        default: RunProgram(LinkAddress(tag)); break;  // "" for an unknown Tag: nothing
    }
}

}  // namespace ravenlock
