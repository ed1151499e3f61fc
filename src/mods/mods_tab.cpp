#include "mods/mods_tab.h"

#include <algorithm>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/restore_keeper.h"
#include "mods/archive_file.h"
#include "mods/mod_list_file.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/late_libraries.h"
#include "platform/processes.h"
#include "platform/version_info.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {

constexpr wchar_t kBoxTitle[] = L"Моды";
constexpr wchar_t kSwitchOffCaption[] = L"Выключить все моды";
constexpr wchar_t kSwitchOnCaption[] = L"Включить моды снова";
constexpr wchar_t kNoSelectionText[] = L"Выберите мод в списке, чтобы увидеть сведения о нём.";
constexpr wchar_t kPointerText[] = L"Игра обновилась, а моды включены: если игра вылетает, откройте вкладку «Моды».";
constexpr COLORREF kNoticeColor = RGB(180, 0, 0);

bool HasFileNamed(const std::vector<std::wstring>& files, const std::wstring& name) {
    return std::any_of(files.begin(), files.end(), [&](const std::wstring& f) { return SameName(f, name); });
}

std::vector<RowName> NamesOf(const std::vector<ModRow>& rows) {
    std::vector<RowName> names;
    for (const ModRow& r : rows) names.push_back({r.name, r.list});
    return names;
}

}  // namespace

void ModsTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    page_ = &page;
    HWND p = page.Handle();

    updateLabel_.Create(p, ids::kModsUpdateLabel, L"", {8, 6, 460, 42}, {kNoticeColor, -11, false, ui::Align::Left, false});
    updateLabel_.SetWrapping(true);
    updateSwitchOffButton_.Create(p, ids::kModsUpdateSwitchOffButton, kSwitchOffCaption, {476, 10, 160, 30}, -11);
    updateSwitchOffButton_.onClick = [this] { SwitchAllOff(); };
    for (ui::Control* c : std::initializer_list<ui::Control*>{&updateLabel_, &updateSwitchOffButton_}) c->SetVisible(false);

    installButton_.Create(p, ids::kModsInstallButton, L"Установить мод…", {4, 54, 150, 30}, -11);
    installButton_.onClick = [this] { InstallButtonClick(); };
    removeButton_.Create(p, ids::kModsRemoveButton, L"Удалить мод", {160, 54, 120, 30}, -11);
    removeButton_.onClick = [this] { RemoveSelected(); };
    openDataButton_.Create(p, ids::kModsOpenDataButton, L"Открыть папку Data", {286, 54, 150, 30}, -11);
    openDataButton_.onClick = [this] { OpenDataFolder(); };
    switchAllButton_.Create(p, ids::kModsSwitchAllButton, kSwitchOffCaption, {442, 54, 194, 30}, -11);
    switchAllButton_.onClick = [this] { SwitchAllClick(); };

    list_.CreateTable(p, ids::kModsList, {4, 90, 635, 420},
                      {{L"Мод", 270}, {L"Список", 90}, {L"Размер, МБ", 85}, {L"Файлов", 70}, {L"Конфликты", 90}},
                      {true, true});
    list_.onCheck = [this](int row, bool checked) { RowChecked(row, checked); };
    list_.onSelect = [this] {
        const int at = list_.Selected();
        selected_ = at >= 0 && at < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(at)].name : L"";
        ShowDetails();
        EnableButtons();
    };
    // A click beside the rows takes the selection away.
    list_.onMouseClick = list_.onSelect;
    list_.onRowDropped = [this](int from, int to) { RowDropped(from, to); };
    list_.onMoveKey = [this](int steps) { Move(steps); };
    page.onContextMenu = [this](HWND over, POINT at) {
        ui::RunHandler(page_->Handle(), [&] { ContextMenu(over, at); });
    };
    page.onDropFiles = [this](HDROP drop) {
        ui::RunHandler(page_->Handle(), [&] { FilesDropped(drop); });
    };

    upButton_.Create(p, ids::kModsUpButton, L"Выше", {4, 516, 90, 28}, -11);
    upButton_.onClick = [this] { Move(-1); };
    downButton_.Create(p, ids::kModsDownButton, L"Ниже", {100, 516, 90, 28}, -11);
    downButton_.onClick = [this] { Move(1); };
    progressLabel_.Create(p, ids::kModsProgressLabel, L"", {200, 514, 350, 16}, {});
    progressBar_.Create(p, ids::kModsProgressBar, {200, 532, 350, 14});
    cancelButton_.Create(p, ids::kModsCancelButton, L"Отмена", {556, 516, 80, 28}, -11);
    cancelButton_.onClick = [this] {
        if (cancel_) cancel_->store(true);
        cancelButton_.SetEnabled(false);
    };
    for (ui::Control* c : std::initializer_list<ui::Control*>{&progressLabel_, &progressBar_, &cancelButton_})
        c->SetVisible(false);

    detailsBox_.Create(p, ids::kModsDetailsBox, kNoSelectionText, {12, 570, 619, 270},
                       ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL);
    detailsGroup_.Create(p, ids::kModsDetailsGroup, L"Сведения о моде", {4, 552, 635, 296});
}

void ModsTab::Sheet8Show() {
    if (!dropsAccepted_) {
        // The shell is loaded at the tab's first showing, not at start-up.
        late::Shell32(L"установка модов перетаскиванием").DragAcceptFiles(page_->Handle(), TRUE);
        dropsAccepted_ = true;
    }
    main_->RestorePoints.ArmShowing(kActionModList);
    // What an install of an earlier run left when the program ended half way.
    if (!installing_) RemoveLeftoverStaging(DataFolder());
    Fill();
}

std::wstring ModsTab::DataFolder() const { return CurrentEdition().DataFolder(); }

ModLists ModsTab::ReadLists() const { return ReadGameModLists(main_->State.GameProfileFolder); }

void ModsTab::SaveLists(const ModLists& lists) const { WriteGameModLists(main_->State.GameProfileFolder, lists); }

void ModsTab::Fill() {
    lists_ = ReadLists();
    const std::wstring data = DataFolder();
    files_.clear();
    std::map<std::wstring, CachedFacts> facts;
    for (const FolderEntry& entry : ListFolder(data + L"*.ba2")) {
        if (entry.isFolder) continue;
        files_.push_back(entry.name);
        // The game's own archives are large and never rows: their names are not read.
        if (IsGameArchive(entry.name)) continue;
        const std::wstring key = ArchivePathKey(entry.name);
        const auto known = facts_.find(key);
        if (known != facts_.end() && CompareFileTime(&known->second.lastWrite, &entry.lastWrite) == 0)
            facts.emplace(key, std::move(known->second));
        else
            facts.emplace(key, CachedFacts{entry.lastWrite, ReadArchiveFacts(data + entry.name)});
    }
    facts_ = std::move(facts);
    rows_ = RowsInLoadOrder(lists_, files_);
    const std::vector<std::wstring> order = LoadOrder(lists_);
    std::map<std::wstring, std::vector<std::wstring>> namesOf;
    for (const std::wstring& name : order)
        if (const ArchiveFacts* f = FactsOf(name)) namesOf[name] = f->names;
    conflicts_ = FindConflicts(order, namesOf);

    FillTable();
    const bool kept = !main_->State.Settings.ReadString(kModsSwitchedOffValue).empty();
    switchAllButton_.SetText(kept ? kSwitchOnCaption : kSwitchOffCaption);
    const std::optional<std::wstring> notice = Notice();
    updateLabel_.SetText(notice.value_or(L""));
    for (ui::Control* c : std::initializer_list<ui::Control*>{&updateLabel_, &updateSwitchOffButton_})
        c->SetVisible(notice.has_value());
    ShowDetails();
    EnableButtons();
    ShowUpdatePointer();
}

void ModsTab::FillTable() {
    std::vector<std::vector<std::wstring>> cells;
    std::vector<bool> checked;
    int select = -1;
    for (const ModRow& row : rows_) {
        const ModConflicts* c = ConflictsOf(row.name);
        cells.push_back(RowCells(row, FactsOf(row.name), c ? c->SharedFiles() : 0));
        checked.push_back(row.list != ModList::None);
        if (select < 0 && !selected_.empty() && SameName(row.name, selected_)) select = static_cast<int>(cells.size()) - 1;
    }
    list_.SetTable(cells, checked);
    list_.Select(select);
    if (select < 0) selected_.clear();
}

const ArchiveFacts* ModsTab::FactsOf(const std::wstring& name) const {
    const auto at = facts_.find(ArchivePathKey(name));
    return at == facts_.end() ? nullptr : &at->second.facts;
}

const ModConflicts* ModsTab::ConflictsOf(const std::wstring& name) const {
    for (const auto& [listed, c] : conflicts_)
        if (SameName(listed, name)) return &c;
    return nullptr;
}

std::optional<ModRow> ModsTab::SelectedRow() const {
    const int at = list_.Selected();
    if (at < 0 || at >= static_cast<int>(rows_.size())) return std::nullopt;
    return rows_[static_cast<size_t>(at)];
}

std::optional<std::wstring> ModsTab::Notice() const {
    return UpdateNotice(main_->State.Settings.ReadString(kModsGameVersionValue), GameVersionOf(CurrentEdition()),
                        AnyModOn(lists_));
}

void ModsTab::ShowDetails() {
    const auto row = SelectedRow();
    if (!row) {
        detailsBox_.SetText(kNoSelectionText);
        return;
    }
    detailsBox_.SetText(DetailsText(*row, DataFolder() + row->name, FactsOf(row->name), ConflictsOf(row->name),
                                    InstallOriginOf(ModRecordsFolder(), row->name)));
}

void ModsTab::EnableButtons() {
    const auto row = SelectedRow();
    const int at = list_.Selected();
    const auto sameListAt = [&](int other) {
        return row && row->list != ModList::None && other >= 0 && other < static_cast<int>(rows_.size()) &&
               rows_[static_cast<size_t>(other)].list == row->list;
    };
    upButton_.SetEnabled(!installing_ && sameListAt(at - 1));
    downButton_.SetEnabled(!installing_ && sameListAt(at + 1));
    removeButton_.SetEnabled(!installing_ && row.has_value());
    for (ui::Control* c : std::initializer_list<ui::Control*>{&installButton_, &switchAllButton_, &updateSwitchOffButton_, &list_})
        c->SetEnabled(!installing_);
}

void ModsTab::Write(const ModLists& lists, bool pointAlways) {
    if (lists == lists_) {
        Fill();  // the rows show the file again (a box clicked back, a drop in place)
        return;
    }
    try {
        if (pointAlways) main_->RestorePoints.Before(kActionModList);
        else main_->RestorePoints.BeforeShowingWrite(kActionModList);
        const GameFilesWritable writable(main_->State.GameProfileFolder);
        SaveLists(lists);
    } catch (...) {
        // The rows show what the file holds; the message is the dispatcher's.
        try {
            Fill();
        } catch (...) {
        }
        throw;
    }
    Fill();
}

void ModsTab::RowChecked(int row, bool checked) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    const ModRow& r = rows_[static_cast<size_t>(row)];
    selected_ = r.name;
    Write(WithModSwitched(lists_, r.name, checked));
}

void ModsTab::Move(int steps) {
    const auto row = SelectedRow();
    if (!row || installing_) return;
    Write(WithModMoved(lists_, row->name, steps));
}

void ModsTab::RowDropped(int from, int to) {
    if (from < 0 || from >= static_cast<int>(rows_.size()) || to < 0 || installing_) return;
    selected_ = rows_[static_cast<size_t>(from)].name;
    Write(WithRowDragged(lists_, NamesOf(rows_), static_cast<size_t>(from), static_cast<size_t>(to)));
}

void ModsTab::ContextMenu(HWND over, POINT at) {
    if (over != list_.Handle() || installing_) return;
    const auto row = SelectedRow();
    if (!row) return;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | (row->list == ModList::StartUp ? MF_CHECKED : MF_UNCHECKED), ids::kModsStartUpN,
                L"Загружать при запуске игры");
    AppendMenuW(menu, MF_STRING | (row->missing ? MF_GRAYED : 0), ids::kModsShowInFolderN, L"Показать в папке");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ids::kModsRemoveN, L"Удалить мод");
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_->Handle(), nullptr);
    DestroyMenu(menu);
    switch (chosen) {
        case ids::kModsStartUpN: ToggleStartUp(); break;
        case ids::kModsShowInFolderN: ShowInFolder(); break;
        case ids::kModsRemoveN: RemoveSelected(); break;
    }
}

void ModsTab::ToggleStartUp() {
    const auto row = SelectedRow();
    if (!row) return;
    Write(WithModInList(lists_, row->name, row->list == ModList::StartUp ? ModList::Main : ModList::StartUp));
}

void ModsTab::ShowInFolder() {
    const auto row = SelectedRow();
    if (!row || row->missing) return;
    RunProgramWithParams(WindowsProgramPath(L"explorer.exe"), L"/select,\"" + DataFolder() + row->name + L"\"");
}

void ModsTab::OpenDataFolder() {
    const std::wstring data = DataFolder();
    if (!DirectoryExists(data)) throw AppError(L"Папки Data нет: " + data);
    RunProgram(data);
}

void ModsTab::RemoveSelected() {
    const auto row = SelectedRow();
    if (!row || installing_) return;
    // A name without its file only leaves the list.
    if (row->missing) {
        Write(WithModSwitched(lists_, row->name, false));
        return;
    }
    if (HasInstallRecord(ModRecordsFolder(), row->name)) {
        RemoveRecorded(*row);
        return;
    }
    const std::wstring question = L"Удалить мод " + row->name +
                                  L"? Программа его не устанавливала: файл будет перемещён в корзину, "
                                  L"оттуда его можно вернуть.";
    if (MessageBoxW(main_->Handle(), question.c_str(), kBoxTitle, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const std::wstring failure = RecycleFile(DataFolder() + row->name);
    if (!failure.empty()) {
        Fill();
        throw AppError(L"Не удалось переместить " + row->name + L" в корзину: " + failure);
    }
    Write(WithModSwitched(lists_, row->name, false));
}

void ModsTab::RemoveRecorded(const ModRow& row) {
    const std::vector<std::wstring> before = files_;
    const RemoveResult result = RemoveRecordedMod(ModRecordsFolder(), CurrentEdition().InstallFolder, row.name);
    // Every archive of the record that is gone now leaves the lists, not only the one chosen.
    std::vector<std::wstring> after;
    for (const FolderEntry& entry : ListFolder(DataFolder() + L"*.ba2"))
        if (!entry.isFolder) after.push_back(entry.name);
    ModLists lists = lists_;
    for (const std::wstring& name : NamesWithoutFile(lists_, after))
        if (HasFileNamed(before, name)) lists = WithModSwitched(lists, name, false);
    std::exception_ptr failed;
    try {
        Write(lists);
    } catch (...) {
        failed = std::current_exception();
    }
    MessageBoxW(main_->Handle(), RemovedReport(row.name, result).c_str(), kBoxTitle,
                MB_OK | (result.error.empty() && result.changedLeft.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    if (failed) std::rethrow_exception(failed);
}

void ModsTab::SwitchAllClick() {
    const std::wstring kept = main_->State.Settings.ReadString(kModsSwitchedOffValue);
    if (kept.empty()) SwitchAllOff();
    else SwitchBackOn(SwitchedOffLists(kept));
}

void ModsTab::SwitchAllOff() {
    SettingsRegistry& settings = main_->State.Settings;
    const std::wstring kept = settings.ReadString(kModsSwitchedOffValue);
    // Mods switched on again by hand since an earlier switch-off join the ones kept then.
    const ModLists keep = kept.empty() ? lists_ : ListsSwitchedBackOn(SwitchedOffLists(kept), lists_);
    if (lists_ == ModLists{}) {
        Fill();
        return;
    }
    main_->RestorePoints.Before(kActionModList);
    settings.WriteString(kModsSwitchedOffValue, SwitchedOffValue(keep));
    try {
        const GameFilesWritable writable(main_->State.GameProfileFolder);
        SaveLists({});
    } catch (...) {
        // The lists stay in the file: nothing is kept aside for them.
        try {
            settings.WriteString(kModsSwitchedOffValue, kept);
            Fill();
        } catch (...) {
        }
        throw;
    }
    Fill();
}

void ModsTab::SwitchBackOn(const ModLists& kept) {
    Write(ListsSwitchedBackOn(kept, lists_), true);
    main_->State.Settings.WriteString(kModsSwitchedOffValue, L"");
    Fill();
    const std::vector<std::wstring> vanished = NamesWithoutFile(kept, files_);
    if (!vanished.empty())
        MessageBoxW(main_->Handle(), VanishedReport(vanished).c_str(), kBoxTitle, MB_OK | MB_ICONWARNING);
}

void ModsTab::GameLaunched() noexcept {
    try {
        if (!AnyModOn(ReadLists())) return;
        const std::wstring version = GameVersionOf(CurrentEdition());
        if (!version.empty()) main_->State.Settings.WriteString(kModsGameVersionValue, version);
        ShowUpdatePointer();
    } catch (...) {
        // The launch goes on; the next launch with mods records the version.
    }
}

void ModsTab::ShowUpdatePointer() {
    std::optional<std::wstring> notice;
    try {
        notice = UpdateNotice(main_->State.Settings.ReadString(kModsGameVersionValue), GameVersionOf(CurrentEdition()),
                              AnyModOn(ReadLists()));
    } catch (const AppError&) {
        // An unreadable custom file is the other tabs' message to give; the line stays away.
    }
    ui::Label& line = main_->Game.ModsUpdateLabel;
    line.SetText(notice ? kPointerText : L"");
    line.SetVisible(notice.has_value());
}

}  // namespace ravenlock
