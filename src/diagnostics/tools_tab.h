#pragma once
// The "Инструменты и диагностика" tab. Its system-information group sits at the bottom
// across the full width; the screen-resolution line is filled at start-up.
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class ToolsTab {
public:
    void Create(ui::Page& page);

    ui::Label ScreenResolutionLabel;
    ui::Label RAMLabel;  // the game's memory use, in red
};

}  // namespace ravenlock
