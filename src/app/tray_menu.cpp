#include "app/tray_menu.h"

#include "app/control_ids.h"
#include "platform/embedded.h"
#include "ui/scale_rules.h"

namespace ravenlock {

namespace {

// The menu in order, each item with the Tag that ExitNClick dispatches on.
constexpr MenuItemSpec kItems[] = {
    {ids::kRunFallout76ForceN, L"Fallout 76 - Принудительный запуск", 0},
    {0, nullptr, -1},
    {ids::kInstallFolderN, L"Открыть папку установки Fallout 76", 0},
    {ids::kUserProfileN, L"Открыть папку профиля Fallout 76", 0},
    {0, nullptr, -1},
    {ids::kCheckAndRepairDiskN, L"Проверить и восстановить диск C:\\", 8},
    {ids::kFreeWorkingSetsN, L"Очистить Рабочие наборы", 5},
    {ids::kFreeRAMN, L"Очистить RAM-кэш", 5},
    {0, nullptr, -1},
    {ids::kMinMaxN, L"Свернуть/Развернуть", 3},
    {ids::kArmLaunchN, L"Запустить игру, когда серверы заработают", -1},
    {ids::kSessionJournalN, L"Журнал игровых сессий", 6},
    {ids::kExitN, L"Выход", 1},
};
constexpr struct {
    int id, tag;
} kTags[] = {{ids::kRunFallout76ForceN, 70}, {ids::kInstallFolderN, 30}, {ids::kUserProfileN, 20},
             {ids::kCheckAndRepairDiskN, 60}, {ids::kFreeWorkingSetsN, 50}, {ids::kFreeRAMN, 40},
             {ids::kMinMaxN, 10},          {ids::kArmLaunchN, 80},     {ids::kSessionJournalN, 90},
             {ids::kExitN, 0},           {ids::kEditionSteamN, 100}, {ids::kEditionStoreN, 101}};
// The submenu of the game's editions, after the folder items.
constexpr MenuItemSpec kEditionItems[] = {
    {ids::kEditionSteamN, L"Steam", -1},
    {ids::kEditionStoreN, L"Microsoft Store", -1},
};
constexpr UINT kEditionMenuAt = 4;

}  // namespace

void ImageList::Load(double scale) {
    pictures_.clear();
    int density = 1;
    const auto strip = ui::DecodeArtwork(L"TRAYIMAGES", scale, density);
    const int cell = 16 * density;
    size_ = ui::ScaleLength(16, scale);
    if (!strip || strip->height != cell) return;
    for (int i = 0; i < strip->width / cell; ++i) {
        Picture one;
        one.width = one.height = cell;
        one.bgra.resize(static_cast<size_t>(cell) * cell * 4);
        for (int y = 0; y < cell; ++y) {
            const auto* row = strip->bgra.data() + (static_cast<size_t>(y) * strip->width + i * cell) * 4;
            std::copy(row, row + cell * 4, one.bgra.begin() + static_cast<ptrdiff_t>(y) * cell * 4);
        }
        ui::BitmapHandle bitmap = ui::MakeBitmap(one);
        if (cell != size_) bitmap = ui::ScaleBitmap(bitmap.get(), size_, size_);
        pictures_.push_back(std::move(bitmap));
    }
}

HBITMAP ImageList::At(int index) const {
    return index >= 0 && index < static_cast<int>(pictures_.size()) ? pictures_[static_cast<size_t>(index)].get()
                                                                     : nullptr;
}

HIMAGELIST ImageList::MakeImageList() const {
    HIMAGELIST list = ImageList_Create(size_, size_, ILC_COLOR32, static_cast<int>(pictures_.size()), 0);
    for (const auto& picture : pictures_) ImageList_Add(list, picture.get(), nullptr);
    return list;
}

HMENU BuildPopupMenu(const MenuItemSpec* items, size_t count, const ImageList& images) {
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < count; ++i) {
        const MenuItemSpec& item = items[i];
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof(mi);
        if (!item.caption) {
            mi.fMask = MIIM_FTYPE | MIIM_STATE;
            mi.fType = MFT_SEPARATOR;
            mi.fState = MFS_DISABLED;
        } else {
            mi.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
            mi.wID = static_cast<UINT>(item.id);
            mi.dwTypeData = const_cast<wchar_t*>(item.caption);
            mi.hbmpItem = images.At(item.picture);
        }
        InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &mi);
    }
    return menu;
}

void TrayMenu::Create(const ImageList& images) {
    menu_ = BuildPopupMenu(kItems, std::size(kItems), images);
    HMENU editions = BuildPopupMenu(kEditionItems, std::size(kEditionItems), images);
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_STRING | MIIM_SUBMENU;
    mi.hSubMenu = editions;  // destroyed with the menu
    mi.dwTypeData = const_cast<wchar_t*>(L"Версия игры");
    InsertMenuItemW(menu_, kEditionMenuAt, TRUE, &mi);
}

TrayMenu::~TrayMenu() {
    if (menu_) DestroyMenu(menu_);
}

int TrayMenu::TagOf(int itemId) {
    for (const auto& t : kTags)
        if (t.id == itemId) return t.tag;
    return -1;
}

void TrayMenu::SetItemEnabled(int itemId, bool enabled) {
    EnableMenuItem(menu_, static_cast<UINT>(itemId), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void TrayMenu::SetItemChecked(int itemId, bool checked) {
    CheckMenuItem(menu_, static_cast<UINT>(itemId), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TrayMenu::Popup(HWND owner, POINT at) const {
    // The menu closes properly only when its owner is the foreground window.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu_, TPM_CENTERALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace ravenlock
