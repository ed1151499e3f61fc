// The tabs other than Game: their controls are made after the window's first paint, or
// earlier when the page is selected, together with what the start-up writes on them.
#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/file_system.h"
#include "platform/version_info.h"

namespace ravenlock {

void MainWindow::PreparePageBuilds() {
    ui::PageControl& pages = MainPageControl;
    pages.At(ids::kTabPhotos).onBuild = [this, &pages] {
        Photos.Create(pages.At(ids::kTabPhotos), *this);
        pages.At(ids::kTabPhotos).onShow = [this] { Photos.Sheet2Show(); };
    };
    pages.At(ids::kTabIntegration).onBuild = [this, &pages] {
        // The online lists show the first of the menu pictures on every row.
        Integration.Create(pages.At(ids::kTabIntegration), *this, TrayImageList.At(0));
        pages.At(ids::kTabIntegration).onShow = [this] { Integration.Sheet6Show(); };
        Integration.DiscordImage.onClick = [this] { FalloutLogoImageClick(Integration.DiscordImage.Tag()); };
        Integration.DiscordLabel.onClick = [this] { ServerStatusLabelClick(Integration.DiscordLabel.Tag()); };
        // The confirmed Discord server id comes back, without a fetch.
        Integration.RestoreStoredServerId();
    };
    pages.At(ids::kTabTools).onBuild = [this, &pages] {
        Tools.Create(pages.At(ids::kTabTools), *this);
        pages.At(ids::kTabTools).onShow = [this] { Tools.Sheet3Show(); };
        // The primary screen's size, the system summary and the memory line, once.
        Tools.ScreenResolutionLabel.SetText(L"Разрешение экрана: " + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) +
                                            L" X " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
        Tools.ShowSystemInformation();
        Game.ShowIdleRamLine();
    };
    pages.At(ids::kTabEditor).onBuild = [this, &pages] {
        Editor.Create(pages.At(ids::kTabEditor), *this);
        pages.At(ids::kTabEditor).onShow = [this] { Editor.Sheet4Show(); };
    };
    pages.At(ids::kTabResources).onBuild = [this, &pages] {
        Resources.Create(pages.At(ids::kTabResources), *this);
        LaunchCodes.Create(pages.At(ids::kTabResources), *this, TrayImageList.At(0));
        for (ui::Label* label : {&Resources.AboutLabel, &LaunchCodes.LaunchCodesLabel})
            label->onClick = [this, label] { ServerStatusLabelClick(label->Tag()); };
        // The version line, which is also the settings-reset link.
        Resources.AboutLabel.SetText(L"Fallout 76 Ravenlock: " + GetFileVersionString(OwnExecutablePath()) +
                                     L" (x86-64) Beta - Сброс настроек");
    };
    pages.At(ids::kTabScreen).onBuild = [this, &pages] {
        Screen.Create(pages.At(ids::kTabScreen), *this);
        pages.At(ids::kTabScreen).onShow = [this] { Screen.Sheet7Show(); };
    };
    pages.At(ids::kTabMods).onBuild = [this, &pages] {
        Mods.Create(pages.At(ids::kTabMods), *this);
        pages.At(ids::kTabMods).onShow = [this] { Mods.Sheet8Show(); };
    };
}

}  // namespace ravenlock
