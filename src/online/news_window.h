#pragma once
// The news window (class TNewsForm): borderless, always on top, black; the heading, the
// close cross, the item's picture and its summary. Created hidden at start-up; the
// news lines of the Game tab show it.
#include <windows.h>

#include <string>

#include "online/online_controls.h"
#include "platform/picture.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace ravenlock {

class NewsWindow : public ui::Window {
public:
    static constexpr int kClientW = 776, kClientH = 520;

    // Created hidden, centred on the screen, owned by the program's hidden owner window.
    void Create(HWND owner);
    // Replaces picture, summary and article, and shows the window (it stays shown).
    void ShowNews(const Picture& picture, const std::wstring& summary, const std::wstring& articleUrl);

    // The cross: hides the window; its content stays for the next showing.
    void Image1Click();
    // The picture and the summary: the article in the browser; the window stays open.
    void NewsImageClick();

    ui::Label Label1;
    ui::PictureBox Image1;
    ui::PictureBox NewsImage;
    online::WrappedLabel MainNewsLabel;
    std::wstring CurrentNewsUrl;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ravenlock
