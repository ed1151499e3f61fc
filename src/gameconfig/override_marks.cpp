#include "gameconfig/override_marks.h"

#include "app/main_window.h"
#include "gameconfig/effective_settings.h"
#include "gameconfig/game_files.h"
#include "gameconfig/option_rules.h"
#include "gameconfig/prefs_file.h"
#include "platform/app_error.h"
#include "platform/file_system.h"

namespace ravenlock {

namespace {

// Index of an option's file among the edition's IniNames(); nothing for the settings store.
std::optional<size_t> FileIndex(OptionFile file) {
    switch (file) {
        case OptionFile::Main: return 0;
        case OptionFile::Prefs: return 1;
        case OptionFile::Custom: return 2;
        case OptionFile::Settings: break;
    }
    return std::nullopt;
}

}  // namespace

void OverrideMarks::Refresh(const std::map<int, ui::CheckBox*>& boxes) {
    const EffectiveSettings effective = ReadEffectiveSettings(main_->State.GameProfileFolder);
    marks_.clear();
    for (const auto& [tag, box] : boxes) {
        const OptionSpec* o = FindOption(tag);
        const auto own = o ? FileIndex(o->file) : std::nullopt;
        if (!own) continue;  // boxes of the settings store write no game file
        std::wstring hint;
        for (const OptionKey& k : o->keys) {
            if (const auto over = effective.OverrideOf(*own, k.section, k.key)) {
                const std::wstring& file = effective.FileName(over->file);
                hint = OverriddenHint(file, k.section, k.key, over->value);
                marks_[tag] = {file, k.section, k.key};
                break;
            }
        }
        box->SetCaptionColor(hint.empty() ? std::nullopt : std::optional<COLORREF>(kOverriddenCaptionColor));
        main_->Tips.SetTip(box->Handle(), hint);
    }
}

bool OverrideMarks::ContextMenu(HWND over, POINT at, const std::map<int, ui::CheckBox*>& boxes) {
    for (const auto& [tag, box] : boxes) {
        if (box->Handle() != over) continue;
        const auto mark = marks_.find(tag);
        if (mark == marks_.end()) return false;
        const Mark chosen = mark->second;
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, RemoveOverrideCaption(chosen.file).c_str());
        const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_->Handle(), nullptr);
        DestroyMenu(menu);
        if (id == 1) {
            RemoveOverride(chosen);
            Refresh(boxes);
        }
        return true;
    }
    return false;
}

void OverrideMarks::RemoveOverride(const Mark& mark) {
    const std::wstring& folder = main_->State.GameProfileFolder;
    main_->RestorePoints.Before(RemoveOverrideCaption(mark.file));
    const GameFilesWritable writable(folder);
    const std::wstring path = GameIniPath(folder, mark.file);
    LineList lines;
    LoadLineList(lines, path);
    lines.ReplaceLines(WithoutKey(lines.Lines(), mark.section, mark.key));
    SaveLineList(lines, path);
}

}  // namespace ravenlock
