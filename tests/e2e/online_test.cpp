// The online parts as a user meets them, against the stand-in services: the news lines
// and the news window, the Discord server on the Integration tab, the launch codes on
// the Resources tab, and what happens when the services are down.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "driver.h"
#include "remote_controls.h"
#include "sandbox.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

// ---- what the stand-in services answer (sandbox/services/scenarios)

const std::wstring kNewsTitle0Shown =
    L"Вечеринка в Убежище 76: двойной опыт, скидки в Атомной лавке и новые испытания для всех жителе...";
const std::wstring kNewsSummaries[3] = {
    L"Жители Убежища 76 отмечают годовщину: всю неделю двойной опыт, скидки в Атомной лавке, ежедневные "
    L"испытания и награды за участие в общественных событиях. Загляните в игру до понедельника.",
    L"Сезонное табло пополнилось сотней рангов с новыми наградами.",
    L"Наборы для лагеря, костюмы и украшения со скидкой.",
};
const std::wstring kArticles[3] = {
    L"https://fallout.bethesda.net/ru/article/vault-76-party",
    L"https://fallout.bethesda.net/ru/article/season-scoreboard",
    L"https://fallout.bethesda.net/ru/article/atomic-shop-weekly",
};
constexpr wchar_t kServer[] = L"111111111111111111";  // members in channels and games, https invite
constexpr wchar_t kServerLine[] = L"Сервер \"Убежище 76\". Участников в сети: 4";
constexpr wchar_t kInvite[] = L"https://discord.com/invite/vault76";
constexpr wchar_t kPrompt[] = L"Введите ID сервера Discord и нажмите Enter";
constexpr wchar_t kParseError[] = L"Ошибка разбора данных";

// ---- the stand-in's scenario

std::wstring Env(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : L"";
}

void Scenario(const char* name) {
    std::ofstream(std::filesystem::path(Env(L"RAVENLOCK_SCENARIO_FILE")), std::ios::trunc) << name;
}

// ---- input the way the user gives it

void ClickLabel(HWND control) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

void PressEnter(HWND edit) {
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(edit, WM_CHAR, L'\r', 1);
    PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
}

void Type(HWND edit, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
}

// Replaces the field's text as the user would: select all, then type.
void Retype(HWND edit, const std::wstring& text) {
    PostMessageW(edit, EM_SETSEL, 0, -1);
    PostMessageW(edit, WM_CHAR, VK_BACK, 1);
    Type(edit, text);
}

bool PutOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool done = false;
    if (memory) {
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

std::vector<std::wstring> BrowserLog() { return LogLines(kBrowserLog); }

// ---- the fixture

class Online : public SandboxTest {
protected:
    void SetUp() override {
        if (const auto missing = StandInServicesMissing()) {
            // Started by the test command, they must be there: a skip would hide that.
            if (StandInServicesPromised()) FAIL() << *missing;
            GTEST_SKIP() << *missing;
        }
        SandboxTest::SetUp();
        Scenario("operational");
    }
    void TearDown() override {
        SandboxTest::TearDown();
        if (!Env(L"RAVENLOCK_SCENARIO_FILE").empty()) Scenario("operational");
    }

    // Starts the program and selects a tab; false when the window did not come.
    bool Start(int tab = ids::kTabGame) {
        program_ = std::make_unique<Program>();
        window_ = program_->WaitForMainWindow();
        if (!window_) return false;
        if (tab != ids::kTabGame) SelectTab(tab);
        return true;
    }
    void SelectTab(int tab) {
        Click(Control(window_, ids::kTabButtonFirst + tab));
        EXPECT_TRUE(WaitFor([&] { return IsShown(Control(window_, ids::kPageFirst + tab)); })) << "tab " << tab;
    }
    HWND On(int tab, int id) const { return PageControl(window_, ids::kPageFirst + tab, id); }
    HWND NewsLine(int index) const { return On(ids::kTabGame, ids::kNewsLabel0 + index); }
    HWND NewsForm() const {
        const auto found = WindowsOf(program_->Id(), ids::kNewsWindowClass);
        return found.empty() ? nullptr : found.front();
    }
    // The message of the box the program shows next, answered with OK; "" when none came.
    std::wstring MessageAnsweredOk() {
        HWND box = program_->WaitForMessageBox();
        if (!box) return L"";
        const std::wstring text = MessageBoxText(box);
        Answer(box, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsShown(box); }));
        return text;
    }
    bool WaitForText(HWND control, const std::wstring& text) {
        return WaitFor([&] { return TextOf(control) == text; });
    }

    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

// ---- news

TEST_F(Online, NewsLinesShowTheTitlesWithTheSummariesAsTips) {
    ASSERT_TRUE(Start());
    const std::wstring titles[3] = {kNewsTitle0Shown, L"Новый сезон: табло наград обновлено",
                                    L"Атомная лавка на этой неделе"};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(WaitForText(NewsLine(k), titles[k])) << "shows \"" << TextOf(NewsLine(k)) << "\"";
        EXPECT_EQ(TooltipOf(NewsLine(k)), kNewsSummaries[k]);
    }
    EXPECT_EQ(TextOf(NewsLine(0)).size(), 97u);
}

TEST_F(Online, NewsWindowShowsTheClickedItemOpensItsArticleAndClosesWithTheCross) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitFor([&] { return !TextOf(NewsLine(2)).empty(); })) << "no news arrived";
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        ClickLabel(NewsLine(k));
        HWND news = nullptr;
        ASSERT_TRUE(WaitFor([&] { return IsShown(news = NewsForm()); })) << "the news window did not open";
        EXPECT_EQ(TextOf(news), ids::kNewsWindowCaption);
        EXPECT_TRUE(WaitForText(Control(news, ids::kMainNewsLabel), kNewsSummaries[k]))
            << "summary \"" << TextOf(Control(news, ids::kMainNewsLabel)) << "\"";
        EXPECT_EQ(TextOf(Control(news, ids::kNewsHeadingLabel)), L"Новости Fallout 76");
        RECT client{};
        GetClientRect(news, &client);
        EXPECT_EQ(client.right, 776);
        EXPECT_EQ(client.bottom, 520);
        EXPECT_TRUE(GetWindowLongW(news, GWL_EXSTYLE) & WS_EX_TOPMOST);
        if (k == 0 && !ScreenshotDir().empty()) SavePng(CaptureWindow(news), ScreenshotDir() + L"news-window.png");

        // The picture and the summary both open the article; the window stays.
        ClickLabel(Control(news, ids::kNewsImage));
        EXPECT_TRUE(WaitFor([&] { return BrowserLog().size() == static_cast<size_t>(2 * k + 1); }));
        ClickLabel(Control(news, ids::kMainNewsLabel));
        EXPECT_TRUE(WaitFor([&] { return BrowserLog().size() == static_cast<size_t>(2 * k + 2); }));
        EXPECT_TRUE(IsShown(news));

        ClickLabel(Control(news, ids::kNewsCloseImage));
        EXPECT_TRUE(WaitFor([&] { return !IsShown(news); })) << "the cross did not close it";
    }
    EXPECT_EQ(BrowserLog(), (std::vector<std::wstring>{kArticles[0], kArticles[0], kArticles[1], kArticles[1],
                                                       kArticles[2], kArticles[2]}));
}

TEST_F(Online, NewsPictureFailuresShowTheirMessageAndNoWindow) {
    const struct {
        const char* scenario;
        int line;
        const wchar_t* message;
    } cases[] = {
        {"news_bad_picture", 0, L"Не удалось распознать изображение новости"},  // HTML named .jpg
        {"news_bad_picture", 1, L"Не удалось распознать изображение новости"},  // claims 100000 x 100000
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.scenario << " line " << c.line);
        Scenario(c.scenario);
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitFor([&] { return !TextOf(NewsLine(2)).empty(); })) << "no news arrived";
        ClickLabel(NewsLine(c.line));
        EXPECT_EQ(MessageAnsweredOk(), c.message);
        EXPECT_FALSE(IsShown(NewsForm()));
        program_.reset();
    }
}

TEST_F(Online, NewsWithTwoEntriesLeavesAllLinesEmpty) {
    Scenario("news_two_entries");
    ASSERT_TRUE(Start());
    // The summaries of the entries read before the failure stay as tips: the sign that
    // the reply has been handled.
    ASSERT_TRUE(WaitFor([&] { return TooltipOf(NewsLine(1)) == kNewsSummaries[1]; }));
    for (int k = 0; k < 3; ++k) EXPECT_EQ(TextOf(NewsLine(k)), L"") << k;
    // The third line got no picture address: its click fails with the download message.
    ClickLabel(NewsLine(2));
    EXPECT_EQ(MessageAnsweredOk(), L"Не удалось загрузить изображение новости");
}

// ---- Discord

TEST_F(Online, DiscordServerIsConfirmedReadAgainOnEachShowingAndForgotten) {
    ASSERT_TRUE(Start(ids::kTabIntegration));
    HWND edit = On(ids::kTabIntegration, ids::kDiscordServerIDEdit);
    HWND label = On(ids::kTabIntegration, ids::kDiscordLabel);
    HWND list = On(ids::kTabIntegration, ids::kDiscordList);
    EXPECT_EQ(TextOf(label), kPrompt);
    EXPECT_FALSE(IsShown(On(ids::kTabIntegration, ids::kTelegramChatIDEdit)));
    EXPECT_FALSE(IsShown(On(ids::kTabIntegration, ids::kTelegramLabel)));

    Type(edit, kServer);
    PressEnter(edit);
    ASSERT_TRUE(WaitForText(label, kServerLine)) << "shows \"" << TextOf(label) << "\"";
    using Table = std::vector<std::vector<std::wstring>>;
    EXPECT_EQ(ListViewTable(list, 4), (Table{{L"Смотритель", L"В сети", L"Рейды", L"Fallout 76"},
                                   {L"Dweller", L"Не активен", L"Нет данных", L"Нет данных"},
                                   {L"Писец", L"Не беспокоить", L"Общий голосовой", L"Нет данных"},
                                   {L"Гуль", L"streaming", L"Нет данных", L"Nuka Quest"}}));
    EXPECT_EQ(ListViewColumnCaption(list, 0), L"Участник");
    EXPECT_EQ(ListViewColumnCaption(list, 3), L"Игра");
    EXPECT_EQ(ReadString(kSettingsKey, L"DiscordServerID").value_or(L"(missing)"), kServer);

    // People come and go: showing the tab again reads the widget again.
    Scenario("discord_changed");
    SelectTab(ids::kTabGame);
    SelectTab(ids::kTabIntegration);
    EXPECT_TRUE(WaitForText(label, L"Сервер \"Убежище 76\". Участников в сети: 1"));
    EXPECT_EQ(ListViewTable(list, 4), (Table{{L"Ночной дозор", L"Не активен", L"Нет данных", L"Нет данных"}}));

    // Enter on the confirmed id forgets the server; the digits stay for the next Enter.
    PressEnter(edit);
    EXPECT_TRUE(WaitForText(label, kPrompt));
    EXPECT_EQ(ListViewRowCount(list), 0);
    EXPECT_EQ(TextOf(edit), kServer);
    EXPECT_EQ(ReadString(kSettingsKey, L"DiscordServerID").value_or(L"(missing)"), L"");

    Scenario("operational");
    PressEnter(edit);
    EXPECT_TRUE(WaitForText(label, kServerLine));
    EXPECT_EQ(ListViewRowCount(list), 4);
}

TEST_F(Online, StoredServerComesBackAndIsReadWhenTheTabIsShown) {
    const struct {
        const wchar_t* id;
        const wchar_t* line;
        int rows;
    } cases[] = {
        {kServer, kServerLine, 4},
        {L"222222222222222222", L"Сервер \"Тихий сервер\". Участников в сети: 0", 0},  // members listed, none shown
        {L"333333333333333333", L"Сервер \"Без приглашения\". Участников в сети: 1", 1},
        {L"555555555555555555", kParseError, 2},  // a game without a name: rows before it stay
        {L"666666666666666666", kParseError, 0},  // cut short
        {L"999999999999999999", kParseError, 0},  // no such server
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id);
        Reset();
        ASSERT_TRUE(WriteString(kSettingsKey, L"DiscordServerID", c.id));
        ASSERT_TRUE(Start(ids::kTabIntegration));
        EXPECT_EQ(TextOf(On(ids::kTabIntegration, ids::kDiscordServerIDEdit)), c.id);
        HWND label = On(ids::kTabIntegration, ids::kDiscordLabel);
        EXPECT_TRUE(WaitForText(label, c.line)) << "shows \"" << TextOf(label) << "\"";
        EXPECT_EQ(ListViewRowCount(On(ids::kTabIntegration, ids::kDiscordList)), c.rows);
        program_.reset();
    }
}

TEST_F(Online, AWidgetFarBeyondAnyRealOneIsCutAndTheWindowKeepsAnswering) {
    ASSERT_TRUE(WriteString(kSettingsKey, L"DiscordServerID", L"777777777777777777"));
    ASSERT_TRUE(Start(ids::kTabIntegration));
    HWND label = On(ids::kTabIntegration, ids::kDiscordLabel);
    HWND list = On(ids::kTabIntegration, ids::kDiscordList);
    // Asked with a time-out: a window busy with the reply must not hold the test too.
    const auto rows = [&]() -> int {
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) return -1;
        return static_cast<int>(count);
    };
    EXPECT_TRUE(WaitFor([&] { return rows() > 0 && Sync(window_); }, 60s)) << "rows: " << rows();
    EXPECT_TRUE(WaitFor([&] { return rows() == 300; })) << "rows: " << rows();
    EXPECT_FALSE(WaitFor([&] { return rows() != 300; }, 2s)) << "rows: " << rows();
    EXPECT_TRUE(WaitForText(label, L"Сервер \"Огромный сервер\". Участников в сети: 20000")) << TextOf(label);
    // Each name is cut to what its cell can show; the channel is found all the same.
    const auto table = ListViewTable(list, 3);
    ASSERT_EQ(table.size(), 300u);
    const std::wstring name = table[0][0];
    EXPECT_EQ(name.substr(0, 13), L"Участник00000");
    EXPECT_LE(name.size(), 259u);
    EXPECT_EQ(table[299][2], L"Канал 4999");
    EXPECT_TRUE(program_->Dialogs().empty());
}

TEST_F(Online, ServerLineOpensTheInviteOnlyWhenItIsHttps) {
    ASSERT_TRUE(Start(ids::kTabIntegration));
    HWND edit = On(ids::kTabIntegration, ids::kDiscordServerIDEdit);
    HWND label = On(ids::kTabIntegration, ids::kDiscordLabel);
    const struct {
        const wchar_t* id;
        const wchar_t* line;
        bool opens;
    } cases[] = {
        {kServer, kServerLine, true},
        {L"333333333333333333", L"Сервер \"Без приглашения\". Участников в сети: 1", false},  // after one with
        {L"444444444444444444", L"Сервер \"Старое приглашение\". Участников в сети: 1", false},  // http://
        {kServer, kServerLine, true},
    };
    size_t opened = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id);
        Retype(edit, c.id);
        PressEnter(edit);  // unconfirmed and not empty: confirms
        ASSERT_TRUE(WaitForText(label, c.line)) << "shows \"" << TextOf(label) << "\"";
        ClickLabel(label);
        if (c.opens) {
            ++opened;
            EXPECT_TRUE(WaitFor([&] { return BrowserLog().size() == opened; }));
        }
        PressEnter(edit);  // forgets; the prompt line opens nothing either
        ASSERT_TRUE(WaitForText(label, kPrompt));
        ClickLabel(label);
    }
    // Had any other click opened something, it would be in the log before the last invite.
    EXPECT_EQ(BrowserLog(), (std::vector<std::wstring>{kInvite, kInvite}));
}

TEST_F(Online, ServerIdFieldTakesDigitsOnlyTypedOrPasted) {
    ASSERT_TRUE(Start(ids::kTabIntegration));
    HWND edit = On(ids::kTabIntegration, ids::kDiscordServerIDEdit);
    const struct {
        const wchar_t* typed;
        const wchar_t* pasted;
        const wchar_t* shown;
    } cases[] = {
        {L"12a3", L"", L"123"},
        {L"", L"45/../6 7x", L"4567"},
        {L"1", L"https://discord.com/invite/2", L"12"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed " << c.typed << " pasted " << c.pasted);
        Retype(edit, c.typed);
        if (*c.pasted) {
            ASSERT_TRUE(PutOnClipboard(c.pasted));
            PostMessageW(edit, WM_PASTE, 0, 0);
        }
        EXPECT_TRUE(WaitForText(edit, c.shown)) << "shows \"" << TextOf(edit) << "\"";
    }
}

// ---- launch codes

TEST_F(Online, LaunchCodesAreListedOnceAndALaterClickAsksNothing) {
    ASSERT_TRUE(Start(ids::kTabResources));
    HWND list = On(ids::kTabResources, ids::kLaunchCodesListBox);
    HWND request = On(ids::kTabResources, ids::kLaunchCodesLabel);
    EXPECT_EQ(TextOf(request), L"Запрос кодов запуска МБР");
    EXPECT_EQ(TextOf(On(ids::kTabResources, ids::kLaunchCodesGroupBox)), L"Коды запуска МБР шахтного базирования");
    EXPECT_EQ(ListViewRowCount(list), 0);

    ClickLabel(request);
    ASSERT_TRUE(WaitFor([&] { return ListViewRowCount(list) == 7; })) << ListViewRowCount(list) << " rows";
    using Table = std::vector<std::vector<std::wstring>>;
    const Table expected{
        {L"Шахта \"Альфа\": ", L"47291835"},
        {L"Шахта \"Браво\": ", L"90317462"},
        {L"Шахта \"Чарли\": ", L"13579024"},
        {L"-------------------------------", L"-------------"},
        {L"Powered by NukaCrypt", L""},
        {L"-------------------------------", L""},
        {L"Коды актуальны 7 дней", L""},
    };
    EXPECT_EQ(ListViewTable(list, 2), expected);
    EXPECT_EQ(ListViewColumnCaption(list, 0), L"Шахта");
    EXPECT_EQ(ListViewColumnCaption(list, 1), L"Код");

    // With the site down a request would end in a message box; none comes. The tab
    // switch posted after the click is handled after it (a box's own loop would handle
    // it too), so once the Game tab shows, the click is done.
    Scenario("down");
    ClickLabel(request);
    SelectTab(ids::kTabGame);
    EXPECT_TRUE(program_->Dialogs().empty()) << "a second click asked the site again";
    EXPECT_EQ(ListViewTable(list, 2), expected);
    EXPECT_EQ(TextOf(request), L"Запрос кодов запуска МБР");
}

TEST_F(Online, FailedLaunchCodesDownloadShowsItsMessageAndTheNextClickTriesAgain) {
    Scenario("down");
    ASSERT_TRUE(Start(ids::kTabResources));
    HWND list = On(ids::kTabResources, ids::kLaunchCodesListBox);
    HWND request = On(ids::kTabResources, ids::kLaunchCodesLabel);
    ClickLabel(request);
    EXPECT_EQ(MessageAnsweredOk(), L"Не удалось загрузить коды запуска");
    EXPECT_EQ(ListViewRowCount(list), 0);

    Scenario("operational");
    ClickLabel(request);
    EXPECT_TRUE(WaitFor([&] { return ListViewRowCount(list) == 7; }));
    EXPECT_EQ(ListViewTable(list, 2).at(0).at(1), L"47291835");
}

TEST_F(Online, SlowLaunchCodesDownloadKeepsTheWindowPaintedAndIgnoresClicksMeanwhile) {
    ASSERT_TRUE(Start(ids::kTabResources));
    HWND list = On(ids::kTabResources, ids::kLaunchCodesListBox);
    HWND request = On(ids::kTabResources, ids::kLaunchCodesLabel);
    HWND about = On(ids::kTabResources, ids::kAboutLabel);
    Scenario("slow");  // answers only after the program has given up, 15 s on
    ClickLabel(request);
    std::this_thread::sleep_for(1s);  // the download is under way

    // The window answers at once, again and again.
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR ignored = 0;
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_TRUE(SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored)) << "ask " << i;
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 500ms) << "ask " << i;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_FALSE(IsHungAppWindow(window_));
    // It paints: a line given a new text shows it while the download still waits.
    const std::wstring aboutText = TextOf(about);
    const e2e::Picture before = CaptureWindow(about);
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutW(about, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"..."), SMTO_NORMAL, 2000, &ignored));
    EXPECT_TRUE(WaitFor([&] { return CaptureWindow(about).pixels != before.pixels; }, 3s)) << "not repainted";
    SendMessageTimeoutW(about, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(aboutText.c_str()), SMTO_NORMAL, 2000, &ignored);
    // A second click during the wait is ignored: one download, one message.
    ClickLabel(request);
    EXPECT_EQ(MessageAnsweredOk(), L"Не удалось загрузить коды запуска");
    Scenario("operational");
    std::this_thread::sleep_for(2s);
    EXPECT_TRUE(program_->Dialogs().empty()) << "the click made during the wait started another download";
    EXPECT_EQ(ListViewRowCount(list), 0);
}

TEST_F(Online, ATrayMenuAskedForDuringASlowDownloadOpensNeitherThenNorLongAfter) {
    ASSERT_TRUE(Start(ids::kTabResources));
    Scenario("slow");
    ClickLabel(On(ids::kTabResources, ids::kLaunchCodesLabel));
    std::this_thread::sleep_for(1s);  // the download is under way
    // Sent, as Wine's tray sends it: answered inside the wait.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, ids::kTrayCallbackMessage, 0, WM_RBUTTONUP, SMTO_NORMAL, 2000, &ignored);
    const auto noMenu = [&](const char* when) {
        if (HWND menu = WaitForPopupMenu(program_->Id(), 2s)) {
            ADD_FAILURE() << "the tray menu opened " << when;
            PostKey(menu, VK_ESCAPE);
        }
    };
    noMenu("inside the wait");
    EXPECT_EQ(MessageAnsweredOk(), L"Не удалось загрузить коды запуска");
    noMenu("for a request long past");
}

// ---- services down

TEST_F(Online, ServicesDownLeaveNewsAndDiscordQuietWithoutAnyDialog) {
    Scenario("down");
    ASSERT_TRUE(Start());
    // The status line reports the failure: by then the news fetch, started earlier, has failed too.
    ASSERT_TRUE(WaitForText(On(ids::kTabGame, ids::kServerStatusLabel), L"Состояние серверов Fallout 76: Ошибка разбора данных"));
    SelectTab(ids::kTabIntegration);
    HWND edit = On(ids::kTabIntegration, ids::kDiscordServerIDEdit);
    Type(edit, kServer);
    PressEnter(edit);
    EXPECT_TRUE(WaitForText(On(ids::kTabIntegration, ids::kDiscordLabel), kParseError));
    EXPECT_TRUE(program_->Dialogs().empty());
    for (int k = 0; k < 3; ++k) EXPECT_EQ(TextOf(NewsLine(k)), L"") << k;

    // A news line clicked with no news tries an empty address: the download message.
    SelectTab(ids::kTabGame);
    ClickLabel(NewsLine(0));
    EXPECT_EQ(MessageAnsweredOk(), L"Не удалось загрузить изображение новости");
    EXPECT_FALSE(IsShown(NewsForm()));
}

}  // namespace
}  // namespace e2e
