#pragma once
// Identities of the main window and its controls. The end-to-end tests include this
// header too: they find every control by these ids (GetDlgItem on its parent page)
// and the windows by these class names and captions.

namespace ravenlock::ids {

// Top-level windows.
inline constexpr wchar_t kMainWindowClass[] = L"TMainForm";
inline constexpr wchar_t kMainWindowCaption[] = L"Fallout 76 Ravenlock";
inline constexpr wchar_t kNewsWindowClass[] = L"TNewsForm";
inline constexpr wchar_t kNewsWindowCaption[] = L"Новости Fallout 76";
inline constexpr wchar_t kJournalWindowClass[] = L"TSessionJournalForm";
// Title of the program's message boxes (the fatal start-up messages and the default
// error dialog): the executable's name without its extension.
inline constexpr wchar_t kMessageBoxTitle[] = L"Fallout76Ravenlock";

// The page control: flat tab buttons, children of the main window, in tab order, three
// to a row (Игра, Фотоменеджер, Интеграция / Инструменты и диагностика, Редактор
// настроек, Ресурсы / Экран и управление). A BM_CLICK on a tab button selects its page.
inline constexpr int kTabButtonFirst = 1000;  // 1000 ... 1000 + kTabCount - 1
// The pages, children of the main window, in the same order; each page is the parent
// of its tab's controls.
inline constexpr int kPageFirst = 1100;  // 1100 ... 1100 + kTabCount - 1
enum Tab : int { kTabGame = 0, kTabPhotos, kTabIntegration, kTabTools, kTabEditor, kTabResources, kTabScreen };
inline constexpr int kTabCount = kTabScreen + 1;

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
inline constexpr int kEditionLabel = 1213;     // "Версия игры:", shown when both editions are installed
inline constexpr int kEditionComboBox = 1214;  // Steam / Microsoft Store

// Integration tab.
inline constexpr int kDiscordServerIDEdit = 1300;
inline constexpr int kDiscordImage = 1301;
inline constexpr int kDiscordLabel = 1302;  // the server line
inline constexpr int kDiscordList = 1303;   // list view: member, status, channel, game
inline constexpr int kTelegramLabel = 1304;  // hidden
inline constexpr int kTelegramChatIDEdit = 1305;  // hidden

// Tools tab.
inline constexpr int kScreenResolutionLabel = 1400;
inline constexpr int kRAMLabel = 1401;

// Tools tab: the options (check box id = kCheckBoxFirst + its tag) and the Pip-Boy colour.
inline constexpr int kOptionsGroupBox = 1402;
inline constexpr int kCheckBoxFirst = 1410;  // 1411 ... 1430, 1470, 1471
inline constexpr int kPipboyGroupBox = 1403;
inline constexpr int kTrackBarR = 1480;
inline constexpr int kTrackBarG = 1481;
inline constexpr int kTrackBarB = 1482;
inline constexpr int kRedColorLabel = 1483;
inline constexpr int kGreenColorLabel = 1484;
inline constexpr int kBlueColorLabel = 1485;
inline constexpr int kResultImage = 1486;

// Tools tab: system information, installed mods and crash dumps.
inline constexpr int kSystemInfoGroupBox = 1440;
inline constexpr int kCPUNameLabel = 1441;
inline constexpr int kCPUFrequencyLabel = 1442;
inline constexpr int kCPUThreadsLabel = 1443;
inline constexpr int kRAMSpaceLabel = 1444;
inline constexpr int kGPULabel = 1445;
inline constexpr int kHostNameLabel = 1446;
inline constexpr int kOSNameLabel = 1447;
inline constexpr int kProcessCounterLabel = 1448;
inline constexpr int kSaveReportImage = 1449;
inline constexpr int kCheckAndRepairDiskImage = 1450;
inline constexpr int kRAMMapImage = 1451;
inline constexpr int kModsGroupBox = 1452;
inline constexpr int kModsListView = 1453;
inline constexpr int kModsContentMemo = 1454;
inline constexpr int kGroupBox3 = 1455;
inline constexpr int kCrashDumpListView = 1456;

// Photo manager tab.
inline constexpr int kPhotoLabel = 1350;
inline constexpr int kScreenshotLabel = 1351;
inline constexpr int kPhotoListBox = 1352;
inline constexpr int kScreenshotListBox = 1353;
inline constexpr int kPhotoViewerImage = 1354;
// Photo viewer menu items (a WM_COMMAND with one of these to the main window is a click).
inline constexpr int kShowImageN = 2101;
inline constexpr int kOpenInExternalAppN = 2102;
inline constexpr int kOpenImageInMSPaintN = 2103;
inline constexpr int kRemoveThumbsN = 2104;
inline constexpr int kRemoveImageN = 2105;

// Settings editor tab.
inline constexpr int kLabel6 = 1500;
inline constexpr int kPrefsProfileLabel = 1501;
inline constexpr int kFallout76PrefsiniListBox = 1502;
inline constexpr int kFallout76PrefsiniListBoxDefault = 1503;
inline constexpr int kParameterLabel = 1504;
inline constexpr int kValueLabel = 1505;
inline constexpr int kParameterEdit = 1506;
inline constexpr int kLabel3 = 1507;
inline constexpr int kValueEdit = 1508;
inline constexpr int kSearchNotepadEdit = 1509;
inline constexpr int kRestorePrefsButton = 1510;
inline constexpr int kCopyPrefsButton = 1511;
inline constexpr int kSavePrefsButton = 1512;
inline constexpr int kDeletePrefsButton = 1513;
// Under the value field: the value that applies instead, when a later file sets the key.
inline constexpr int kEffectiveValueLabel = 1514;

// Resources tab.
inline constexpr int kAboutLabel = 1600;
// The launch-codes group on the Resources tab: the list view (silo, code) and the request line.
inline constexpr int kLaunchCodesGroupBox = 1650;
inline constexpr int kLaunchCodesListBox = 1651;
inline constexpr int kLaunchCodesLabel = 1652;

// "Экран и управление" tab (page kPageFirst + kTabScreen). Each row of its table
// (ravenlock::ScreenRow in gameconfig/screen_settings.h) has its control (combo box,
// slider or check box) at kScreenControlFirst + the row, the caption at its left (none
// for a check box) at kScreenCaptionFirst + the row and the value label at its right at
// kScreenValueFirst + the row.
inline constexpr int kScreenControlFirst = 2300;
inline constexpr int kScreenCaptionFirst = 2320;
inline constexpr int kScreenValueFirst = 2340;
// "Другое…" of the resolution list: the two number fields and their captions.
inline constexpr int kScreenWidthEdit = 2360;
inline constexpr int kScreenHeightEdit = 2361;
inline constexpr int kScreenWidthLabel = 2362;
inline constexpr int kScreenHeightLabel = 2363;
inline constexpr int kScreenRestorePointsButton = 2364;  // "Точки восстановления…": the restore points' menu
inline constexpr int kScreenGroupFirst = 2370;  // the five group boxes, top to bottom

// The news window (class kNewsWindowClass, caption "Новости Fallout 76"): its children.
inline constexpr int kNewsHeadingLabel = 1700;
inline constexpr int kNewsCloseImage = 1701;  // the cross: hides the window
inline constexpr int kNewsImage = 1702;       // the picture: opens the article
inline constexpr int kMainNewsLabel = 1703;   // the summary: opens the article
// Resources-tab link pictures: id = kLinkImageFirst + the picture's Tag (1 to 16),
// the other link pictures have ids of their own.
inline constexpr int kLinkImageFirst = 1800;
inline constexpr int kLinkCaptionFirst = 1900;  // the caption beside a link picture, by its Tag
inline constexpr int kGroupBox1 = 1620;  // the map

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
inline constexpr int kArmLaunchN = 2009;
inline constexpr int kSessionJournalN = 2010;
// The submenu "Версия игры": one check item per edition.
inline constexpr int kEditionSteamN = 2011;
inline constexpr int kEditionStoreN = 2012;

// The journal window's children.
inline constexpr int kJournalList = 2101;
inline constexpr int kJournalWeekLabel = 2102;

}  // namespace ravenlock::ids
