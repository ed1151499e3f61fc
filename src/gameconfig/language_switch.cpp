// The game's interface language, sLanguage in [General] of Fallout76.ini, shown and set
// by the Game tab's switch: on is "ru", off is "en".
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/ini_file.h"
#include "platform/file_system.h"

namespace ravenlock {

void MainWindow::SetUpLanguageSwitch() {
    const IniFile ini(GameIniPath(State.GameProfileFolder, GameIni::Main));
    ui::ToggleSwitch& sw = Game.LanguageSwitch;
    // Values compare exactly: "RU" or a missing key leave the switch as it is.
    if (ini.ReadString(L"General", L"sLanguage") == L"ru" && !sw.On()) {
        sw.SetOn(true);
        LanguageSwitchClick();
    }
    if (ini.ReadString(L"General", L"sLanguage") == L"en" && sw.On()) {
        sw.SetOn(false);
        LanguageSwitchClick();
    }
    sw.SetEnabled(true);
}

void MainWindow::LanguageSwitchUserClick() {
    const std::wstring& folder = State.GameProfileFolder;
    if (FileExists(GameIniPath(folder, GameIni::Main)) && FileExists(GameIniPath(folder, GameIni::Prefs))) {
        try {
            RestorePoints.Before(kActionSwitchLanguage);
        } catch (...) {
            Game.LanguageSwitch.SetOn(!Game.LanguageSwitch.On());  // the file keeps the language it had
            throw;
        }
    }
    LanguageSwitchClick();
}

void MainWindow::LanguageSwitchClick() {
    const std::wstring& folder = State.GameProfileFolder;
    if (!FileExists(GameIniPath(folder, GameIni::Main)) || !FileExists(GameIniPath(folder, GameIni::Prefs))) return;
    const GameFilesWritable writable(folder);
    IniFile(GameIniPath(folder, GameIni::Main)).WriteString(L"General", L"sLanguage", Game.LanguageSwitch.On() ? L"ru" : L"en");
}

}  // namespace ravenlock
