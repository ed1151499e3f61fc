#include "gameconfig/restore_keeper.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "platform/file_system.h"
#include "platform/processes.h"

namespace ravenlock {

namespace {
constexpr wchar_t kOpenFolderItem[] = L"Открыть папку точек восстановления";
constexpr wchar_t kRestoreQuestion[] = L"Вернуть файлы настроек к состоянию на ";
}  // namespace

void RestorePointKeeper::Create(MainWindow& main) {
    main_ = &main;
    const std::wstring appData = LocalAppDataFolder();
    // Without the folder every point fails, and so every change is refused with the reason.
    store_ = RestorePointStore(appData.empty() ? L"" : DefaultRestorePointsFolder());
}

void RestorePointKeeper::Before(const std::wstring& action) { store_.MakeBefore(main_->State.GameProfileFolder, action); }

void RestorePointKeeper::BeforeShowingWrite(const std::wstring& action) {
    if (!armed_.contains(action)) return;
    Before(action);  // a failure leaves it armed: the next write tries again
    armed_.erase(action);
}

void RestorePointKeeper::ShowMenu(POINT at) {
    const std::vector<StoredPoint> points = store_.Points();
    HMENU menu = CreatePopupMenu();
    if (points.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"Точек восстановления пока нет");
    for (size_t i = 0; i < points.size(); ++i) {
        const StoredPoint& p = points[i];
        const std::wstring caption = p.action.empty() ? PointTimeText(p.stamp) : PointMenuCaption(p.stamp, p.action);
        AppendMenuW(menu, MF_STRING, i + 1, caption.c_str());
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const size_t openFolder = points.size() + 1;
    AppendMenuW(menu, MF_STRING, openFolder, kOpenFolderItem);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_->Handle(), nullptr);
    DestroyMenu(menu);
    if (chosen <= 0) return;
    if (static_cast<size_t>(chosen) == openFolder) {
        store_.MakeRoot();
        RunProgram(store_.Root());  // as the tray's folder items: the shell opens it
    } else {
        Restore(points[static_cast<size_t>(chosen) - 1]);
    }
}

void RestorePointKeeper::Restore(const StoredPoint& point) {
    const std::wstring when = PointTimeText(point.stamp);
    if (MessageBoxW(main_->Handle(), (kRestoreQuestion + when + L"?").c_str(), L"Точки восстановления",
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const std::wstring& folder = main_->State.GameProfileFolder;
    // Read first: the point made next may thin out the very one chosen.
    const PointFiles files = store_.FilesOf(point);
    // The present state becomes a point too, so the restore itself can be undone.
    store_.MakeBefore(folder, kRestoreQuestion + when);
    try {
        const GameFilesWritable writable(folder);
        WriteBackPointFiles(files, folder);
    } catch (const FileSetError& e) {
        ShowFilesAgain();
        std::wstring state = L"Файлы настроек остались такими, какими были до восстановления.";
        if (!e.Changed().empty()) {
            state = L"Прежнее состояние вернуть тоже не удалось, изменены файлы:";
            for (const std::wstring& path : e.Changed()) state += L"\n" + path;
            state += L"\nОно сохранено в точке восстановления, сделанной перед этим.";
        }
        throw AppError(L"Не удалось вернуть файлы настроек к состоянию на " + when + L". " + state + L"\n\n" +
                       e.Message());
    }
    // The tabs that found the files missing work again once they are back.
    if (files[0] && files[1])
        for (int tab : {ids::kTabTools, ids::kTabEditor}) EnableWindow(main_->MainPageControl.At(tab).Handle(), TRUE);
    ShowFilesAgain();
}

void RestorePointKeeper::ShowFilesAgain() {
    main_->Editor.Sheet4Show();
    main_->Tools.Sheet3Show();
    main_->Screen.Sheet7Show();
}

}  // namespace ravenlock
