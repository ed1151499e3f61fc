#pragma once
// Marks on the controls whose own write cannot take effect because a later game file
// sets the same key (the Tools tab's option boxes, the "Экран и управление" rows): an
// orange caption, a tooltip naming that file, and a right-click item that removes the
// key from it.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gameconfig/effective_settings.h"
#include "ui/native_controls.h"

namespace ravenlock {

class MainWindow;

inline constexpr COLORREF kOverriddenCaptionColor = RGB(200, 90, 0);

class OverrideMarks {
public:
    // A control that writes keys of one game file.
    struct Target {
        // The control, which gets the tip, then any caption of its own; a right-click on
        // (or over) any of them offers the removal.
        std::vector<HWND> windows;
        size_t ownFile;  // the file it writes, as GameIniIndex gives it
        std::vector<std::pair<std::wstring, std::wstring>> keys;  // section, key
        std::function<void(bool overridden)> paint;  // orange caption, or the usual one
    };
    // onRemoved runs after an override was removed, for the owner to read the files again.
    void Create(MainWindow& main, std::function<void()> onRemoved) {
        main_ = &main;
        onRemoved_ = std::move(onRemoved);
    }
    // Marks (or unmarks) each target by the files as read.
    void Refresh(std::vector<Target> targets, const EffectiveSettings& effective);
    // A right-click on a marked target's window (`over`), or at a point over one, offers
    // the removal; false when there is no marked target there.
    bool ContextMenu(HWND over, POINT at);

private:
    struct Mark {
        std::wstring file;
        std::vector<std::pair<std::wstring, std::wstring>> keys;  // every key of the target that file sets
    };
    void RemoveOverride(const Mark& mark);
    MainWindow* main_ = nullptr;
    std::function<void()> onRemoved_;
    std::vector<Target> targets_;
    std::vector<std::optional<Mark>> marks_;  // by target
};

}  // namespace ravenlock
