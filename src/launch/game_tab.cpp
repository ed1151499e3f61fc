#include "launch/game_tab.h"

#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "platform/steam_record.h"
#include "platform/version_info.h"

namespace ravenlock {

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr wchar_t kSteamNotNeeded[] = L"Steam не нужен (версия из Microsoft Store)";
// The login and Steam version lines, or wider for the longer Store note.
constexpr ui::Bounds kLoginBounds{428, 277, 210, 16}, kStoreNoteBounds{338, 277, 300, 16};
constexpr ui::Bounds kSteamVersionBounds{348, 3, 290, 16}, kStoreVersionNoteBounds{298, 3, 340, 16};
}  // namespace

void GameTab::Create(ui::Page& page, MainWindow& main) {
    main_ = &main;
    using ui::Align;
    using ui::LabelStyle;
    HWND p = page.Handle();

    MainImage.Create(p, ids::kMainImage, {0, 0, 643, 852}, false, false);
    MainImage.SetEmbeddedPicture(L"GAMEBACKGROUND");
    page.SetBackground(&MainImage);

    FalloutLogoImage.Create(p, ids::kFalloutLogoImage, {120, 21, 409, 212}, true, false);

    RunGameButton.Create(p, ids::kRunGameButton, L"Запустить Fallout 76", {5, 239, 210, 35});
    RunGameButton.SetEnabled(false);  // the server status decides
    RunGameButton.onClick = [this] { RunGameButtonClick(); };
    RunSteamButton.Create(p, ids::kRunSteamButton, L"Запустить Steam", {428, 239, 210, 35});
    RunSteamButton.SetEnabled(false);
    RunSteamButton.onClick = [this] { RunSteamButtonClick(); };

    const LabelStyle white{kWhite, -13, false, Align::Center, false};
    Label2.Create(p, ids::kLabel2, L"CTRL+SHIFT+F", {5, 277, 210, 16}, white);
    Label13.Create(p, ids::kLabel13, L"Логин: Отсутствует", kLoginBounds, white);
    VersionGameLabel.Create(p, ids::kVersionGameLabel, L"Версия игры: 0.0.0.0", {5, 2, 290, 16},
                            {kWhite, -13, false, Align::Left, false});
    VersionSteamLabel.Create(p, ids::kVersionSteamLabel, L"Версия Steam: 0.0.0.0", kSteamVersionBounds,
                             {kWhite, -13, false, Align::Right, false});

    const LabelStyle news{kLime, -13, true, Align::Left, true};
    NewsLabel0.Create(p, ids::kNewsLabel0, L"", {5, 774, 635, 16}, news);
    NewsLabel0.SetTag(1000);
    NewsLabel1.Create(p, ids::kNewsLabel1, L"", {5, 792, 635, 16}, news);
    NewsLabel1.SetTag(2000);
    NewsLabel2.Create(p, ids::kNewsLabel2, L"", {5, 810, 635, 16}, news);
    NewsLabel2.SetTag(3000);
    ServerStatusLabel.Create(p, ids::kServerStatusLabel, L"", {104, 832, 433, 16},
                             {kWhite, -13, true, Align::Center, true});
    ServerStatusLabel.SetTag(100);
    ModsUpdateLabel.Create(p, ids::kModsUpdatePointerLabel, L"", {5, 754, 635, 16},
                           {RGB(255, 200, 0), -13, true, Align::Left, true});
    ModsUpdateLabel.SetVisible(false);

    LanguageSwitch.Create(p, ids::kLanguageSwitch, {569, 830, 72, 20}, kLime, L"RU", L"EN", true);
    LanguageSwitch.SetEnabled(false);

    // The background stays beneath everything else.
    SetWindowPos(MainImage.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void GameTab::ShowEdition() {
    MainWindow& w = *main_;
    const GameEdition& edition = CurrentEdition();
    const bool store = edition.Kind == EditionKind::Store;
    const std::wstring version = GameVersionOf(edition);
    VersionGameLabel.SetText(L"Версия игры: " + (store && version.empty() ? std::wstring(kUnknownVersion) : version));
    for (const auto& [label, bounds] : {std::pair{&Label13, store ? kStoreNoteBounds : kLoginBounds},
                                        std::pair{&VersionSteamLabel, store ? kStoreVersionNoteBounds : kSteamVersionBounds}})
        label->Place(bounds);
    if (store) {
        VersionSteamLabel.SetText(kSteamNotNeeded);
        Label13.SetText(kSteamNotNeeded);
        RunSteamButton.SetEnabled(false);
    } else {
        const std::wstring steam = w.State.SteamFolder + L"Steam.exe";
        VersionSteamLabel.SetText(L"Версия Steam: " + GetFileVersionString(steam));
        Label13.SetText(L"Логин: " + GetSteamLogin());
        RunSteamButton.SetEnabled(!w.State.SteamFolder.empty() && FileExists(steam));
    }
    w.Tips.SetTip(LanguageSwitch.Handle(),
                  store ? L"Язык игры из Microsoft Store может следовать языку интерфейса Windows, а не этой настройке."
                        : L"");
    ShowIdleRamLine();
    priorityRefusalShown_ = false;
}

void GameTab::ShowIdleRamLine() {
    if (!session_.Running()) main_->Tools.RAMLabel.SetText(RamLine(CurrentEdition().ExecutableName(), 0));
}

}  // namespace ravenlock
