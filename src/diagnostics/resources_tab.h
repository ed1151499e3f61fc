#pragma once
// The "Ресурсы" tab: the version line with the settings reset on top, links below.
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class ResourcesTab {
public:
    void Create(ui::Page& page);

    ui::Label AboutLabel;
};

}  // namespace ravenlock
