#pragma once
// The page control: a strip of flat tab buttons (several rows) over a stack of pages,
// one shown at a time. A page paints its background picture, if it has one, behind
// its transparent children.
#include <windows.h>

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
    // A context-menu request (right click, menu key) on the page or one of its children.
    std::function<void(POINT)> onContextMenu;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    const PictureBox* background_ = nullptr;
};

class PageControl {
public:
    struct Layout {
        int left, top;            // first tab button
        int tabW, tabH, perRow;   // tab buttons, in rows of perRow
        int gapX, gapY;           // between tab buttons
        Bounds pages;             // where the pages sit
    };
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

private:
    std::vector<std::unique_ptr<FlatButton>> tabs_;
    std::vector<std::unique_ptr<Page>> pages_;
    int active_ = -1;
};

}  // namespace ravenlock::ui
