#include "diagnostics/resources_tab.h"

#include "app/control_ids.h"
#include "app/main_window.h"

namespace ravenlock {

namespace {

struct LinkLayout {
    int tag;
    const wchar_t* resource;
    ui::Bounds picture;
    const wchar_t* caption;  // nullptr: none
    ui::Bounds captionAt;
    ui::Align align;
};

// Upper row: community (left) and support (right) with captions above; the map in its
// group; three rows of icons, left ones captioned to their right, right ones to their
// left; the three driver pages along the bottom, captions above, pictures centred in
// 116-pixel-high areas.
constexpr int kIconRow0 = 468, kIconRowStep = 58, kBottomTop = 652, kBottomArea = 116;
const LinkLayout kLinks[] = {
    {16, L"COMMUNITY_BANNER", {8, 48, 260, 103}, L"Официальное discord-сообщество Bethesda", {8, 30, 300, 16}, ui::Align::Left},
    {5, L"SUPPORT_BANNER", {375, 48, 260, 39}, L"Техническая поддержка Bethesda", {335, 30, 300, 16}, ui::Align::Right},
    {9, L"WORLD_MAP", {14, 180, 260, 260}, nullptr, {}, ui::Align::Left},
    {15, L"LINK_STEAM_CLIENT", {8, kIconRow0, 48, 48}, L"- Клиент Steam", {62, kIconRow0 + 16, 240, 16}, ui::Align::Left},
    {14, L"LINK_DISCORD_CLIENT", {8, kIconRow0 + kIconRowStep, 48, 48}, L"- Клиент Discord",
     {62, kIconRow0 + kIconRowStep + 16, 240, 16}, ui::Align::Left},
    {6, L"LINK_KVRT", {8, kIconRow0 + 2 * kIconRowStep, 48, 48}, L"- Антивирусная утилита KVRT",
     {62, kIconRow0 + 2 * kIconRowStep + 16, 240, 16}, ui::Align::Left},
    {13, L"LINK_STORE", {587, kIconRow0, 48, 48}, L"Cтраница Fallout 76 в магазине Steam -",
     {300, kIconRow0 + 16, 281, 16}, ui::Align::Right},
    {8, L"LINK_VK", {587, kIconRow0 + kIconRowStep, 48, 48}, L"Официальная группа Fallout 76 в сети VK -",
     {300, kIconRow0 + kIconRowStep + 16, 281, 16}, ui::Align::Right},
    {4, L"LINK_ZEN", {587, kIconRow0 + 2 * kIconRowStep, 48, 48}, L"Fallout 76 Ravenlock в Дзен -",
     {300, kIconRow0 + 2 * kIconRowStep + 16, 281, 16}, ui::Align::Right},
    {1, L"DRIVER_GPU_GREEN", {4 + 213 / 2 - 48, kBottomTop + 20 + (kBottomArea - 96) / 2, 96, 96},
     L"Драйверы видеокарт NVIDIA", {4, kBottomTop, 213, 16}, ui::Align::Center},
    {2, L"DRIVER_GRAPHICS_API", {217 + 213 / 2 - 48, kBottomTop + 20 + (kBottomArea - 96) / 2, 96, 96},
     L"Microsoft DirectX", {217, kBottomTop, 213, 16}, ui::Align::Center},
    {3, L"DRIVER_GPU_RED", {430 + 213 / 2 - 48, kBottomTop + 20 + (kBottomArea - 96) / 2, 96, 96},
     L"Драйверы видеокарт AMD", {430, kBottomTop, 213, 16}, ui::Align::Center},
};

}  // namespace

void ResourcesTab::Create(ui::Page& page, MainWindow& main) {
    HWND p = page.Handle();
    AboutLabel.Create(p, ids::kAboutLabel, L"", {8, 6, 627, 16},
                      {GetSysColor(COLOR_BTNTEXT), -11, false, ui::Align::Center, true});
    AboutLabel.SetTag(0);
    for (const LinkLayout& l : kLinks) {
        Link link{l.tag, std::make_unique<ui::PictureBox>(), nullptr};
        link.picture->Create(p, ids::kLinkImageFirst + l.tag, l.picture, true, false);
        link.picture->SetEmbeddedPicture(l.resource);
        link.picture->SetTag(l.tag);
        link.picture->onClick = [&main, tag = l.tag] { main.FalloutLogoImageClick(tag); };
        if (l.caption) {
            link.caption = std::make_unique<ui::Label>();
            link.caption->Create(p, ids::kLinkCaptionFirst + l.tag, l.caption, l.captionAt,
                                 {GetSysColor(COLOR_BTNTEXT), -11, false, l.align, false});
        }
        links_.push_back(std::move(link));
    }
    GroupBox1.Create(p, ids::kGroupBox1, L"Интерактивная карта Fallout 76", {4, 160, 280, 290});
}

ui::PictureBox* ResourcesTab::Picture(int tag) {
    for (auto& l : links_)
        if (l.tag == tag) return l.picture.get();
    return nullptr;
}

}  // namespace ravenlock
