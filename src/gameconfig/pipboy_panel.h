#pragma once
// The Pip-Boy colour group: three sliders 1..15 over the line list's colour values, a
// label per slider and a swatch of the colour. A change the user finishes is written to
// Fallout76Prefs.ini at once, so that the chosen colour is kept.
#include "ui/controls.h"
#include "ui/native_controls.h"

namespace ravenlock {

class MainWindow;

class PipboyPanel {
public:
    void Create(HWND page, MainWindow& main);
    // Sets the sliders from the editor's line list (the Tools tab's show handler).
    void ReadFromLines();
    void TrackBarRChange(int tag);

    ui::TrackBar TrackBarR, TrackBarG, TrackBarB;
    ui::Label RedColorLabel, GreenColorLabel, BlueColorLabel;
    ui::PictureBox ResultImage;

private:
    void Persist(int tag);
    void PaintSwatch();
    void ShowPosition(int tag);  // "R: 5" and the like
    ui::TrackBar* Slider(int tag);
    MainWindow* main_ = nullptr;
    ui::GroupBox group_;
};

}  // namespace ravenlock
