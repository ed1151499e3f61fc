#include "diagnostics/resources_tab.h"

#include "app/control_ids.h"

namespace ravenlock {

void ResourcesTab::Create(ui::Page& page) {
    AboutLabel.Create(page.Handle(), ids::kAboutLabel, L"", {8, 6, 627, 16},
                      {GetSysColor(COLOR_BTNTEXT), -11, false, ui::Align::Center, true});
    AboutLabel.SetTag(0);
}

}  // namespace ravenlock
