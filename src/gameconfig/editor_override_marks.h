#pragma once
// Marks in the settings editor on the lines of Fallout76Prefs.ini whose key
// Fallout76Custom.ini sets as well, so that the line has no effect in the game: the line
// is drawn in grey, and while it is selected a note under the value field names the
// value that applies instead.
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/native_controls.h"

namespace ravenlock {

inline constexpr COLORREF kOverriddenLineColor = RGB(128, 128, 128);

class EditorOverrideMarks {
public:
    void Create(ui::ListBox& list, ui::Label& note) {
        list_ = &list;
        note_ = &note;
    }
    // Reads the game's files again and marks the list's lines, which are `lines` (as
    // edited, maybe not saved); the note then follows the selected line (-1: none).
    void Refresh(const std::wstring& profileFolder, const std::vector<std::wstring>& lines, int selected);
    // The note for the line now selected (-1: none).
    void ShowNoteFor(int line);

private:
    ui::ListBox* list_ = nullptr;
    ui::Label* note_ = nullptr;
    std::vector<std::wstring> notes_;  // by line; "" for a line nothing overrides
};

}  // namespace ravenlock
