#pragma once
// The "Моды" tab: the archives in the game's Data folder and the two lists of the custom
// INI file that switch them on, in load order, with what each shares with the others.
// Every check, move and list change writes the lists at once (a restore point first, the
// guard lifted, the file saved whole); installing unpacks on a worker while the tab shows
// its progress; the switch-all-off keeps the lists in the settings store for after a game
// update.
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mods/mod_edits.h"
#include "mods/mod_install.h"
#include "mods/mod_order.h"
#include "mods/mod_texts.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

// The settings store's values of the tab.
inline constexpr wchar_t kModsSwitchedOffValue[] = L"ModsSwitchedOff";
inline constexpr wchar_t kModsGameVersionValue[] = L"ModsGameVersion";

class ModsTab {
public:
    void Create(ui::Page& page, MainWindow& main);
    void Sheet8Show();
    // The game is being launched: with a mod on, its version becomes the one last played
    // with mods. Never stops the launch.
    void GameLaunched() noexcept;
    // The Game tab's line that points here after a game update.
    void ShowUpdatePointer();

private:
    // Reads the lists and the Data folder again and shows them.
    void Fill();
    void FillTable();
    void ShowDetails();
    void EnableButtons();
    std::optional<ModRow> SelectedRow() const;
    std::wstring DataFolder() const;
    const ArchiveFacts* FactsOf(const std::wstring& name) const;
    const ModConflicts* ConflictsOf(const std::wstring& name) const;
    std::optional<std::wstring> Notice() const;

    // The lists as the custom file holds them, and written back.
    ModLists ReadLists() const;
    void SaveLists(const ModLists& lists) const;
    // One user action's change: a restore point (once a showing), the guard lifted, the
    // file saved; the tab shows the file afterwards, also when that failed. pointAlways:
    // a restore point of its own even after another write of the showing.
    void Write(const ModLists& lists, bool pointAlways = false);

    void RowChecked(int row, bool checked);
    void Move(int steps);
    void RowDropped(int from, int to);
    void ContextMenu(HWND over, POINT at);
    void ToggleStartUp();
    void ShowInFolder();
    void OpenDataFolder();
    void RemoveSelected();
    void RemoveRecorded(const ModRow& row);
    void SwitchAllClick();
    void SwitchAllOff();
    void SwitchBackOn(const ModLists& kept);

    // Installing: the file dialog or a drop, the worker, and its end on the UI thread.
    void InstallButtonClick();
    void FilesDropped(HDROP drop);
    void StartInstall(std::vector<std::wstring> sources);
    void ShowProgress(const StageProgress& progress);
    void FinishInstall(StagedInstall& staged);
    void ShowInstalling(bool installing);

    MainWindow* main_ = nullptr;
    ui::Page* page_ = nullptr;
    ui::Label updateLabel_, progressLabel_;
    ui::FlatButton updateSwitchOffButton_, installButton_, removeButton_, openDataButton_, switchAllButton_, upButton_,
        downButton_, cancelButton_;
    ui::ListView list_;
    ui::ProgressBar progressBar_;
    ui::GroupBox detailsGroup_;
    ui::EditBox detailsBox_;

    ModLists lists_;
    std::vector<std::wstring> files_;  // the *.ba2 in Data
    std::vector<ModRow> rows_;
    std::map<std::wstring, ModConflicts> conflicts_;  // by the name as listed
    struct CachedFacts {
        FILETIME lastWrite{};
        ArchiveFacts facts;
    };
    std::map<std::wstring, CachedFacts> facts_;  // by ArchivePathKey of the file name: read again when it changes
    std::wstring selected_;                      // the selected row's name, kept across rebuilds
    bool dropsAccepted_ = false;
    bool installing_ = false;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

}  // namespace ravenlock
