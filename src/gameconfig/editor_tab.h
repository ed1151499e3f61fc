#pragma once
// The "Редактор настроек" tab: Fallout76Prefs.ini line by line beside a stock profile,
// one value edited at a time, search by name, and the backup / restore / save / delete
// buttons. Its line list is shared with the Tools tab.
#include "gameconfig/editor_override_marks.h"
#include "gameconfig/line_list.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class EditorTab {
public:
    void Create(ui::Page& page, MainWindow& main);

    void Sheet4Show();
    void Fallout76PrefsiniListBoxClick();
    void ValueEditEnter();
    void OpenPrefsButtonClick(int tag);
    void PrefsProfileLabelClick();
    void SearchNotepadEditEnter();
    void SearchNotepadEditExit();
    void SearchNotepadEditKeyDownEnter();

    // Loads Fallout76Prefs.ini into the line list and shows it (also used by the Tools tab).
    void LoadPrefs();
    // A right-click at this screen point on the local values list or the restore button
    // opens the restore points' menu; false when it fell elsewhere. The main window asks
    // too: the page, disabled without the game's files, gets no clicks of its own.
    bool OfferRestorePoints(POINT at);

    LineList Lines;    // the user's Fallout76Prefs.ini
    LineList Profile;  // the stock lines of the shown profile

    ui::Label Label6, PrefsProfileLabel, ParameterLabel, ValueLabel, Label3, EffectiveValueLabel;
    ui::ListBox Fallout76PrefsiniListBox, Fallout76PrefsiniListBoxDefault;
    ui::EditBox ParameterEdit, ValueEdit, SearchNotepadEdit;
    ui::FlatButton RestorePrefsButton, CopyPrefsButton, SavePrefsButton, DeletePrefsButton;

private:
    void ShowLine(int index);
    void ShowRestorePoints(POINT at);
    void LoadProfile(const wchar_t* resource);
    void RefreshOverrideMarks();
    MainWindow* main_ = nullptr;
    ui::Page* page_ = nullptr;
    EditorOverrideMarks overrideMarks_;
};

}  // namespace ravenlock
