#include "gameconfig/screen_tab.h"

#include <algorithm>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/prefs_file.h"
#include "gameconfig/restore_keeper.h"
#include "platform/file_system.h"
#include "ui/dispatch.h"

namespace ravenlock {

namespace {

// Columns: the caption, the control, the value label; rows of one height.
constexpr int kCaptionX = 16, kCaptionW = 236, kControlX = 254, kControlW = 244, kValueX = 504, kValueW = 127;
constexpr int kRowH = 32, kGroupHead = 20, kGroupGap = 8;
constexpr COLORREF kFileNoteColor = RGB(255, 0, 0);

GameIni FileOf(ScreenFile file) { return file == ScreenFile::Prefs ? GameIni::Prefs : GameIni::Custom; }

ScreenSize Screen() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
}

// Every mode of the primary monitor, by mode index.
std::vector<ScreenSize> MonitorModes() {
    std::vector<ScreenSize> modes;
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i)
        modes.push_back({static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)});
    return modes;
}

}  // namespace

void ScreenTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    page_ = &page;
    HWND p = page.Handle();
    marks_.Create(main, [this] { Fill(); });
    page.onContextMenu = [this](HWND over, POINT at) {
        ui::RunHandler(page_->Handle(), [&] { marks_.ContextMenu(over, at); });
    };

    const auto& settings = ScreenSettings();
    int y = 6, groupTop = y, groupIndex = 0;
    for (size_t i = 0; i < settings.size(); ++i) {
        if (i == 0 || settings[i].group != settings[i - 1].group) {
            groupTop = y;
            y += kGroupHead;
        }
        CreateRow(p, static_cast<int>(i), y);
        y += kRowH;
        if (i == kScreenResolution) {
            // "Другое…": the two number fields, shown while it is chosen.
            widthLabel_.Create(p, ids::kScreenWidthLabel, L"Ширина", {kControlX, y + 8, 56, 16}, {});
            widthEdit_.Create(p, ids::kScreenWidthEdit, L"", {kControlX + 58, y + 4, 60, 22}, ES_NUMBER);
            heightLabel_.Create(p, ids::kScreenHeightLabel, L"Высота", {kControlX + 128, y + 8, 52, 16}, {});
            heightEdit_.Create(p, ids::kScreenHeightEdit, L"", {kControlX + 184, y + 4, 60, 22}, ES_NUMBER);
            for (ui::EditBox* edit : {&widthEdit_, &heightEdit_}) {
                edit->onEnter = [this] { OtherSizeEnter(); };
                edit->onBlur = [this] { ui::RunHandler(page_->Handle(), [this] { OtherSizeEnter(); }); };
            }
            for (ui::Control* c : std::initializer_list<ui::Control*>{&widthLabel_, &widthEdit_, &heightLabel_, &heightEdit_})
                c->SetVisible(false);
            y += kRowH;
        }
        if (i + 1 == settings.size() || settings[i].group != settings[i + 1].group) {
            // Last, so that it lies beneath the rows it frames.
            auto group = std::make_unique<ui::GroupBox>();
            group->Create(p, ids::kScreenGroupFirst + groupIndex++, settings[i].group,
                          {4, groupTop, 635, y - groupTop + 4});
            groups_.push_back(std::move(group));
            y += kGroupGap + 4;
        }
    }
    restorePointsButton_.Create(p, ids::kScreenRestorePointsButton, L"Точки восстановления…", {4, y + 4, 209, 30}, -11);
    restorePointsButton_.onClick = [this] { RestorePointsButtonClick(); };
}

void ScreenTab::CreateRow(HWND page, int index, int top) {
    auto row = std::make_unique<Row>();
    Row& r = *row;
    r.setting = &ScreenSettings()[static_cast<size_t>(index)];
    const ScreenSetting& s = *r.setting;
    const int controlId = ids::kScreenControlFirst + index;
    switch (s.kind) {
        case ScreenKind::Slider: {
            r.slider.Create(page, controlId, {kControlX, top, kControlW, 30}, SliderMinimum(s), SliderMaximum(s),
                            std::max(1, (SliderMaximum(s) - SliderMinimum(s)) / 10));
            r.slider.onChange = [this, &r] { TrackBarChange(r); };
            r.slider.onChangeFinished = [this, &r] { TrackBarChangeFinished(r); };
            r.control = &r.slider;
            break;
        }
        case ScreenKind::Check:
        case ScreenKind::VerticalFix:
            r.check.Create(page, controlId, s.caption, {kCaptionX, top + 6, kValueX - kCaptionX - 8, 20});
            r.check.onClick = [this, &r] { CheckBoxClick(r); };
            r.control = &r.check;
            break;
        case ScreenKind::Resolution:
        case ScreenKind::WindowMode:
            r.combo.Create(page, controlId, {kControlX, top + 4, kControlW, 320});
            r.combo.onChoose = [this, kind = s.kind] {
                if (kind == ScreenKind::Resolution) ResolutionChoose();
                else WindowModeChoose();
            };
            r.control = &r.combo;
            break;
    }
    if (r.control != &r.check)
        r.caption.Create(page, ids::kScreenCaptionFirst + index, s.caption, {kCaptionX, top + 8, kCaptionW, 16}, {});
    r.value.Create(page, ids::kScreenValueFirst + index, L"", {kValueX, top + 8, kValueW, 16}, {});
    rows_.push_back(std::move(row));
}

void ScreenTab::Sheet7Show() {
    const bool folderExists = DirectoryExists(main_->State.GameProfileFolder);
    EnableWindow(page_->Handle(), folderExists ? TRUE : FALSE);
    if (!folderExists) return;
    main_->RestorePoints.ArmShowing(kActionScreenWrite);
    modes_ = MonitorModes();
    screen_ = Screen();
    otherOpen_ = false;
    Fill();
}

void ScreenTab::ShowValue(Row& row, const std::wstring& text, bool fromFile) {
    row.value.SetColor(fromFile ? kFileNoteColor : GetSysColor(COLOR_BTNTEXT));
    row.value.SetText(text);
}

void ScreenTab::Fill() {
    const EffectiveSettings effective = ReadEffectiveSettings(main_->State.GameProfileFolder);
    // The value that applies: the last file that sets the key.
    const auto applies = [&](const ScreenKey& k) -> std::optional<std::wstring> {
        const auto setters = effective.SettersOf(k.section, k.key);
        if (setters.empty()) return std::nullopt;
        return setters.back().value;
    };
    for (auto& row : rows_) {
        Row& r = *row;
        const ScreenSetting& s = *r.setting;
        switch (s.kind) {
            case ScreenKind::Slider: {
                const SliderReading reading = ReadSlider(s, applies(s.keys[0]));
                r.slider.SetPosition(reading.position);
                r.shown = reading.position;
                ShowValue(r, reading.note.value_or(SliderLabel(s, reading.position)), reading.note.has_value());
                break;
            }
            case ScreenKind::Check:
            case ScreenKind::VerticalFix: {
                const CheckReading reading = s.kind == ScreenKind::Check
                                                 ? ReadCheck(s, applies(s.keys[0]))
                                                 : ReadVerticalFix(applies(s.keys[0]), applies(s.keys[1]));
                r.check.SetChecked(reading.checked);
                ShowValue(r, reading.note.value_or(L""), reading.note.has_value());
                break;
            }
            case ScreenKind::Resolution: {
                const SizeReading reading = ReadSize(applies(s.keys[0]), applies(s.keys[1]));
                applies_ = reading.size;
                sizes_ = ResolutionList(modes_, applies_);
                std::vector<std::wstring> items;
                for (const ScreenSize& size : sizes_) items.push_back(SizeItemText(size, size == screen_));
                items.push_back(kOtherSizeItem);
                const auto at = std::find(sizes_.begin(), sizes_.end(), applies_) - sizes_.begin();
                r.combo.SetItems(items, otherOpen_ ? static_cast<int>(sizes_.size()) : static_cast<int>(at));
                ShowValue(r, reading.note.value_or(L""), reading.note.has_value());
                break;
            }
            case ScreenKind::WindowMode: {
                const size_t mode = ReadWindowMode(applies(s.keys[0]), applies(s.keys[1]), applies(s.keys[2]));
                std::vector<std::wstring> items = WindowModeNames();
                if (mode == items.size()) items.push_back(kOtherWindowMode);
                r.combo.SetItems(items, static_cast<int>(mode));
                break;
            }
        }
    }
    marks_.Refresh(MarkTargets(), effective);
}

std::vector<OverrideMarks::Target> ScreenTab::MarkTargets() {
    std::vector<OverrideMarks::Target> targets;
    for (auto& row : rows_) {
        Row& r = *row;
        const ScreenSetting& s = *r.setting;
        OverrideMarks::Target t{{r.control->Handle()}, GameIniIndex(FileOf(s.file)), {}, {}};
        if (r.caption.Handle()) t.windows.push_back(r.caption.Handle());
        for (const ScreenKey& k : s.keys) t.keys.emplace_back(k.section, k.key);
        t.paint = [&r](bool overridden) {
            const std::optional<COLORREF> orange =
                overridden ? std::optional<COLORREF>(kOverriddenCaptionColor) : std::nullopt;
            if (r.control == &r.check) r.check.SetCaptionColor(orange);
            else r.caption.SetColor(orange.value_or(GetSysColor(COLOR_BTNTEXT)));
        };
        targets.push_back(std::move(t));
    }
    return targets;
}

void ScreenTab::TrackBarChange(Row& row) { ShowValue(row, SliderLabel(*row.setting, row.slider.Position()), false); }

void ScreenTab::TrackBarChangeFinished(Row& row) {
    // A click or key that left the value where the files have it writes nothing.
    if (row.slider.Position() != row.shown) Write(SliderWrites(*row.setting, row.slider.Position()));
}

void ScreenTab::CheckBoxClick(Row& row) {
    const bool checked = row.check.Checked();
    Write(row.setting->kind == ScreenKind::VerticalFix ? VerticalFixWrites(checked, applies_)
                                                        : CheckWrites(*row.setting, checked));
}

void ScreenTab::ResolutionChoose() {
    const int index = rows_[kScreenResolution]->combo.Selected();
    otherOpen_ = index == static_cast<int>(sizes_.size());
    for (ui::Control* c : std::initializer_list<ui::Control*>{&widthLabel_, &widthEdit_, &heightLabel_, &heightEdit_})
        c->SetVisible(otherOpen_);
    if (otherOpen_) {
        widthEdit_.SetText(std::to_wstring(applies_.width));
        heightEdit_.SetText(std::to_wstring(applies_.height));
    } else if (index >= 0) {
        WriteSize(sizes_[static_cast<size_t>(index)]);
    }
}

void ScreenTab::OtherSizeEnter() {
    if (!otherOpen_) return;
    const auto width = ReadSide(widthEdit_.Text()), height = ReadSide(heightEdit_.Text());
    if (width && height && ScreenSize{*width, *height} != applies_) WriteSize({*width, *height});
}

void ScreenTab::WriteSize(ScreenSize size) {
    std::vector<KeyWrite> writes = SizeWrites(size);
    // The vertical-speed fix follows the new resolution.
    if (rows_[kScreenVerticalFix]->check.Checked())
        for (KeyWrite& w : VerticalFixWrites(true, size)) writes.push_back(std::move(w));
    Write(writes);
}

void ScreenTab::WindowModeChoose() {
    const int mode = rows_[kScreenWindowMode]->combo.Selected();
    // "Другой (задан вручную)" is what the files hold: choosing it writes nothing.
    if (mode >= 0 && mode < static_cast<int>(WindowModeNames().size())) Write(WindowModeWrites(static_cast<size_t>(mode)));
}

void ScreenTab::RestorePointsButtonClick() {
    RECT rc{};
    GetWindowRect(restorePointsButton_.Handle(), &rc);
    main_->RestorePoints.ShowMenu({rc.left, rc.bottom});
}

void ScreenTab::Write(const std::vector<KeyWrite>& writes) {
    const std::wstring& folder = main_->State.GameProfileFolder;
    try {
        main_->RestorePoints.BeforeShowingWrite(kActionScreenWrite);
        const GameFilesWritable writable(folder);
        for (const ScreenFile file : {ScreenFile::Prefs, ScreenFile::Custom}) {
            const std::wstring path = GameIniPath(folder, FileOf(file));
            LineList lines;
            bool loaded = false;
            std::vector<std::wstring> text;
            for (const KeyWrite& w : writes) {
                if (w.file != file) continue;
                // A missing file is made by its first key.
                if (!loaded && FileExists(path)) LoadLineList(lines, path);
                if (!loaded) text = lines.Lines();
                loaded = true;
                text = w.value ? WithKeyValue(text, w.section, w.key, *w.value) : WithoutKey(text, w.section, w.key);
            }
            if (!loaded || text == lines.Lines()) continue;
            lines.ReplaceLines(std::move(text));
            SaveLineList(lines, path);
        }
    } catch (...) {
        // The controls show what the files hold; the message is the dispatcher's.
        try {
            Fill();
        } catch (...) {
        }
        throw;
    }
    Fill();
}

}  // namespace ravenlock
