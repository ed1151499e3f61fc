// Pages that make their controls when first needed: selecting a page makes its controls
// before its show handler runs, each page is made once, and the rest come with BuildAll.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/page_control.h"

namespace {

using namespace ravenlock::ui;

constexpr int kTabs = 3, kFirstTab = 100, kFirstPage = 200;

int ChildCount(HWND page) {
    int n = 0;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++n;
    return n;
}

// A hidden frame with three tabs; pages 1 and 2 make a label each when built and log
// every build and show, with what the page held at that moment.
class LazyPages : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"RavenlockPageTestFrame";
        RegisterClassW(&wc);
        frame_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(frame_, nullptr);
        pages_.Create(frame_, {L"Один", L"Два", L"Три"}, kFirstTab, kFirstPage, {4, 4, 100, 24, 3, 2, 2, 2, 600, 400});
        for (int i = 1; i < kTabs; ++i) {
            Page& page = pages_.At(i);
            page.onBuild = [this, i, &page] {
                log_.push_back(L"build " + std::to_wstring(i) + L" with " + std::to_wstring(ChildCount(page.Handle())));
                labels_[i] = std::make_unique<Label>();
                labels_[i]->Create(page.Handle(), 10 + i, L"Надпись", {8, 8, 100, 16}, {});
                page.onShow = [this, i, &page] {
                    log_.push_back(L"show " + std::to_wstring(i) + L" with " + std::to_wstring(ChildCount(page.Handle())));
                };
            };
        }
        pages_.Select(0, false);
    }
    void TearDown() override { DestroyWindow(frame_); }

    HWND frame_ = nullptr;
    PageControl pages_;
    std::array<std::unique_ptr<Label>, kTabs> labels_;
    std::vector<std::wstring> log_;
};

TEST_F(LazyPages, SelectingAPageMakesItsControlsOnceBeforeItsShowHandler) {
    EXPECT_EQ(ChildCount(pages_.At(1).Handle()), 0);
    pages_.Select(1);
    pages_.Select(0);
    pages_.Select(1);
    EXPECT_EQ(log_, (std::vector<std::wstring>{L"build 1 with 0", L"show 1 with 1", L"show 1 with 1"}));
    EXPECT_EQ(ChildCount(pages_.At(2).Handle()), 0) << "a page never selected stays unmade";
}

TEST_F(LazyPages, BuildAllMakesEveryPageNotYetMadeAndNoneTwice) {
    pages_.Select(2);
    pages_.BuildAll();
    pages_.BuildAll();
    EXPECT_EQ(log_, (std::vector<std::wstring>{L"build 2 with 0", L"show 2 with 1", L"build 1 with 0"}));
    for (int i = 1; i < kTabs; ++i) EXPECT_EQ(ChildCount(pages_.At(i).Handle()), 1) << "page " << i;
    EXPECT_EQ(ChildCount(pages_.At(0).Handle()), 0) << "a page without a build is left alone";
}

}  // namespace
