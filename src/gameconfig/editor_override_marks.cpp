#include "gameconfig/editor_override_marks.h"

#include <map>

#include "gameconfig/effective_settings.h"
#include "gameconfig/game_files.h"

namespace ravenlock {

namespace {
constexpr size_t kPrefsFile = 1;  // Fallout76Prefs.ini among the game's files
}

void EditorOverrideMarks::Refresh(const std::wstring& profileFolder, const std::vector<std::wstring>& lines,
                                  int selected) {
    const EffectiveSettings effective = ReadEffectiveSettings(profileFolder);
    const auto overrides = effective.LineOverrides(kPrefsFile, lines);
    notes_.assign(lines.size(), std::wstring());
    std::map<int, COLORREF> grey;
    for (size_t i = 0; i < overrides.size(); ++i) {
        if (!overrides[i]) continue;
        notes_[i] = EffectiveValueNote(effective.FileName(overrides[i]->file), overrides[i]->value);
        grey[static_cast<int>(i)] = kOverriddenLineColor;
    }
    list_->SetLineColors(std::move(grey));
    ShowNoteFor(selected);
}

void EditorOverrideMarks::ShowNoteFor(int line) {
    const std::wstring& note =
        line >= 0 && static_cast<size_t>(line) < notes_.size() ? notes_[static_cast<size_t>(line)] : std::wstring();
    if (note != note_->Text()) note_->SetText(note);
}

}  // namespace ravenlock
