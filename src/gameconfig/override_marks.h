#pragma once
// Marks on the Tools tab's option boxes whose own write cannot take effect because a
// later game file sets the same key: an orange caption, a tooltip naming that file, and
// a right-click item that removes the key from it.
#include <map>
#include <optional>
#include <string>

#include "ui/native_controls.h"

namespace ravenlock {

class MainWindow;

inline constexpr COLORREF kOverriddenCaptionColor = RGB(200, 90, 0);

class OverrideMarks {
public:
    void Create(MainWindow& main) { main_ = &main; }
    // Reads the three files again and marks (or unmarks) each game-file box of the map.
    void Refresh(const std::map<int, ui::CheckBox*>& boxes);
    // A right-click over a marked box offers the removal; false when `over` is no such box.
    bool ContextMenu(HWND over, POINT at, const std::map<int, ui::CheckBox*>& boxes);

private:
    struct Mark {
        std::wstring file, section, key;
    };
    void RemoveOverride(const Mark& mark);
    MainWindow* main_ = nullptr;
    std::map<int, Mark> marks_;  // by box tag
};

}  // namespace ravenlock
