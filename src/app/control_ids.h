#pragma once
// Identities of the main window and its controls. The end-to-end tests include this
// header too: they find every control by these ids (GetDlgItem on its parent page)
// and the windows by these class names and captions.

namespace ravenlock::ids {

// Top-level windows.
inline constexpr wchar_t kMainWindowClass[] = L"TMainForm";
inline constexpr wchar_t kMainWindowCaption[] = L"Fallout 76 Ravenlock";
inline constexpr wchar_t kNewsWindowClass[] = L"TNewsForm";
// Title of the program's message boxes (the fatal start-up messages and the default
// error dialog): the executable's name without its extension.
inline constexpr wchar_t kMessageBoxTitle[] = L"Fallout76Ravenlock";

// The page control: six flat tab buttons, children of the main window, in tab order
// (Игра, Фотоменеджер, Интеграция, Инструменты и диагностика, Редактор настроек, Ресурсы).
// A BM_CLICK on a tab button selects its page.
inline constexpr int kTabButtonFirst = 1000;  // 1000 ... 1005
// The pages, children of the main window, in the same order; each page is the parent
// of its tab's controls.
inline constexpr int kPageFirst = 1100;  // 1100 ... 1105
inline constexpr int kTabCount = 6;
enum Tab : int { kTabGame = 0, kTabPhotos, kTabIntegration, kTabTools, kTabEditor, kTabResources };

// Game tab (page kPageFirst + kTabGame).
inline constexpr int kMainImage = 1200;
inline constexpr int kFalloutLogoImage = 1201;
inline constexpr int kRunGameButton = 1202;
inline constexpr int kRunSteamButton = 1203;
inline constexpr int kLabel2 = 1204;  // "CTRL+SHIFT+F"
inline constexpr int kLabel13 = 1205;  // Steam login
inline constexpr int kVersionGameLabel = 1206;
inline constexpr int kVersionSteamLabel = 1207;
inline constexpr int kNewsLabel0 = 1208;
inline constexpr int kNewsLabel1 = 1209;
inline constexpr int kNewsLabel2 = 1210;
inline constexpr int kServerStatusLabel = 1211;
inline constexpr int kLanguageSwitch = 1212;

// Integration tab.
inline constexpr int kDiscordServerIDEdit = 1300;

// Tools tab.
inline constexpr int kScreenResolutionLabel = 1400;
inline constexpr int kRAMLabel = 1401;

// Resources tab.
inline constexpr int kAboutLabel = 1600;

// The tray icon's callback message to the main window (lParam: the mouse message,
// WM_LBUTTONUP for a left click, WM_RBUTTONUP for the menu).
inline constexpr unsigned kTrayCallbackMessage = 0x8000 + 40;  // WM_APP + 40

// Tray menu items: a WM_COMMAND with one of these ids to the main window is a click on it.
inline constexpr int kRunFallout76ForceN = 2001;
inline constexpr int kInstallFolderN = 2002;
inline constexpr int kUserProfileN = 2003;
inline constexpr int kCheckAndRepairDiskN = 2004;
inline constexpr int kFreeWorkingSetsN = 2005;
inline constexpr int kFreeRAMN = 2006;
inline constexpr int kMinMaxN = 2007;
inline constexpr int kExitN = 2008;

}  // namespace ravenlock::ids
