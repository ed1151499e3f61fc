#include "gameconfig/editor_tab.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/prefs_file.h"
#include "platform/app_error.h"
#include "platform/embedded.h"
#include "platform/file_system.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {

constexpr wchar_t kSearchHint[] = L"Поиск параметра...";
constexpr wchar_t kSearchMiss[] = L"Поиск завершён, совпадений не найдено";

// The profile heading's tag before a click, the resource it loads, and its new caption.
struct ProfileStep {
    const wchar_t* resource;
    const wchar_t* caption;
};
constexpr ProfileStep kProfileCycle[] = {
    {L"PREFSLOW", L"Штатные значения профиля \"Low\""},
    {L"PREFSMEDIUM", L"Штатные значения профиля \"Medium\""},
    {L"PREFSHIGH", L"Штатные значения профиля \"High\""},
    {L"PREFSULTRA", L"Штатные значения профиля \"Ultra\""},
};

}  // namespace

void EditorTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    page_ = &page;
    HWND p = page.Handle();
    Label6.Create(p, ids::kLabel6, L"Локальные значения", {8, 8, 310, 16}, {});
    PrefsProfileLabel.Create(p, ids::kPrefsProfileLabel, L"Штатные значения профиля \"Medium\"", {325, 8, 310, 16},
                             {GetSysColor(COLOR_BTNTEXT), -11, true, ui::Align::Left, true});
    PrefsProfileLabel.SetTag(0);
    PrefsProfileLabel.onClick = [this] { PrefsProfileLabelClick(); };

    // The two lists leave room under the value field for the note on an overridden line.
    Fallout76PrefsiniListBox.Create(p, ids::kFallout76PrefsiniListBox, {8, 26, 312, 562}, std::nullopt, true);
    Fallout76PrefsiniListBox.onSelect = [this] { Fallout76PrefsiniListBoxClick(); };
    Fallout76PrefsiniListBoxDefault.Create(p, ids::kFallout76PrefsiniListBoxDefault, {325, 26, 310, 562},
                                           RGB(0, 0, 255));
    LoadProfile(L"PREFSMEDIUM");  // the window starts with the Medium lines

    ParameterLabel.Create(p, ids::kParameterLabel, L"Параметр:", {8, 596, 300, 16}, {});
    ValueLabel.Create(p, ids::kValueLabel, L"Значение:", {325, 596, 300, 16}, {});
    ParameterEdit.Create(p, ids::kParameterEdit, L"", {8, 614, 300, 22}, ES_READONLY | ES_RIGHT);
    Label3.Create(p, ids::kLabel3, L"=", {310, 617, 13, 16}, {GetSysColor(COLOR_BTNTEXT), -11, false, ui::Align::Center});
    ValueEdit.Create(p, ids::kValueEdit, L"", {325, 614, 310, 22});
    ValueEdit.onEnter = [this] { ValueEditEnter(); };
    EffectiveValueLabel.Create(p, ids::kEffectiveValueLabel, L"", {325, 640, 310, 16},
                               {GetSysColor(COLOR_BTNTEXT), -11, false, ui::Align::Left});
    overrideMarks_.Create(Fallout76PrefsiniListBox, EffectiveValueLabel);
    SearchNotepadEdit.Create(p, ids::kSearchNotepadEdit, kSearchHint, {8, 664, 627, 22});
    SearchNotepadEdit.onFocus = [this] { SearchNotepadEditEnter(); };
    SearchNotepadEdit.onBlur = [this] { SearchNotepadEditExit(); };
    SearchNotepadEdit.onEnter = [this] { SearchNotepadEditKeyDownEnter(); };

    const struct {
        ui::FlatButton* button;
        int id, tag;
        const wchar_t* caption;
        ui::Bounds at;
    } buttons[] = {
        {&RestorePrefsButton, ids::kRestorePrefsButton, 101, L"Восстановить файлы настроек из резервной копии",
         {8, 698, 312, 40}},
        {&CopyPrefsButton, ids::kCopyPrefsButton, 102, L"Создать резервную копию файлов настроек", {325, 698, 310, 40}},
        {&SavePrefsButton, ids::kSavePrefsButton, 103, L"Сохранить изменения", {8, 744, 312, 40}},
        {&DeletePrefsButton, ids::kDeletePrefsButton, 104, L" Удалить файлы настроек", {325, 744, 310, 40}},
    };
    for (const auto& b : buttons) {
        b.button->Create(p, b.id, b.caption, b.at, -11);
        b.button->SetTag(b.tag);
        b.button->onClick = [this, button = b.button] { OpenPrefsButtonClick(button->Tag()); };
    }
    RestorePrefsButton.SetEnabled(false);

    // The restore points' menu: from the local values list, and from the restore button
    // also while it is disabled, when its clicks reach the page beneath it.
    page.onContextMenu = [this](HWND over, POINT at) {
        // The list answers the menu key too, wherever the mouse is.
        if (over == Fallout76PrefsiniListBox.Handle())
            ShowRestorePoints(at);
        else
            OfferRestorePoints(at);
    };
}

bool EditorTab::OfferRestorePoints(POINT at) {
    RECT list, button;
    GetWindowRect(Fallout76PrefsiniListBox.Handle(), &list);
    GetWindowRect(RestorePrefsButton.Handle(), &button);
    if (!IsWindowVisible(page_->Handle()) || !(PtInRect(&list, at) || PtInRect(&button, at))) return false;
    ShowRestorePoints(at);
    return true;
}

void EditorTab::ShowRestorePoints(POINT at) {
    ui::RunHandler(page_->Handle(), [&] { main_->RestorePoints.ShowMenu(at); });
}

void EditorTab::LoadPrefs() {
    LoadLineList(Lines, GameIniPath(main_->State.GameProfileFolder, GameIni::Prefs));
    Fallout76PrefsiniListBox.SetItems(Lines.Lines());
    RefreshOverrideMarks();
}

void EditorTab::RefreshOverrideMarks() {
    overrideMarks_.Refresh(main_->State.GameProfileFolder, Lines.Lines(), Lines.Selected());
}

void EditorTab::LoadProfile(const wchar_t* resource) {
    const auto data = EmbeddedData(resource);
    Profile.Load(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), SystemAnsi());
    Fallout76PrefsiniListBoxDefault.SetItems(Profile.Lines());
}

void EditorTab::Sheet4Show() {
    const std::wstring& folder = main_->State.GameProfileFolder;
    if (FileExists(GameIniPath(folder, GameIni::Main)) && FileExists(GameIniPath(folder, GameIni::Prefs))) {
        LoadPrefs();
        RestorePrefsButton.SetEnabled(FileExists(BackupIniPath(folder, GameIni::Prefs)));
    } else {
        // For the rest of the run: the controls stay visible but no longer respond.
        EnableWindow(page_->Handle(), FALSE);
    }
}

void EditorTab::ShowLine(int index) {
    const std::wstring& line = Lines.Lines().at(static_cast<size_t>(index));
    ParameterEdit.SetText(LineList::NameOf(line));
    ValueEdit.SetText(LineList::ValueOf(line));
    overrideMarks_.ShowNoteFor(index);
}

void EditorTab::Fallout76PrefsiniListBoxClick() {
    Lines.Select(Fallout76PrefsiniListBox.Selected());
    if (Lines.Selected() >= 0) ShowLine(Lines.Selected());
}

void EditorTab::ValueEditEnter() {
    const std::wstring value = ValueEdit.Text();
    if (value.empty()) return;  // a value cannot be emptied here
    Lines.ReplaceSelected(ParameterEdit.Text() + L"=" + value);
    Fallout76PrefsiniListBox.SetItem(Lines.Selected(), Lines.Lines()[static_cast<size_t>(Lines.Selected())]);
}

void EditorTab::PrefsProfileLabelClick() {
    const int tag = PrefsProfileLabel.Tag();
    if (tag < 0 || tag > 3) return;
    LoadProfile(kProfileCycle[tag].resource);
    PrefsProfileLabel.SetTag((tag + 1) % 4);
    PrefsProfileLabel.SetText(kProfileCycle[tag].caption);
}

void EditorTab::SearchNotepadEditEnter() {
    if (SearchNotepadEdit.Text() == kSearchHint) SearchNotepadEdit.SetText(L"");
}

void EditorTab::SearchNotepadEditExit() {
    if (SearchNotepadEdit.Text().empty()) SearchNotepadEdit.SetText(kSearchHint);
}

void EditorTab::SearchNotepadEditKeyDownEnter() {
    const std::wstring text = SearchNotepadEdit.Text();
    if (text.empty()) return;
    if (text == kSearchMiss) {
        SearchNotepadEdit.SetText(L"");
        return;
    }
    const auto at = Lines.Find(text);
    if (!at) {
        SearchNotepadEdit.SetText(kSearchMiss);
        return;
    }
    Lines.Select(static_cast<int>(*at));
    Fallout76PrefsiniListBox.Select(static_cast<int>(*at));
    ShowLine(static_cast<int>(*at));
}

namespace {

// Copies one file of the set; a missing source stops the whole action with its message.
void CopyGameFile(const std::wstring& from, const std::wstring& to) {
    if (!FileExists(from)) throw AppError(L"The specified file was not found");
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw AppError(SystemErrorText(GetLastError()));
}

}  // namespace

void EditorTab::OpenPrefsButtonClick(int tag) {
    const std::wstring& folder = main_->State.GameProfileFolder;
    switch (tag) {
        case 101: main_->RestorePoints.Before(kActionRestoreBackup); break;
        case 103: main_->RestorePoints.Before(kActionSaveChanges); break;
        case 104: main_->RestorePoints.Before(kActionDeleteFiles); break;
        default: break;  // a backup changes none of the game's files
    }
    const GameFilesWritable writable(folder);
    switch (tag) {
        case 101:
            for (const std::wstring& name : CurrentEdition().IniNames()) CopyGameFile(BackupIniPath(folder, name), GameIniPath(folder, name));
            break;
        case 102:
            for (const std::wstring& name : CurrentEdition().IniNames()) CopyGameFile(GameIniPath(folder, name), BackupIniPath(folder, name));
            break;
        case 103:
            SaveLineList(Lines, GameIniPath(folder, GameIni::Prefs));
            RefreshOverrideMarks();  // a saved key is still overridden where Custom sets it
            break;
        case 104:
            for (const std::wstring& name : CurrentEdition().IniNames())
                if (!DeleteFileW(GameIniPath(folder, name).c_str())) throw AppError(SystemErrorText(GetLastError()));
            break;
        default: break;
    }
}

}  // namespace ravenlock
