#pragma once
// The "Игра" tab: the background picture with its title lettering, the game and Steam
// buttons, version and login lines, news lines, the server status line and the
// language switch.
#include "ui/controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class GameTab {
public:
    void Create(ui::Page& page);

    ui::PictureBox MainImage;
    ui::PictureBox FalloutLogoImage;
    ui::FlatButton RunGameButton;
    ui::FlatButton RunSteamButton;
    ui::Label Label2;
    ui::Label Label13;
    ui::Label VersionGameLabel;
    ui::Label VersionSteamLabel;
    ui::Label NewsLabel0, NewsLabel1, NewsLabel2;
    ui::Label ServerStatusLabel;
    ui::ToggleSwitch LanguageSwitch;
};

}  // namespace ravenlock
