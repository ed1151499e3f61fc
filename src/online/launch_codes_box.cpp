#include "online/launch_codes_box.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "online/launch_codes.h"
#include "online/online_fetch.h"

namespace ravenlock {

void LaunchCodesBox::Create(ui::Page& page, MainWindow& main, HBITMAP rowPicture) {
    main_ = &main;
    HWND p = page.Handle();
    // Middle right of the tab, beside the map group.
    constexpr int kX = 333, kY = 150, kW = 302, kH = 290;
    GroupBox2.Create(p, ids::kLaunchCodesGroupBox, L"Коды запуска МБР шахтного базирования", {kX, kY, kW, kH});
    LaunchCodesListBox.Create(p, ids::kLaunchCodesListBox, {kX + 10, kY + 20, kW - 20, kH - 52},
                              {{L"Шахта", 180}, {L"Код", 80}}, rowPicture);
    LaunchCodesLabel.Create(p, ids::kLaunchCodesLabel, L"Запрос кодов запуска МБР", {kX + 10, kY + kH - 26, kW - 20, 16},
                            {RGB(0, 0, 0), -13, true, ui::Align::Center, true});
    LaunchCodesLabel.SetTag(200);
    GroupBox2.SendToBack();
}

void LaunchCodesBox::LoadLaunchCodes() {
    // Visible by its own flag, as it was placed: the tab may be the one hidden.
    const bool visible = (GetWindowLongW(LaunchCodesListBox.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (!visible || LaunchCodesListBox.RowCount() > 0) return;
    std::wstring page;
    {
        online::WaitCursor wait;
        page = DownloadLaunchCodesPage(*main_->MyHTTPs);
    }
    LaunchCodesListBox.SetColumnCaption(0, L"Шахта");
    LaunchCodesListBox.SetColumnCaption(1, L"Код");
    for (const auto& [silo, code] : LaunchCodeRows(page)) LaunchCodesListBox.AddRow({silo, code});
}

}  // namespace ravenlock
