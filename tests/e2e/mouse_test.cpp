// The program under a real mouse: clicks, double-clicks and drags on the clickable
// labels, pictures and the language switch, clicks on the tab that is already open, and
// right-clicks around the Photos page.
#include <gtest/gtest.h>

#include "disk_files.h"
#include "launch_common.h"
#include "program_test.h"
#include "real_input.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;

// A point of the page that belongs to no control of it.
POINT EmptySpotOf(HWND page) {
    RECT client{};
    GetClientRect(page, &client);
    for (int y = client.bottom - 6; y > 0; y -= 12)
        for (int x = 6; x < client.right; x += 12)
            if (ChildWindowFromPointEx(page, {x, y}, CWP_ALL) == page) return input::ScreenPoint(page, {x, y});
    return input::CentreOf(page);
}

// Lets a second action of a gesture arrive, should the program start one.
void LetSecondActionsArrive(HWND window) {
    ASSERT_TRUE(Settle(window));
    Sleep(1500);
}

class Mouse : public ProgramTest {};

TEST_F(Mouse, LinksActOncePerClickOrDoubleClickAndNotForAReleaseAlone) {
    const struct {
        const char* what;
        int tab, id;
        const wchar_t* address;
    } links[] = {
        {"server status label", ids::kTabGame, ids::kServerStatusLabel, L"https://status.bethesda.net/ru/status"},
        {"game logo picture", ids::kTabGame, ids::kFalloutLogoImage, L"https://fallout.bethesda.net/ru"},
    };
    ASSERT_NE(Start(), nullptr);
    for (const auto& link : links) {
        SCOPED_TRACE(link.what);
        ASSERT_TRUE(ShowTab(Window(), link.tab));
        HWND control = On(link.tab, link.id);
        const POINT at = input::CentreOf(control);
        const int before = LinesWith(kBrowserLog, link.address);

        // Pressed on the page, released over the link: no click.
        input::LeftDrag(EmptySpotOf(Page(Window(), link.tab)), at);
        LetSecondActionsArrive(Window());
        EXPECT_EQ(LinesWith(kBrowserLog, link.address), before) << "a release alone opened the address";

        input::LeftDoubleClick(at);
        EXPECT_TRUE(WaitFor([&] { return LinesWith(kBrowserLog, link.address) > before; })) << "no browser";
        LetSecondActionsArrive(Window());
        EXPECT_EQ(LinesWith(kBrowserLog, link.address), before + 1) << "a double-click opened it more than once";

        input::LeftClick(at);
        EXPECT_TRUE(WaitFor([&] { return LinesWith(kBrowserLog, link.address) == before + 2; }))
            << "a single click after the double-click did nothing";
    }
}

TEST_F(Mouse, LanguageSwitchTogglesOncePerDoubleClick) {
    ASSERT_TRUE(WriteProfileFile(L"Fallout76.ini", {L"[General]", L"sLanguage=\"en\""}));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Settle(Window()));
    HWND sw = On(ids::kTabGame, ids::kLanguageSwitch);
    ASSERT_EQ(TextOf(sw), L"EN");
    const std::wstring ini = ProfilePath(L"Fallout76.ini");
    const auto language = [&] { return ReadIniEntries(ini)[{L"General", L"sLanguage"}]; };

    input::LeftDrag(EmptySpotOf(Page(Window(), ids::kTabGame)), input::CentreOf(sw));
    LetSecondActionsArrive(Window());
    EXPECT_EQ(TextOf(sw), L"EN") << "a release alone toggled the switch";

    const struct {
        const wchar_t *shown, *written;
    } steps[] = {{L"RU", L"ru"}, {L"EN", L"en"}};
    for (const auto& step : steps) {
        input::LeftDoubleClick(input::CentreOf(sw));
        LetSecondActionsArrive(Window());
        EXPECT_EQ(TextOf(sw), step.shown);
        EXPECT_EQ(language(), step.written);
    }
}

TEST_F(Mouse, ClickOnTheOpenTabKeepsUnsavedEditsAndShowingTheWindowAgainDoesNot) {
    const std::vector<std::wstring> lines = {L"[Display]", L"iSize W=1920", L"iMaxAnisotropy=16"};
    ASSERT_TRUE(WriteProfileFile(L"Fallout76Prefs.ini", lines));
    ASSERT_NE(Start(), nullptr);
    HWND tabButton = Control(Window(), ids::kTabButtonFirst + ids::kTabEditor);
    input::LeftClick(input::CentreOf(tabButton));
    ASSERT_TRUE(Settle(Window()));
    HWND list = On(ids::kTabEditor, ids::kFallout76PrefsiniListBox);
    ASSERT_TRUE(WaitFor([&] { return ListBoxLines(list) == lines; })) << "the editor shows no lines";

    SelectListBoxLine(list, 2);
    ASSERT_TRUE(WaitFor([&] { return TextOf(On(ids::kTabEditor, ids::kValueEdit)) == L"16"; }));
    ASSERT_TRUE(SetEditText(On(ids::kTabEditor, ids::kValueEdit), L"4"));
    PostKey(On(ids::kTabEditor, ids::kValueEdit), VK_RETURN);
    std::vector<std::wstring> edited = lines;
    edited[2] = L"iMaxAnisotropy=4";
    ASSERT_TRUE(WaitFor([&] { return ListBoxLines(list) == edited; }));

    for (int i = 0; i < 2; ++i) input::LeftClick(input::CentreOf(tabButton));
    input::LeftDoubleClick(input::CentreOf(tabButton));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ListBoxLines(list), edited) << "a click on the open tab threw the edit away";

    // Hidden and shown again: the page is shown anew, from the file.
    PostClose(Window());
    ASSERT_TRUE(WaitFor([&] { return !IsShown(Window()); }));
    ClickTrayIcon(Window());
    ASSERT_TRUE(WaitFor([&] { return IsShown(Window()); }));
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(ListBoxLines(list), lines);
}

TEST_F(Mouse, PhotoMenuOpensOverTheListsAndThePictureOnly) {
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ShowTab(Window(), ids::kTabPhotos));
    HWND page = Page(Window(), ids::kTabPhotos);
    const struct {
        const char* where;
        POINT at;
        bool menu;
    } cases[] = {
        {"photo count", input::CentreOf(On(ids::kTabPhotos, ids::kPhotoLabel)), false},
        {"screenshot count", input::CentreOf(On(ids::kTabPhotos, ids::kScreenshotLabel)), false},
        {"empty space", EmptySpotOf(page), false},
        {"photo list", input::CentreOf(On(ids::kTabPhotos, ids::kPhotoListBox)), true},
        {"screenshot list", input::CentreOf(On(ids::kTabPhotos, ids::kScreenshotListBox)), true},
        {"picture", input::CentreOf(On(ids::kTabPhotos, ids::kPhotoViewerImage)), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        input::RightClick(c.at);
        HWND menu = c.menu ? WaitForPopupMenu(Running().Id()) : nullptr;
        if (!c.menu) {
            ASSERT_TRUE(Settle(Window()));
            menu = WaitForPopupMenu(Running().Id(), 1500ms);
            EXPECT_EQ(menu, nullptr) << "a menu opened";
        } else {
            EXPECT_NE(menu, nullptr) << "no menu";
        }
        if (menu) {
            PostKey(menu, VK_ESCAPE);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); })) << "the menu stays open";
            ASSERT_TRUE(Settle(Window()));
        }
    }
}

}  // namespace
}  // namespace e2e
