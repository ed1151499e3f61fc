#pragma once
// The "Опции" group of the Tools tab: 22 check boxes, each bound to one or two keys of
// the game's files (or a launch option in the settings store), written at every click.
#include <map>
#include <memory>

#include "gameconfig/override_marks.h"
#include "ui/native_controls.h"

namespace ravenlock {

class MainWindow;

class OptionsPanel {
public:
    void Create(HWND page, MainWindow& main);
    // Sets the game-file boxes from the files, in fill order; a box whose state changes
    // runs its click handler, which writes its keys for the new state.
    void FillFromGameFiles();
    // Boxes 60 and 61 from the settings store, each only when its value exists.
    void FillLaunchOptions();
    void CheckBox1Click(int tag);

    ui::CheckBox* Box(int tag);
    // The page's context menu over a box; false when it is not this panel's to answer.
    bool ContextMenu(HWND over, POINT at) { return marks_.ContextMenu(over, at); }

private:
    void SetState(int tag, bool checked);
    void RefreshMarks();
    OverrideMarks marks_;
    MainWindow* main_ = nullptr;
    ui::GroupBox group_;
    std::map<int, std::unique_ptr<ui::CheckBox>> boxes_;
};

}  // namespace ravenlock
