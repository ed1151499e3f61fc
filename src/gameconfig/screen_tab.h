#pragma once
// The "Экран и управление" tab: the game's resolution and window mode, the fields of view,
// the mouse, the camera and the draw distances (gameconfig/screen_settings.h has the
// table). Each control shows the value that applies across the three files, marks a key
// that a later file overrides, and writes on one user action: the first change of a
// showing makes a restore point, then the files are saved whole with the guard lifted.
#include <memory>
#include <optional>
#include <vector>

#include "gameconfig/override_marks.h"
#include "gameconfig/screen_settings.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class ScreenTab {
public:
    void Create(ui::Page& page, MainWindow& main);
    void Sheet7Show();

private:
    struct Row {
        const ScreenSetting* setting = nullptr;
        ui::Label caption, value;
        ui::TrackBar slider;
        ui::CheckBox check;
        ui::ComboBox combo;
        ui::Control* control = nullptr;  // the one of the three the row uses
        int shown = 0;                   // the slider position the files gave
    };
    void CreateRow(HWND page, int index, int top);
    // Reads the files again and shows what applies, with the override marks.
    void Fill();
    void ShowValue(Row& row, const std::wstring& text, bool fromFile);
    std::vector<OverrideMarks::Target> MarkTargets();

    void TrackBarChange(Row& row);
    void TrackBarChangeFinished(Row& row);
    void CheckBoxClick(Row& row);
    void ResolutionChoose();
    void WindowModeChoose();
    void OtherSizeEnter();
    void RestorePointsButtonClick();
    void WriteSize(ScreenSize size);
    // The writes of one user action; a failure puts the controls back to the files and
    // is shown as the message.
    void Write(const std::vector<KeyWrite>& writes);

    MainWindow* main_ = nullptr;
    ui::Page* page_ = nullptr;
    std::vector<std::unique_ptr<Row>> rows_;  // by ScreenRow
    std::vector<std::unique_ptr<ui::GroupBox>> groups_;
    ui::Label widthLabel_, heightLabel_;
    ui::EditBox widthEdit_, heightEdit_;
    ui::FlatButton restorePointsButton_;
    OverrideMarks marks_;
    std::vector<ScreenSize> modes_;  // the monitor's, read at each showing
    ScreenSize screen_;              // its present size
    ScreenSize applies_;             // the game's resolution as the files set it
    std::vector<ScreenSize> sizes_;  // the resolution list's items before "Другое…"
    bool otherOpen_ = false;         // "Другое…" chosen: its fields are shown
};

}  // namespace ravenlock
