#pragma once
// The launch-codes group of the "Ресурсы" tab: a two-column list filled once per run
// from the community site's page, on a click of the request line.
#include "online/online_controls.h"
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class LaunchCodesBox {
public:
    void Create(ui::Page& page, MainWindow& main, HBITMAP rowPicture);

    // Downloads the page while the window waits (at most the client's time-out) and lists
    // the codes; does nothing once the list holds rows. A failed download is an error
    // for the default error dialog and leaves the list empty for the next try.
    void LoadLaunchCodes();

    ui::GroupBox GroupBox2;
    online::ReportList LaunchCodesListBox;
    ui::Label LaunchCodesLabel;

private:
    MainWindow* main_ = nullptr;
};

}  // namespace ravenlock
