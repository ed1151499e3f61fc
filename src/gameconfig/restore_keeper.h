#pragma once
// The program's restore points of the game's INI files: one is made before each change
// the program makes to them, and a menu of them puts the files back as they were.
#include <windows.h>

#include <set>
#include <string>

#include "gameconfig/restore_point_store.h"

namespace ravenlock {

class MainWindow;

// What came after a point, as its menu item says ("… — перед: <action>").
inline constexpr wchar_t kActionSaveChanges[] = L"Сохранить изменения";
inline constexpr wchar_t kActionDeleteFiles[] = L"Удалить файлы настроек";
inline constexpr wchar_t kActionRestoreBackup[] = L"Восстановить файлы настроек из резервной копии";
inline constexpr wchar_t kActionSwitchLanguage[] = L"Переключить язык игры";
inline constexpr wchar_t kActionToolsWrite[] = L"Изменить опции на вкладке \"Инструменты и диагностика\"";
inline constexpr wchar_t kActionScreenWrite[] = L"Изменить настройки на вкладке \"Экран и управление\"";

class RestorePointKeeper {
public:
    void Create(MainWindow& main);
    // A point of the game's files as they are now, before the named action. AppError when
    // it cannot be written: the action must then not go on.
    void Before(const std::wstring& action);
    // A tab was shown: its next write makes one point, named by the action; the writes
    // after it in the same showing make none.
    void ArmShowing(const std::wstring& action) { armed_.insert(action); }
    void BeforeShowingWrite(const std::wstring& action);
    // The Tools tab's options and sliders.
    void ArmToolsWrite() { ArmShowing(kActionToolsWrite); }
    void BeforeToolsWrite() { BeforeShowingWrite(kActionToolsWrite); }
    // The menu of points, newest first, and "Открыть папку точек восстановления".
    void ShowMenu(POINT at);

private:
    void Restore(const StoredPoint& point);
    // The editor's and the Tools tab's show handlers, after a restore whatever its end.
    void ShowFilesAgain();
    MainWindow* main_ = nullptr;
    RestorePointStore store_{L""};
    std::set<std::wstring> armed_;  // actions of the tabs whose next write makes a point
};

}  // namespace ravenlock
