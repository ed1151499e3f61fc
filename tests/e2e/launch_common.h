#pragma once
// What the launch, tray, status and resources tests share: the Game tab's controls and
// texts as the user reads them, the game's INI files, the memory readings, settings
// values of other types than text, and variables the started program inherits.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "driver.h"
#include "sandbox.h"

namespace e2e {

namespace ids = ravenlock::ids;

// The game button's captions (its launch state).
inline constexpr wchar_t kCaptionIdle[] = L"Запустить Fallout 76";
inline constexpr wchar_t kCaptionStopped[] = L"Запустить Fallout76";
inline constexpr wchar_t kCaptionStarting[] = L"Запуск игры...";
inline constexpr wchar_t kCaptionRunning[] = L"Игра запущена...";
inline constexpr wchar_t kSteamGameLink[] = L"steam://rungameid/1151340";

// The memory line on the Tools tab, while the game runs and as its peak.
inline constexpr wchar_t kRamPrefix[] = L"Потребление памяти процессом Fallout76.exe, Мб: ";
inline constexpr wchar_t kPeakPrefix[] = L"Потребление памяти процессом Fallout76.exe (ПИК), Мб: ";

// The server status line.
inline constexpr wchar_t kStatusPrefix[] = L"Состояние серверов Fallout 76: ";
inline constexpr wchar_t kStatusLoading[] = L"Загрузка данных о состоянии серверов Fallout 76...";
inline constexpr wchar_t kStatusError[] = L"Ошибка разбора данных";

// The hotkey CTRL+SHIFT+F as WM_HOTKEY carries it; the id is the program's own business.
inline constexpr UINT kHotKeyModifiers = MOD_CONTROL | MOD_SHIFT;
inline constexpr UINT kHotKeyKey = 'F';

// Controls of the main window's tabs.
HWND GameControl(HWND mainWindow, int id);
HWND RunGameButton(HWND mainWindow);
HWND ServerStatusLabel(HWND mainWindow);
HWND RamLabel(HWND mainWindow);
// Selects a tab as the user does, with its tab button.
void SelectTab(HWND mainWindow, int tab);

// A click on a clickable label: press and release, posted (real input lives in real_input.h).
void ClickLabel(HWND label);
// A left click on the program's tray icon, as the shell reports it to the main window.
void ClickTrayIcon(HWND mainWindow);
void PostCtrlShiftF(HWND mainWindow);
// Right-clicks the tray icon (as the shell reports it) and waits for the menu that opens;
// nullptr when none does.
HWND OpenTrayMenu(HWND mainWindow);
// The tray menu's items, counted from its end, for ChooseFromBottomOfMenu.
enum TrayItemFromBottom {
    kTrayExit = 0,
    kTraySessionJournal,
    kTrayArmLaunch,
    kTrayMinMax,
    kTrayFreeRam,
    kTrayFreeWorkingSets,
    kTrayCheckDisk,
    kTrayEdition,  // the submenu of the game's editions
    kTrayProfileFolder,
    kTrayInstallFolder,
    kTrayForceStart,
};

// Colours of the status line's text (0x00RRGGBB, as in a Picture).
inline constexpr uint32_t kStatusYellow = 0xFFFF00;
inline constexpr uint32_t kStatusRed = 0xFF0000;
inline constexpr uint32_t kStatusWhite = 0xFFFFFF;
// How many pixels of what the screen shows of the window have exactly this colour.
size_t PixelsOfColour(HWND window, uint32_t rgb);

// The number N of a line that is exactly prefix + N.
std::optional<int> NumberAfter(const std::wstring& line, const std::wstring& prefix);

// The game's three INI files in the profile folder.
std::vector<std::wstring> GameIniFiles();
// Makes them writable, as the program leaves them only while it edits them.
void MakeGameIniFilesWritable();
// True when each exists and carries the read-only attribute alone.
bool GameIniFilesReadOnly();

// Arguments the stub Steam passes to the game it starts (sandbox.h).
void SetGameArguments(const std::wstring& arguments);

// The game processes now running, and one's priority class (0 when it cannot be read).
std::vector<DWORD> GameProcesses();
DWORD PriorityClassOf(DWORD pid);
// Starts the stub game itself, as Steam or a shortcut would, without the program.
bool StartGameDirectly(const std::wstring& arguments);

// Lines of a log that contain the text.
int LinesWith(const std::wstring& log, const std::wstring& text);

// A REG_DWORD value under HKEY_CURRENT_USER.
bool WriteDword(const std::wstring& key, const std::wstring& name, DWORD value);

// The program's temporary copy of its memory tool: RAMMap.exe in a "Ravenlock-..." folder
// of the Wine user's temporary folder, which the program shares with the tests (a path
// in a folder that does not exist when there is no copy).
std::wstring TempToolCopy();
bool FileExists(const std::wstring& path);
// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> FileBytes(const std::wstring& path);

// Sets an environment variable of the test process for the lifetime of the object, so
// that a program started meanwhile inherits it; the earlier value comes back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const std::wstring& name, const std::wstring& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> earlier_;
};

}  // namespace e2e
