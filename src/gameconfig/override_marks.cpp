#include "gameconfig/override_marks.h"

#include "app/main_window.h"
#include "gameconfig/game_files.h"
#include "gameconfig/prefs_file.h"

namespace ravenlock {

void OverrideMarks::Refresh(std::vector<Target> targets, const EffectiveSettings& effective) {
    targets_ = std::move(targets);
    marks_.assign(targets_.size(), std::nullopt);
    for (size_t i = 0; i < targets_.size(); ++i) {
        const Target& t = targets_[i];
        std::wstring hint;
        for (const auto& [section, key] : t.keys) {
            const auto over = effective.OverrideOf(t.ownFile, section, key);
            if (!over) continue;
            const std::wstring& file = effective.FileName(over->file);
            if (!marks_[i]) {
                // The tip names the first key overridden; the removal takes every key of
                // the control that this file sets, so that the control works again.
                hint = OverriddenHint(file, section, key, over->value);
                marks_[i] = Mark{file, {}};
            }
            if (marks_[i]->file == file) marks_[i]->keys.emplace_back(section, key);
        }
        if (t.paint) t.paint(marks_[i].has_value());
        if (!t.windows.empty()) main_->Tips.SetTip(t.windows.front(), hint);
    }
}

bool OverrideMarks::ContextMenu(HWND over, POINT at) {
    for (size_t i = 0; i < targets_.size(); ++i) {
        bool hit = false;
        for (HWND w : targets_[i].windows) {
            RECT rc{};
            hit = hit || w == over || (IsWindowVisible(w) && GetWindowRect(w, &rc) && PtInRect(&rc, at));
        }
        if (!hit) continue;
        if (!marks_[i]) return false;
        const Mark chosen = *marks_[i];
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, RemoveOverrideCaption(chosen.file).c_str());
        const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, main_->Handle(), nullptr);
        DestroyMenu(menu);
        if (id == 1) {
            RemoveOverride(chosen);
            if (onRemoved_) onRemoved_();
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
    std::vector<std::wstring> kept = lines.Lines();
    for (const auto& [section, key] : mark.keys) kept = WithoutKey(kept, section, key);
    lines.ReplaceLines(std::move(kept));
    SaveLineList(lines, path);
}

}  // namespace ravenlock
