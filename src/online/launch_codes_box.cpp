#include "online/launch_codes_box.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "online/launch_codes.h"
#include "online/online_fetch.h"
#include "ui/modal_wait.h"

namespace ravenlock {

void LaunchCodesBox::Create(ui::Page& page, MainWindow& main, HBITMAP rowPicture) {
    main_ = &main;
    HWND p = page.Handle();
    // Middle right of the tab, level with the map's group.
    constexpr int kX = 296, kY = 160, kW = 343, kH = 290;
    LaunchCodesListBox.Create(p, ids::kLaunchCodesListBox, {kX + 10, kY + 20, kW - 20, kH - 52},
                              {{L"Шахта", 180}, {L"Код", 80}}, rowPicture);
    LaunchCodesLabel.Create(p, ids::kLaunchCodesLabel, L"Запрос кодов запуска МБР", {kX + 10, kY + kH - 26, kW - 20, 16},
                            {RGB(0, 0, 0), -13, true, ui::Align::Center, true});
    LaunchCodesLabel.SetTag(200);
    // Made last: it goes beneath the controls it frames.
    GroupBox2.Create(p, ids::kLaunchCodesGroupBox, L"Коды запуска МБР шахтного базирования", {kX, kY, kW, kH});
}

void LaunchCodesBox::LoadLaunchCodes() {
    // Visible by its own flag, as it was placed: the tab may be the one hidden.
    const bool visible = (GetWindowLongW(LaunchCodesListBox.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (!visible || LaunchCodesListBox.RowCount() > 0) return;
    const std::wstring page =
        ui::ResultWhilePainting([http = main_->MyHTTPs] { return DownloadLaunchCodesPage(*http); });
    LaunchCodesListBox.SetColumnCaption(0, L"Шахта");
    LaunchCodesListBox.SetColumnCaption(1, L"Код");
    for (const auto& [silo, code] : LaunchCodeRows(page)) LaunchCodesListBox.AddRow({silo, code});
}

}  // namespace ravenlock
