#include "ui/page_control.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/dispatch.h"

namespace ravenlock::ui {

void Page::Create(HWND parent, int id, Bounds b) {
    CreateChild(L"RavenlockPage", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, L"", b, parent, id);
}

LRESULT Page::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT routed = 0;
    if (RouteChildMessage(msg, wp, lp, routed)) return routed;
    switch (msg) {
        case WM_CONTEXTMENU:
            if (onContextMenu) {
                POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
                if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
                // wParam: the window the request came from, the page or one of its children.
                onContextMenu(reinterpret_cast<HWND>(wp), at);
                return 0;
            }
            break;
        case WM_DROPFILES:
            if (onDropFiles) {
                onDropFiles(reinterpret_cast<HDROP>(wp));
                return 0;
            }
            break;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: PaintSystemColor(Handle(), COLOR_BTNFACE); return 0;
        case kMsgPaintBackground: {
            HDC dc = reinterpret_cast<HDC>(wp);
            const RECT& rc = *reinterpret_cast<const RECT*>(lp);
            FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
            if (background_) background_->PaintPortion(dc, rc);
            return 1;
        }
    }
    return Default(msg, wp, lp);
}

Bounds PageControl::PagesBounds(size_t count, const Layout& layout) {
    const int rows = std::max(1, static_cast<int>((count + static_cast<size_t>(layout.perRow) - 1) /
                                                  static_cast<size_t>(layout.perRow)));
    const int top = layout.top + rows * layout.tabH + (rows - 1) * layout.gapY + layout.pagesGap;
    return {layout.left, top, layout.pageW, layout.pageH};
}

void PageControl::Create(HWND parent, const std::vector<std::wstring>& captions, int firstTabId, int firstPageId,
                         const Layout& layout) {
    for (size_t i = 0; i < captions.size(); ++i) {
        const int col = static_cast<int>(i) % layout.perRow, row = static_cast<int>(i) / layout.perRow;
        auto tab = std::make_unique<FlatButton>();
        tab->Create(parent, firstTabId + static_cast<int>(i), captions[i],
                    {layout.left + col * (layout.tabW + layout.gapX), layout.top + row * (layout.tabH + layout.gapY),
                     layout.tabW, layout.tabH});
        const int index = static_cast<int>(i);
        // As on a standard tab control, a click on the open tab changes nothing (its show
        // handler would throw away unsaved edits and start its fetches again).
        tab->onClick = [this, index] {
            if (index != active_) Select(index);
        };
        tabs_.push_back(std::move(tab));
        auto page = std::make_unique<Page>();
        page->Create(parent, firstPageId + static_cast<int>(i), PagesBounds(captions.size(), layout));
        pages_.push_back(std::move(page));
    }
}

void Page::Build() {
    // Taken out first: a build that fails half way is not run a second time over the
    // controls it has already made.
    if (!onBuild) return;
    const std::function<void()> build = std::move(onBuild);
    onBuild = nullptr;
    RunHandler(Handle(), build);
}

void PageControl::BuildAll() {
    for (auto& page : pages_) page->Build();
}

void PageControl::Select(int index, bool runShow) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    pages_[static_cast<size_t>(index)]->Build();
    const int previous = active_;
    active_ = index;
    for (size_t i = 0; i < pages_.size(); ++i) tabs_[i]->SetChecked(static_cast<int>(i) == index);
    ShowWindow(pages_[static_cast<size_t>(index)]->Handle(), SW_SHOW);
    if (previous >= 0 && previous != index) ShowWindow(pages_[static_cast<size_t>(previous)]->Handle(), SW_HIDE);
    if (runShow) ShowActiveAgain();
}

void PageControl::ShowActiveAgain() {
    if (active_ < 0) return;
    Page& page = *pages_[static_cast<size_t>(active_)];
    if (page.onShow) RunHandler(page.Handle(), page.onShow);
}

}  // namespace ravenlock::ui
