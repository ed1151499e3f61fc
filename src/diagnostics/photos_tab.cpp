#include "diagnostics/photos_tab.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "diagnostics/diagnostics_rules.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/processes.h"

namespace ravenlock {

namespace {

// Files of one folder matching a mask (not recursive, files only, hidden ones too), in the
// order the listing yields them.
std::vector<std::wstring> ListFiles(const std::wstring& folder, const wchar_t* mask) {
    std::vector<std::wstring> names;
    for (const auto& e : ListFolder(folder + L"\\" + mask))
        if (!e.isFolder) names.push_back(e.name);
    return names;
}

std::vector<std::wstring> ListSubfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& e : ListFolder(folder + L"\\*"))
        if (e.isFolder) names.push_back(e.name);
    return names;
}

std::wstring WithoutTrailingSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

bool AskToDelete(const wchar_t* question) {
    return MessageBoxW(nullptr, question, L"Удаление файла", MB_YESNO | MB_ICONERROR) == IDYES;
}

void DeleteOrThrow(const std::wstring& path) {
    if (!DeleteFileW(path.c_str())) throw AppError(SystemErrorText(GetLastError()));
}

}  // namespace

void PhotosTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    HWND p = page.Handle();
    const ui::LabelStyle centred{GetSysColor(COLOR_BTNTEXT), -11, false, ui::Align::Center, false};
    PhotoLabel.Create(p, ids::kPhotoLabel, L"Фотографий Fallout 76: 0", {8, 6, 312, 16}, centred);
    ScreenshotLabel.Create(p, ids::kScreenshotLabel, L"Скриншотов Fallout 76:0", {325, 6, 310, 16}, centred);
    PhotoListBox.Create(p, ids::kPhotoListBox, {8, 24, 312, 460});
    ScreenshotListBox.Create(p, ids::kScreenshotListBox, {325, 24, 310, 460});
    PhotoListBox.onSelect = [this] { PhotoListBoxClick(); };
    ScreenshotListBox.onSelect = [this] { ScreenshotListBoxClick(); };
    PhotoViewerImage.Create(p, ids::kPhotoViewerImage, {0, 492, 643, 360}, false, true);
    PhotoViewerImage.SetEmbeddedPicture(L"PHOTO_PLACEHOLDER");
    PhotoViewerImage.onDoubleClick = [this] { PhotoViewerImageDblClick(); };
    for (ui::Control* c : std::initializer_list<ui::Control*>{&PhotoLabel, &ScreenshotLabel, &PhotoListBox, &ScreenshotListBox})
        c->SetEnabled(false);
    // The menu belongs to the pictures: the two lists and the viewer, not the counts or the
    // space between them.
    page.onContextMenu = [this](HWND over, POINT at) {
        if (over == PhotoListBox.Handle() || over == ScreenshotListBox.Handle() || over == PhotoViewerImage.Handle())
            PopupMenu(at);
    };

    // The viewer's menu: the first three items show icon 4, the deleting ones icon 2.
    static constexpr MenuItemSpec kItems[] = {{ids::kShowImageN, L"Показать в папке", 4},
                                              {ids::kOpenInExternalAppN, L"Открыть во внешнем приложении", 4},
                                              {ids::kOpenImageInMSPaintN, L"Открыть в MS Paint", 4},
                                              {0, nullptr, -1},
                                              {ids::kRemoveThumbsN, L"Удалить файлы миниатюр", 2},
                                              {ids::kRemoveImageN, L"Удалить файл", 2}};
    menu_ = BuildPopupMenu(kItems, std::size(kItems), main.TrayImageList);
}

void PhotosTab::PopupMenu(POINT at) {
    const int id = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_->Handle(), nullptr);
    if (id >= ids::kShowImageN && id <= ids::kRemoveImageN) ShowImageNClick(id - ids::kShowImageN + 1);
}

void PhotosTab::Sheet2Show() {
    AppState& st = main_->State;
    if (DirectoryExists(st.GameFolder)) {
        const std::wstring folder = WithoutTrailingSeparator(st.GameFolder);
        st.ScreenshotPaths.clear();
        ScreenshotLabel.SetEnabled(true);
        auto names = ListFiles(folder, L"*.png");
        if (CurrentEdition().Kind == EditionKind::Store)
            std::erase_if(names, [](const std::wstring& name) { return IsStorePackagePicture(name); });
        for (const auto& name : names) st.ScreenshotPaths.push_back(folder + L"\\" + name);
        ScreenshotListBox.SetItems(names);
        ScreenshotLabel.SetText(L"Скриншотов Fallout 76: " + std::to_wstring(names.size()));
        if (!names.empty()) ScreenshotListBox.SetEnabled(true);
    }
    const std::wstring root = st.GameProfileFolder + L"\\Photos";
    if (DirectoryExists(root)) {
        st.PhotoPaths.clear();
        PhotoListBox.SetItems({});
        for (const auto& sub : ListSubfolders(root)) st.PhotoFolder = root + L"\\" + sub;  // the last one wins
        std::vector<std::wstring> names;
        if (DirectoryExists(st.PhotoFolder)) {
            PhotoLabel.SetEnabled(true);
            names = ListFiles(st.PhotoFolder, L"*.png");
            for (const auto& name : names) st.PhotoPaths.push_back(st.PhotoFolder + L"\\" + name);
            PhotoListBox.SetItems(names);
        }
        PhotoLabel.SetText(L"Фотографий Fallout 76: " + std::to_wstring(names.size()));
        if (!names.empty()) PhotoListBox.SetEnabled(true);
    }
}

void PhotosTab::ShowPicture(const std::vector<std::wstring>& paths, int index) {
    if (index < 0 || index >= static_cast<int>(paths.size())) return;
    const std::wstring& path = paths[static_cast<size_t>(index)];
    if (FileExists(path)) {
        const std::string bytes = ReadWholeFile(path);
        const auto picture = DecodePicture(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        // A file that is no picture keeps the old one on screen and the old selection.
        if (!picture) throw AppError(L"Не удалось прочитать изображение \"" + path + L"\"");
        PhotoViewerImage.SetPicture(picture);
    }
    main_->State.SelectedImagePath = path;
}

void PhotosTab::PhotoListBoxClick() { ShowPicture(main_->State.PhotoPaths, PhotoListBox.Selected()); }

void PhotosTab::ScreenshotListBoxClick() { ShowPicture(main_->State.ScreenshotPaths, ScreenshotListBox.Selected()); }

void PhotosTab::PhotoViewerImageDblClick() {
    const std::wstring& path = main_->State.SelectedImagePath;
    if (FileExists(path)) RunProgram(path);
}

void PhotosTab::ShowImageNClick(int tag) {
    AppState& st = main_->State;
    const std::wstring path = st.SelectedImagePath;
    if (!FileExists(path)) return;  // every action needs a selected file that still exists
    switch (tag) {
        case 1: ShowInExplorer(path); break;
        case 2: RunProgram(path); break;
        case 3: RunProgramWithParams(SystemProgramPath(L"mspaint.exe"), L" \"" + path + L"\""); break;
        case 4:
            // Without a photo folder the pattern would name the drive's root.
            if (st.PhotoFolder.empty() || !DirectoryExists(st.PhotoFolder)) return;
            if (!AskToDelete(L"Удалить все файлы-миниатюр?")) return;
            for (const auto& name : ListFiles(st.PhotoFolder, L"*.png"))
                if (IsThumbnailName(name)) DeleteOrThrow(st.PhotoFolder + L"\\" + name);
            Sheet2Show();
            break;
        case 5:
            if (!AskToDelete(L"Удалить файл?")) return;
            DeleteOrThrow(path);
            Sheet2Show();
            break;
        default: break;
    }
}

}  // namespace ravenlock
