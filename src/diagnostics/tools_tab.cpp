#include "diagnostics/tools_tab.h"

#include "app/control_ids.h"

namespace ravenlock {

void ToolsTab::Create(ui::Page& page) {
    // Sixth of the ten lines of the system-information group at the foot of the tab.
    ScreenResolutionLabel.Create(page.Handle(), ids::kScreenResolutionLabel, L"Разрешение экрана: ",
                                 {16, 722, 500, 14}, {});
    // Last line of the same group.
    RAMLabel.Create(page.Handle(), ids::kRAMLabel, L"Потребление памяти процессом Fallout76.exe, Мб: 0",
                    {16, 786, 500, 14}, {RGB(255, 0, 0)});
}

}  // namespace ravenlock
