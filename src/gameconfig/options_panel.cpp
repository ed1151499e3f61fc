#include "gameconfig/options_panel.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/ini_file.h"
#include "gameconfig/option_rules.h"
#include "platform/app_error.h"

namespace ravenlock {

namespace {

// The game file an option writes; the settings store's options are never asked.
GameIni FileOf(OptionFile file) {
    switch (file) {
        case OptionFile::Main: return GameIni::Main;
        case OptionFile::Prefs: return GameIni::Prefs;
        case OptionFile::Custom: return GameIni::Custom;
        case OptionFile::Settings: break;
    }
    throw AppError(L"Этот параметр не хранится в файлах игры.");
}

}  // namespace

void OptionsPanel::Create(HWND page, MainWindow& main) {
    main_ = &main;
    marks_.Create(main, [this] { RefreshMarks(); });
    const auto& options = QuickOptions();
    for (size_t i = 0; i < options.size(); ++i) {
        const OptionSpec& o = options[i];
        // Left column: the first eleven; right column, laid out right to left: the rest.
        const bool right = i >= 11;
        const int row = static_cast<int>(right ? i - 11 : i);
        auto box = std::make_unique<ui::CheckBox>();
        const bool blue = o.tag == 60 || o.tag == 61;
        box->Create(page, ids::kCheckBoxFirst + o.tag, o.caption,
                    {right ? 326 : 14, 24 + row * 23, right ? 303 : 300, 20}, right,
                    blue ? std::optional<COLORREF>(RGB(0, 0, 255)) : std::nullopt);
        box->SetTag(o.tag);
        box->onClick = [this, tag = o.tag] { CheckBox1Click(tag); };
        boxes_[o.tag] = std::move(box);
    }
    // Last, so that it lies beneath the boxes it frames.
    group_.Create(page, ids::kOptionsGroupBox, L"Опции", {4, 4, 635, 282});
}

ui::CheckBox* OptionsPanel::Box(int tag) {
    const auto it = boxes_.find(tag);
    return it == boxes_.end() ? nullptr : it->second.get();
}

void OptionsPanel::SetState(int tag, bool checked) {
    ui::CheckBox* box = Box(tag);
    if (!box || box->Checked() == checked) return;  // unchanged: nothing is written
    box->SetChecked(checked);
    CheckBox1Click(tag);  // a change by the program acts like the user's click
}

void OptionsPanel::FillFromGameFiles() {
    const std::wstring& folder = main_->State.GameProfileFolder;
    for (int tag : kFillOrder) {
        const OptionSpec& o = *FindOption(tag);
        const IniFile ini(GameIniPath(folder, FileOf(o.file)));
        SetState(tag, FillsChecked(o, ini.ReadString(o.keys[0].section, o.keys[0].key)));
    }
    RefreshMarks();
}

void OptionsPanel::RefreshMarks() {
    std::vector<OverrideMarks::Target> targets;
    for (const auto& [tag, box] : boxes_) {
        const OptionSpec* o = FindOption(tag);
        if (!o || o->file == OptionFile::Settings) continue;  // boxes of the settings store write no game file
        OverrideMarks::Target t{{box->Handle()}, GameIniIndex(FileOf(o->file)), {}, {}};
        for (const OptionKey& k : o->keys) t.keys.emplace_back(k.section, k.key);
        t.paint = [b = box.get()](bool overridden) {
            b->SetCaptionColor(overridden ? std::optional<COLORREF>(kOverriddenCaptionColor) : std::nullopt);
        };
        targets.push_back(std::move(t));
    }
    marks_.Refresh(std::move(targets), ReadEffectiveSettings(main_->State.GameProfileFolder));
}

void OptionsPanel::FillLaunchOptions() {
    SettingsRegistry& settings = main_->State.Settings;
    for (int tag : {60, 61}) {
        const wchar_t* name = FindOption(tag)->keys[0].key;
        if (settings.ValueExists(name)) SetState(tag, settings.ReadBool(name));
    }
}

void OptionsPanel::CheckBox1Click(int tag) {
    const std::wstring& folder = main_->State.GameProfileFolder;
    const OptionSpec* o = FindOption(tag);
    ui::CheckBox* box = Box(tag);
    if (o && box && o->file != OptionFile::Settings) {
        try {
            main_->RestorePoints.BeforeToolsWrite();
        } catch (...) {
            box->SetChecked(!box->Checked());  // the box keeps showing what the file says
            throw;
        }
    }
    const GameFilesWritable writable(folder);
    if (o && box) {
        const bool checked = box->Checked();
        if (o->file == OptionFile::Settings) {
            main_->State.Settings.WriteBool(o->keys[0].key, checked);
        } else {
            const IniFile ini(GameIniPath(folder, FileOf(o->file)));
            for (const OptionKey& k : o->keys) ini.WriteString(k.section, k.key, checked ? k.whenChecked : k.whenUnchecked);
        }
    }
}

}  // namespace ravenlock
