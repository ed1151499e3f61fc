#pragma once
// The page control: a strip of flat tab buttons, in as many rows as the tabs need, over
// a stack of pages, one shown at a time. A page paints its background picture, if it has one, behind
// its transparent children.
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ravenlock::ui {

class Page : public Window {
public:
    void Create(HWND parent, int id, Bounds b);
    // The picture box (a child of this page) that paints the page's background.
    void SetBackground(const PictureBox* background) { background_ = background; }
    // Runs each time the page is selected or shown again with the window.
    std::function<void()> onShow;
    // Makes the page's controls, for a page that makes them when first needed rather than
    // before the window's first paint: Build runs it once (selecting the page builds it).
    std::function<void()> onBuild;
    void Build();
    // A context-menu request (right click, menu key) on the page (the window given) or
    // one of its children (that child), at a point on the screen.
    std::function<void(HWND, POINT)> onContextMenu;
    // Files dropped from Explorer on a page that accepts them (DragAcceptFiles): the
    // handler reads the drop and must finish it (DragFinish).
    std::function<void(HDROP)> onDropFiles;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    const PictureBox* background_ = nullptr;
};

class PageControl {
public:
    struct Layout {
        int left, top;            // first tab button
        int tabW, tabH, perRow;   // tab buttons, all of one size, in rows of perRow
        int gapX, gapY;           // between tab buttons
        int pagesGap;             // between the last row of tabs and the pages
        int pageW, pageH;         // every page, at `left` under the tabs
    };
    // Where the pages of `count` tabs sit: a further row of tabs moves them down, so a
    // new tab costs the window one row's height and no page loses room.
    static Bounds PagesBounds(size_t count, const Layout& layout);
    // Creates one tab button (ids firstTabId...) and one page (ids firstPageId...) per caption.
    void Create(HWND parent, const std::vector<std::wstring>& captions, int firstTabId, int firstPageId,
                const Layout& layout);
    Page& At(int index) { return *pages_.at(static_cast<size_t>(index)); }
    size_t Count() const { return pages_.size(); }
    int ActiveIndex() const { return active_; }
    // Shows the page and (unless told otherwise) runs its show handler.
    void Select(int index, bool runShow = true);
    // Runs the active page's show handler again (the window was shown again).
    void ShowActiveAgain();
    // Builds every page that is not built yet, in tab order.
    void BuildAll();

private:
    std::vector<std::unique_ptr<FlatButton>> tabs_;
    std::vector<std::unique_ptr<Page>> pages_;
    int active_ = -1;
};

}  // namespace ravenlock::ui
