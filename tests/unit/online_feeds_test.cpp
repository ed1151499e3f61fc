// The news, Discord widget and launch-code readers: reply in, what the window shows out.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "online/discord_widget.h"
#include "online/launch_codes.h"
#include "online/news_feed.h"
#include "online/web_address.h"
#include "platform/text.h"

namespace ravenlock {
namespace {

using Opt = std::optional<std::wstring>;
const Opt none;

// ---- news

std::string Entry(const std::string& title, const std::string& url, const std::string& blurb,
                  const std::string& image) {
    return R"({"title":")" + title + R"(","url":")" + url + R"(","blurb":")" + blurb + R"(","image":")" + image +
           R"(","date":"2024-05-01"})";
}

std::string News(const std::vector<std::string>& entries) {
    std::string list;
    for (const auto& e : entries) list += (list.empty() ? "" : ",") + e;
    return R"({"total":3,"entries":[)" + list + "]}";
}

std::string Repeat(const char* utf8, size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += utf8;
    return s;
}

struct Expected {
    Opt title, articleUrl, blurb, pictureUrl;
};

const std::string e1 = Entry("Атомная мастерская", "/article/atomic-shop", "Новые наборы", "//img.example/news/a.jpg?w=776");
const std::string e2 = Entry("Сезон 17", "/article/season-17", "Награды сезона", "//img.example/news/b.jpg?w=776&q=80");
const std::string e3 = Entry("Обновление", "/article/patch", "Исправления", "//img.example/news/c.png");
const Expected x1{L"Атомная мастерская", L"https://fallout.bethesda.net/ru/article/atomic-shop", L"Новые наборы",
                  L"https://img.example/news/a.jpg?w=776"};
const Expected x2{L"Сезон 17", L"https://fallout.bethesda.net/ru/article/season-17", L"Награды сезона",
                  L"https://img.example/news/b.jpg"};
const Expected x3{L"Обновление", L"https://fallout.bethesda.net/ru/article/patch", L"Исправления",
                  L"https://img.example/news/c.png"};

TEST(NewsFeed, ReplyToLinesAndSlots) {
    const std::wstring t94 = Utf8ToWide(Repeat("ж", 94));
    const std::wstring t95 = Utf8ToWide(Repeat("ж", 95));
    const struct {
        const char* what;
        std::string body;
        bool ok;
        Expected entries[3];
    } cases[] = {
        {"three entries", News({e1, e2, e3}), true, {x1, x2, x3}},
        {"a fourth entry is not read", News({e1, e2, e3, "42"}), true, {x1, x2, x3}},
        {"94 characters whole, 95 cut",
         News({Entry(Repeat("ж", 94), "/a", "b", "//h/p.jpg"), Entry(Repeat("ж", 95), "/a", "b", "//h/p.jpg"), e3}), true,
         {{t94, L"https://fallout.bethesda.net/ru/a", L"b", L"https://h/p.jpg"},
          {t94 + L"...", L"https://fallout.bethesda.net/ru/a", L"b", L"https://h/p.jpg"}, x3}},
        {"text after .jpg kept for the first entry only",
         News({Entry("a", "/1", "b", "//h/x.jpg?v=1"), Entry("a", "/2", "b", "//h/y.jpg?v=2"),
               Entry("a", "/3", "b", "//h/z.jpg.jpg/q")}),
         true,
         {{L"a", L"https://fallout.bethesda.net/ru/1", L"b", L"https://h/x.jpg?v=1"},
          {L"a", L"https://fallout.bethesda.net/ru/2", L"b", L"https://h/y.jpg"},
          {L"a", L"https://fallout.bethesda.net/ru/3", L"b", L"https://h/z.jpg"}}},
        {"url appended without a separator; numbers as their text",
         News({R"({"title":76,"url":"-x","blurb":0.50,"image":"//h/1.png?s=1"})", e2, e3}), true,
         {{L"76", L"https://fallout.bethesda.net/ru-x", L"0.50", L"https://h/1.png?s=1"}, x2, x3}},
        {"two entries only", News({e1, e2}), false, {x1, x2, {}}},
        {"third entry without blurb", News({e1, e2, R"({"title":"t","url":"/u","image":"//h/i.jpg"})"}), false,
         {x1, x2, {L"t", L"https://fallout.bethesda.net/ru/u", none, none}}},
        {"first entry without title", News({R"({"url":"/u","blurb":"b","image":"//h/i.jpg"})", e2, e3}), false, {}},
        {"first entry without image", News({R"({"title":"t","url":"/u","blurb":"b"})", e2, e3}), false,
         {{L"t", L"https://fallout.bethesda.net/ru/u", L"b", none}}},
        {"keys match exactly", News({R"({"Title":"t","url":"/u","blurb":"b","image":"//h/i.jpg"})", e2, e3}), false, {}},
        {"no entries", R"({"items":[]})", false, {}},
        {"entries not an array", R"({"entries":{"0":{}}})", false, {}},
        {"not JSON", "<html>502</html>", false, {}},
        {"empty body", "", false, {}},
    };
    for (const auto& c : cases) {
        const NewsFill fill = FillNewsFromReply(c.body);
        EXPECT_EQ(fill.ok, c.ok) << c.what;
        for (size_t k = 0; k < 3; ++k) {
            const Expected& x = c.entries[k];
            const NewsEntryFill& got = fill.entries[k];
            EXPECT_EQ(got.title, x.title) << c.what << ", entry " << k;
            EXPECT_EQ(got.articleUrl, x.articleUrl) << c.what << ", entry " << k;
            EXPECT_EQ(got.blurb, x.blurb) << c.what << ", entry " << k;
            EXPECT_EQ(got.pictureUrl, x.pictureUrl) << c.what << ", entry " << k;
        }
    }
}

TEST(NewsFeed, TitleShortening) {
    const std::wstring pair = L"\xD83D\xDE00";  // one character outside the BMP
    const struct {
        std::wstring title, shown;
    } cases[] = {
        {L"", L""},
        {std::wstring(93, L'a'), std::wstring(93, L'a')},
        {std::wstring(94, L'a'), std::wstring(94, L'a')},
        {std::wstring(95, L'a'), std::wstring(94, L'a') + L"..."},
        {std::wstring(500, L'a'), std::wstring(94, L'a') + L"..."},
        {std::wstring(93, L'a') + pair, std::wstring(93, L'a') + L"..."},  // no half of a pair
        {std::wstring(92, L'a') + pair + L"b", std::wstring(92, L'a') + pair + L"..."},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenNewsTitle(c.title), c.shown) << c.title.size();
}

TEST(NewsFeed, PictureAddressesAreHttps) {
    const struct {
        std::wstring image;
        size_t index;
        std::wstring url;
    } cases[] = {
        {L"//h/a.jpg?w=1", 0, L"https://h/a.jpg?w=1"},
        {L"//h/a.jpg?w=1", 1, L"https://h/a.jpg"},
        {L"//h/a.jpg?w=1", 2, L"https://h/a.jpg"},
        {L"//h/a.JPG?w=1", 1, L"https://h/a.JPG?w=1"},  // ".jpg" is matched exactly
        {L"//h/a.png?w=1", 2, L"https://h/a.png?w=1"},  // no ".jpg": the whole value
        {L"", 0, L"https:"},
    };
    for (const auto& c : cases) EXPECT_EQ(NewsPictureUrl(c.image, c.index), c.url) << c.image << L" " << c.index;
}

// ---- Discord

using Rows = std::vector<std::vector<std::wstring>>;

std::string Widget(const std::string& head, const std::string& members, const std::string& channels) {
    return "{" + head + R"(,"members":)" + members + R"(,"channels":)" + channels + "}";
}

const std::string kHead = R"("id":"111","name":"Убежище 76","presence_count":3,"instant_invite":"https://discord.com/invite/abc")";
const std::string kChannels = R"([{"id":"7","name":"Общий","position":0},{"id":"8","name":"Рейды","position":1}])";

TEST(DiscordWidget, ReplyToServerLineAndRows) {
    const std::wstring line = L"Сервер \"Убежище 76\". Участников в сети: 3";
    const struct {
        const char* what;
        std::string body;
        std::wstring label;
        Opt invite;
        Rows rows;
        bool ok;
    } cases[] = {
        {"members in channels and games",
         Widget(kHead,
                R"([{"username":"Dweller","status":"online","channel_id":"8","game":{"name":"Fallout 76"}},)"
                R"({"username":"Scribe","status":"idle"},{"username":"Ghoul","status":"dnd","channel_id":"7"}])",
                kChannels),
         line, L"https://discord.com/invite/abc",
         {{L"Dweller", L"В сети", L"Рейды", L"Fallout 76"},
          {L"Scribe", L"Не активен", L"Нет данных", L"Нет данных"},
          {L"Ghoul", L"Не беспокоить", L"Общий", L"Нет данных"}},
         true},
        {"presence 0 leaves the list empty",
         Widget(R"("name":"Тихо","presence_count":0)", R"([{"username":"x","status":"online"}])", "[]"),
         L"Сервер \"Тихо\". Участников в сети: 0", L"", {}, true},
        {"presence \"0\" as a string is the same text",
         R"({"name":"S","presence_count":"0"})", L"Сервер \"S\". Участников в сети: 0", L"", {}, true},
        {"unknown status as it came, unknown channel",
         Widget(kHead, R"([{"username":"A","status":"offline","channel_id":"99"}])", kChannels), line,
         L"https://discord.com/invite/abc", {{L"A", L"offline", L"Нет данных", L"Нет данных"}}, true},
        {"non-https invite is not kept",
         Widget(R"("name":"S","presence_count":1,"instant_invite":"http://discord.gg/x")",
                R"([{"username":"A","status":"online"}])", "[]"),
         L"Сервер \"S\". Участников в сети: 1", L"", {{L"A", L"В сети", L"Нет данных", L"Нет данных"}}, true},
        {"invite that would break out of the browser's quotes",
         R"({"name":"S","presence_count":"0","instant_invite":"https://x.example/\" --evil"})",
         L"Сервер \"S\". Участников в сети: 0", L"", {}, true},
        {"game without name: error, earlier rows kept",
         Widget(kHead,
                R"([{"username":"A","status":"online"},{"username":"B","status":"idle","game":{"id":1}},)"
                R"({"username":"C","status":"online"}])",
                kChannels),
         L"Ошибка разбора данных", L"https://discord.com/invite/abc",
         {{L"A", L"В сети", L"Нет данных", L"Нет данных"}, {L"B", L"Не активен", L"Нет данных"}}, false},
        {"member without status: its row has the name only",
         Widget(kHead, R"([{"username":"A"}])", kChannels), L"Ошибка разбора данных", L"https://discord.com/invite/abc",
         {{L"A"}}, false},
        {"channel id without channels", R"({"name":"S","presence_count":1,"members":[{"username":"A","status":"online","channel_id":"1"}]})",
         L"Ошибка разбора данных", L"", {{L"A", L"В сети"}}, false},
        {"members not an array", R"({"name":"S","presence_count":2,"members":{"a":1}})", L"Ошибка разбора данных",
         L"", {}, false},
        {"no name (a wrong id's error object)", R"({"message":"Unknown Guild","code":10004})",
         L"Ошибка разбора данных", none, {}, false},
        {"no presence_count", R"({"name":"S","instant_invite":"https://d.example/i"})", L"Ошибка разбора данных",
         none, {}, false},
        {"not JSON", "<html>", L"Ошибка разбора данных", none, {}, false},
    };
    for (const auto& c : cases) {
        const DiscordFill fill = FillDiscordFromReply(c.body);
        EXPECT_EQ(fill.label, c.label) << c.what;
        EXPECT_EQ(fill.inviteUrl, c.invite) << c.what;
        EXPECT_EQ(fill.rows, c.rows) << c.what;
        EXPECT_EQ(fill.ok, c.ok) << c.what;
    }
}

TEST(DiscordWidget, RequestOnlyForDigits) {
    const struct {
        std::wstring id;
        Opt url;
    } cases[] = {
        {L"123456789012345678", L"https://discord.com/api/guilds/123456789012345678/widget.json"},
        {L"0", L"https://discord.com/api/guilds/0/widget.json"},
        {std::wstring(20, L'9'), L"https://discord.com/api/guilds/" + std::wstring(20, L'9') + L"/widget.json"},
        {std::wstring(21, L'9'), none},
        {L"", none},
        {L"12/../../users/@me", none},
        {L"12 34", none},
        {L"١٢٣", none},  // digits of another script
        {L"123?x=1", none},
    };
    for (const auto& c : cases) EXPECT_EQ(DiscordWidgetUrl(c.id), c.url) << c.id;
}

TEST(DiscordWidget, EnterConfirmsAndForgets) {
    const struct {
        int tag;
        bool confirmed;
        std::wstring text;
        EnterAction action;
    } cases[] = {
        {10, false, L"123", EnterAction::Confirm},
        {10, false, L"", EnterAction::Forget},
        {10, true, L"123", EnterAction::Forget},
        {10, true, L"", EnterAction::Forget},
        {20, false, L"123", EnterAction::Nothing},
        {20, true, L"", EnterAction::Nothing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideEnter(c.tag, c.confirmed, c.text), c.action) << c.tag << " " << c.confirmed << " " << c.text;
}

TEST(WebAddress, OnlySafeHttpsGoesToTheShell) {
    const struct {
        std::wstring address;
        bool safe;
    } cases[] = {
        {L"https://discord.com/invite/abc", true},
        {L"HTTPS://discord.com/invite/abc", true},
        {L"https://fallout.bethesda.net/ru/article/путь", true},
        {L"http://discord.com/invite/abc", false},
        {L"https:discord.com", false},
        {L"https://", false},
        {L"https:///path", false},
        {L"file:///C:/Windows/system32/calc.exe", false},
        {L"javascript:alert(1)", false},
        {L"C:\\Windows\\notepad.exe", false},
        {L"https://x.example/\" --new-window", false},
        {L"https://x.example/a b", false},
        {L"https://x.example/a\tb", false},
        {L"https://x.example/a\nb", false},
        {L"https://x.example/" + std::wstring(3000, L'a'), false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSafeHttpsAddress(c.address), c.safe) << c.address;
    EXPECT_EQ(DigitsOf(L"a1-2 3\x0663z"), L"123");
}

// ---- launch codes

// A page of filler with markers placed at 1-based positions, each followed by two
// characters and an 8-character code made from its position.
struct Placed {
    const wchar_t* marker;
    size_t position;
};

std::wstring Page(size_t length, const std::vector<Placed>& markers) {
    std::wstring page(length, L'.');
    for (size_t i = 0; i < page.size(); ++i) page[i] = static_cast<wchar_t>(L'a' + i % 26);
    for (const auto& m : markers) {
        const std::wstring marker = m.marker;
        std::wstring code = std::to_wstring(m.position);
        code = L"'>" + std::wstring(8 - code.size(), L'C') + code;
        const std::wstring text = marker + code;
        page.replace(m.position - 1, std::min(text.size(), page.size() - (m.position - 1)), text.substr(0, page.size() - (m.position - 1)));
    }
    return page;
}

TEST(LaunchCodes, CutAtTheMarkers) {
    const wchar_t* A = kLaunchCodesMarkerA;
    const wchar_t* B = kLaunchCodesMarkerB;
    const std::wstring plain = Page(7000, {});
    const struct {
        const char* what;
        std::wstring page;
        std::wstring alpha, bravo, charlie;
    } cases[] = {
        {"A at 100, B at 200 and 6000", Page(7000, {{A, 100}, {B, 200}, {B, 6000}}), L"CCCCC100", L"CCCCC200",
         L"CCCC6000"},
        {"B only before 5446: Charlie gets characters 36 to 43", Page(7000, {{A, 100}, {B, 200}}), L"CCCCC100",
         L"CCCCC200", plain.substr(35, 8)},
        {"B exactly at 5446 is found", Page(7000, {{B, 200}, {B, 5446}}), plain.substr(35, 8), L"CCCCC200",
         L"CCCC5446"},
        {"B at 5445 is not Charlie's", Page(7000, {{B, 5445}, {B, 6500}}), plain.substr(35, 8), L"CCCC5445",
         L"CCCC6500"},
        {"markers missing", plain, plain.substr(35, 8), plain.substr(35, 8), plain.substr(35, 8)},
        {"a page shorter than 36 characters", Page(30, {}), L"", L"", L""},
        {"a page of 40 characters", Page(40, {}), plain.substr(35, 5), plain.substr(35, 5), plain.substr(35, 5)},
        {"the page ends 3 characters after the skipped ones",
         Page(100, {{A, 50}}).substr(0, 49 + 34 + 2 + 3), L"CCC", plain.substr(35, 8), plain.substr(35, 8)},
        {"the page ends right after the skipped ones", Page(100, {{A, 50}}).substr(0, 49 + 34 + 2), L"",
         plain.substr(35, 8), plain.substr(35, 8)},
        {"marker A with its blank removed is not marker A",
         Page(7000, {{L"<tr><td style='text-align:center;", 100}}), plain.substr(35, 8), plain.substr(35, 8),
         plain.substr(35, 8)},
    };
    for (const auto& c : cases) {
        const auto rows = LaunchCodeRows(c.page);
        EXPECT_EQ(rows[0].second, c.alpha) << c.what;
        EXPECT_EQ(rows[1].second, c.bravo) << c.what;
        EXPECT_EQ(rows[2].second, c.charlie) << c.what;
    }
}

TEST(LaunchCodes, SevenRowsExactly) {
    const auto rows = LaunchCodeRows(Page(7000, {{kLaunchCodesMarkerA, 1}, {kLaunchCodesMarkerB, 300}, {kLaunchCodesMarkerB, 5500}}));
    const std::array<LaunchCodeRow, 7> expected{{
        {L"Шахта \"Альфа\": ", L"CCCCCCC1"},
        {L"Шахта \"Браво\": ", L"CCCCC300"},
        {L"Шахта \"Чарли\": ", L"CCCC5500"},
        {L"-------------------------------", L"-------------"},
        {L"Powered by NukaCrypt", L""},
        {L"-------------------------------", L""},
        {L"Коды актуальны 7 дней", L""},
    }};
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(rows[3].first.size(), 31u);
    EXPECT_EQ(rows[3].second.size(), 13u);
    EXPECT_EQ(std::wstring(kLaunchCodesMarkerA).size(), 34u);
    EXPECT_EQ(std::wstring(kLaunchCodesMarkerB).size(), 34u);
}

}  // namespace
}  // namespace ravenlock
