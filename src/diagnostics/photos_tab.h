#pragma once
// The "Фотоменеджер" tab: the game's photos (a subfolder of Photos in the profile folder)
// and screenshots (PNG files in the install folder), the selected one shown, and a menu to
// show, open, paint or delete it.
#include "ui/controls.h"
#include "ui/native_controls.h"
#include "ui/page_control.h"

namespace ravenlock {

class MainWindow;

class PhotosTab {
public:
    void Create(ui::Page& page, MainWindow& main);
    void Sheet2Show();
    void PhotoListBoxClick();
    void ScreenshotListBoxClick();
    void PhotoViewerImageDblClick();
    void ShowImageNClick(int tag);
    // Opens the viewer's menu at a screen point.
    void PopupMenu(POINT at);

    ui::Label PhotoLabel, ScreenshotLabel;
    ui::ListBox PhotoListBox, ScreenshotListBox;
    ui::PictureBox PhotoViewerImage;

private:
    void ShowPicture(const std::vector<std::wstring>& paths, int index);
    MainWindow* main_ = nullptr;
    HMENU menu_ = nullptr;
};

}  // namespace ravenlock
