#pragma once
// The tray icon's popup menu and the nine 16 x 16 pictures its items (and the photo
// viewer's menu) show.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/gdi.h"

namespace ravenlock {

// The nine pictures: 0 emblem, 1 green cross, 2 red cross, 3 green bar, 4 green arrow,
// 5 four colour bars, 6/7 blue round signs with green/red, 8 green tick.
class ImageList {
public:
    // From the program's TRAYIMAGES strip (16 x 16 pictures), at the window's scale.
    void Load(double scale);
    HBITMAP At(int index) const;
    // The same pictures as a system image list (for list views); owned by the caller.
    HIMAGELIST MakeImageList() const;

private:
    std::vector<ui::BitmapHandle> pictures_;
    int size_ = 16;
};

// One item of a popup menu with a picture; a null caption makes a separator.
struct MenuItemSpec {
    int id;
    const wchar_t* caption;
    int picture;  // index in the image list, -1 for none
};

// A popup menu of the items, with their pictures from the list. Separators are disabled.
HMENU BuildPopupMenu(const MenuItemSpec* items, size_t count, const ImageList& images);

// A tray menu asked for during a wait opens after it only when asked for within the last
// second; an older request is dropped, as the user has moved on.
inline bool TrayMenuStillWanted(unsigned long long askedAtMs, unsigned long long nowMs) {
    return askedAtMs != 0 && nowMs >= askedAtMs && nowMs - askedAtMs <= 1000;
}

class TrayMenu {
public:
    void Create(const ImageList& images);
    ~TrayMenu();
    // The Tag of a menu item id, or -1 when the id is not one of ours.
    static int TagOf(int itemId);
    void SetItemEnabled(int itemId, bool enabled);
    void SetItemChecked(int itemId, bool checked);
    // Opens the menu centred on the point; the chosen item arrives as WM_COMMAND at owner.
    void Popup(HWND owner, POINT at) const;

private:
    HMENU menu_ = nullptr;
};

}  // namespace ravenlock
