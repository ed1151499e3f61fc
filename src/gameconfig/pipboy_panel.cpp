#include "gameconfig/pipboy_panel.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/ini_file.h"
#include "gameconfig/option_rules.h"
#include "gameconfig/prefs_file.h"
#include "platform/file_system.h"

namespace ravenlock {

namespace {

struct Channel {
    int tag;
    const wchar_t* name;
    const wchar_t* prefix;
};
constexpr Channel kChannels[] = {
    {1, L"fPipboyEffectColorR", L"R: "}, {2, L"fPipboyEffectColorG", L"G: "}, {3, L"fPipboyEffectColorB", L"B: "}};

}  // namespace

void PipboyPanel::Create(HWND page, MainWindow& main) {
    main_ = &main;
    ui::TrackBar* sliders[] = {&TrackBarR, &TrackBarG, &TrackBarB};
    ui::Label* labels[] = {&RedColorLabel, &GreenColorLabel, &BlueColorLabel};
    const COLORREF inks[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
    const int sliderIds[] = {ids::kTrackBarR, ids::kTrackBarG, ids::kTrackBarB};
    const int labelIds[] = {ids::kRedColorLabel, ids::kGreenColorLabel, ids::kBlueColorLabel};
    for (int i = 0; i < 3; ++i) {
        labels[i]->Create(page, labelIds[i], std::wstring(kChannels[i].prefix) + L"10", {16, 320 + i * 34, 56, 16},
                          {inks[i], -11, false, ui::Align::Left, false});
        sliders[i]->Create(page, sliderIds[i], {76, 308 + i * 34, 444, 34}, 1, 15);
        sliders[i]->SetTag(kChannels[i].tag);
        sliders[i]->onChange = [this, tag = kChannels[i].tag] { TrackBarRChange(tag); };
        sliders[i]->onChangeFinished = [this, tag = kChannels[i].tag] { Persist(tag); };
    }
    ResultImage.Create(page, ids::kResultImage, {540, 310, 83, 109}, false, true);
    // Last, so that it lies beneath what it frames.
    group_.Create(page, ids::kPipboyGroupBox, L"Цвет интерфейса и фонарика Pip-Boy", {4, 292, 635, 136});
}

ui::TrackBar* PipboyPanel::Slider(int tag) {
    return tag == 1 ? &TrackBarR : tag == 2 ? &TrackBarG : tag == 3 ? &TrackBarB : nullptr;
}

void PipboyPanel::ReadFromLines() {
    for (const Channel& c : kChannels) {
        // A value that is no position leaves its slider where it is.
        const auto position = PipboyPosition(main_->Editor.Lines.ValueOfName(c.name));
        ui::TrackBar* slider = Slider(c.tag);
        if (position && *position != slider->Position()) {
            slider->SetPosition(*position);
            TrackBarRChange(c.tag);
        }
    }
    // Labels and swatch show the three positions, also where nothing moved.
    for (const Channel& c : kChannels) ShowPosition(c.tag);
    PaintSwatch();
}

void PipboyPanel::TrackBarRChange(int tag) {
    if (tag >= 1 && tag <= 3) {
        ShowPosition(tag);
        main_->Editor.Lines.SetValueOfName(kChannels[tag - 1].name, PipboyValueText(Slider(tag)->Position()));
    }
    PaintSwatch();
}

void PipboyPanel::ShowPosition(int tag) {
    ui::Label* labels[] = {&RedColorLabel, &GreenColorLabel, &BlueColorLabel};
    labels[tag - 1]->SetText(kChannels[tag - 1].prefix + std::to_wstring(Slider(tag)->Position()));
}

void PipboyPanel::PaintSwatch() {
    Picture swatch;
    swatch.width = 83;
    swatch.height = 109;
    swatch.bgra.resize(83 * 109 * 4);
    const auto r = static_cast<uint8_t>(15 * TrackBarR.Position()), g = static_cast<uint8_t>(15 * TrackBarG.Position()),
               b = static_cast<uint8_t>(15 * TrackBarB.Position());
    for (size_t i = 0; i < swatch.bgra.size(); i += 4) {
        swatch.bgra[i] = b;
        swatch.bgra[i + 1] = g;
        swatch.bgra[i + 2] = r;
        swatch.bgra[i + 3] = 255;
    }
    ResultImage.SetPicture(swatch);
}

void PipboyPanel::Persist(int tag) {
    if (tag < 1 || tag > 3) return;
    const std::wstring& folder = main_->State.GameProfileFolder;
    const std::wstring prefs = GameIniPath(folder, GameIni::Prefs);
    if (!FileExists(prefs)) return;
    const Channel& c = kChannels[tag - 1];
    LineList onDisk;
    LoadLineList(onDisk, prefs);
    try {
        main_->RestorePoints.BeforeToolsWrite();
    } catch (...) {
        // The slider goes back to what the file holds.
        if (const auto position = PipboyPosition(onDisk.ValueOfName(c.name))) {
            Slider(tag)->SetPosition(*position);
            TrackBarRChange(tag);
        }
        throw;
    }
    const GameFilesWritable writable(folder);
    // Into the section where the name already stands, else into [Pipboy]; nothing else changes.
    IniFile(prefs).WriteString(onDisk.SectionOfName(c.name).value_or(L"Pipboy"), c.name,
                               PipboyValueText(Slider(tag)->Position()));
}

}  // namespace ravenlock
