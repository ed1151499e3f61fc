// The online tabs' downloads against the stand-in services (scripts/test.sh starts them
// and names them in RAVENLOCK_SERVICE_BASE): news pictures of both formats and hostile
// ones, the launch-codes pages and the Discord widgets of several servers.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

#include "online/discord_widget.h"
#include "online/launch_codes.h"
#include "online/news_feed.h"
#include "online/online_fetch.h"
#include "platform/app_error.h"
#include "platform/http_client.h"

namespace ravenlock {
namespace {

std::wstring Env(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : L"";
}

class OnlineFetchTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (Env(L"RAVENLOCK_SERVICE_BASE").empty() || Env(L"RAVENLOCK_SCENARIO_FILE").empty())
            GTEST_SKIP() << "the stand-in services are not running (start the tests through scripts/test.sh)";
    }
    void TearDown() override {
        if (!Env(L"RAVENLOCK_SCENARIO_FILE").empty()) Scenario("operational");
    }
    static void Scenario(const char* name) {
        std::ofstream(std::filesystem::path(Env(L"RAVENLOCK_SCENARIO_FILE")), std::ios::trunc) << name;
    }
    HttpClient http_;
};

// The picture's size, or the message of the error it raised.
struct Outcome {
    int width = 0, height = 0;
    std::wstring error;
    bool operator==(const Outcome&) const = default;
};

Outcome TryPicture(const HttpClient& http, const std::wstring& url) {
    try {
        const Picture p = DownloadNewsPicture(http, url);
        return {p.width, p.height, L""};
    } catch (const AppError& e) {
        return {0, 0, e.Message()};
    }
}

void PrintTo(const Outcome& o, std::ostream* os) { *os << o.width << "x" << o.height << " error " << o.error.size(); }

TEST_F(OnlineFetchTest, NewsPicturesByContentOverHttpsOnly) {
    const std::wstring cdn = L"https://cdn.ravenlock.invalid/news/";
    const Outcome load{0, 0, kNewsPictureLoadError}, format{0, 0, kNewsPictureFormatError};
    const struct {
        const char* scenario;
        std::wstring url;
        Outcome outcome;
    } cases[] = {
        {"operational", cdn + L"vault_party.jpg?w=1920&q=80", {800, 480, L""}},
        {"operational", cdn + L"season_scoreboard.jpg", {640, 384, L""}},
        {"operational", cdn + L"atomic_shop.png", {400, 240, L""}},
        {"operational", cdn + L"missing.jpg", format},               // a 404 page is no picture
        {"news_bad_picture", cdn + L"not_a_picture.jpg", format},    // named .jpg, holds HTML
        {"news_bad_picture", cdn + L"huge_header.png", format},      // 100000 x 100000 claimed
        {"operational", L"http://cdn.ravenlock.invalid/news/vault_party.jpg", load},  // plain http: not asked for
        {"operational", L"", load},                                   // a slot that got no news
        {"operational", L"https:", load},
        {"down", cdn + L"vault_party.jpg", load},
    };
    for (const auto& c : cases) {
        Scenario(c.scenario);
        EXPECT_EQ(TryPicture(http_, c.url), c.outcome) << c.scenario << " " << c.url;
    }
}

TEST_F(OnlineFetchTest, NewsReplyLeadsToItsPictures) {
    const auto reply = http_.Get(ServiceUrl(kNewsUrl));
    ASSERT_TRUE(reply);
    const NewsFill fill = FillNewsFromReply(reply->body);
    ASSERT_TRUE(fill.ok);
    const struct {
        size_t titleLength;
        std::wstring pictureUrl;
        int width;
    } expected[] = {
        {97, L"https://cdn.ravenlock.invalid/news/vault_party.jpg?w=1920&q=80", 800},
        {35, L"https://cdn.ravenlock.invalid/news/season_scoreboard.jpg", 640},
        {28, L"https://cdn.ravenlock.invalid/news/atomic_shop.png", 400},
    };
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(fill.entries[k].title.value_or(L"").size(), expected[k].titleLength) << k;
        EXPECT_EQ(fill.entries[k].pictureUrl.value_or(L""), expected[k].pictureUrl) << k;
        EXPECT_EQ(TryPicture(http_, expected[k].pictureUrl).width, expected[k].width) << k;
    }
    EXPECT_EQ(fill.entries[0].title.value_or(L"").substr(94), L"...");
    // The first picture is the one drawn for it: dark blue at the top left.
    const Picture first = DownloadNewsPicture(http_, expected[0].pictureUrl);
    const std::array<int, 3> bgr{first.bgra[0], first.bgra[1], first.bgra[2]}, want{0x6a, 0x3b, 0x1d};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(bgr[i], want[i], 16) << "channel " << i;
}

TEST_F(OnlineFetchTest, LaunchCodesCutFromThePages) {
    const struct {
        const char* scenario;
        std::array<std::wstring, 3> codes;
    } cases[] = {
        // Cyrillic text puts a decoy marker past byte 5446 but before character 5446.
        {"operational", {L"47291835", L"90317462", L"13579024"}},
        {"codes_b_before_5446", {L"11223344", L"55667788", L"ad><meta"}},
        {"codes_no_markers", {L"ad><meta", L"ad><meta", L"ad><meta"}},
    };
    for (const auto& c : cases) {
        Scenario(c.scenario);
        const auto rows = LaunchCodeRows(DownloadLaunchCodesPage(http_));
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(rows[i].second, c.codes[i]) << c.scenario << " row " << i;
    }
    Scenario("down");
    try {
        DownloadLaunchCodesPage(http_);
        ADD_FAILURE() << "a dropped connection gave a page";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), kLaunchCodesLoadError);
    }
}

TEST_F(OnlineFetchTest, DiscordWidgetsOfSeveralServers) {
    using Rows = std::vector<std::vector<std::wstring>>;
    const struct {
        const char* scenario;
        std::wstring id;
        bool replied;
        std::wstring label, invite;
        Rows rows;
    } cases[] = {
        {"operational", L"111111111111111111", true, L"Сервер \"Убежище 76\". Участников в сети: 4",
         L"https://discord.com/invite/vault76",
         {{L"Смотритель", L"В сети", L"Рейды", L"Fallout 76"},
          {L"Dweller", L"Не активен", L"Нет данных", L"Нет данных"},
          {L"Писец", L"Не беспокоить", L"Общий голосовой", L"Нет данных"},
          {L"Гуль", L"streaming", L"Нет данных", L"Nuka Quest"}}},
        {"operational", L"222222222222222222", true, L"Сервер \"Тихий сервер\". Участников в сети: 0",
         L"https://discord.com/invite/quiet", {}},
        {"operational", L"333333333333333333", true, L"Сервер \"Без приглашения\". Участников в сети: 1", L"",
         {{L"Одиночка", L"В сети", L"Общий голосовой", L"Нет данных"}}},
        {"operational", L"444444444444444444", true, L"Сервер \"Старое приглашение\". Участников в сети: 1", L"",
         {{L"Курьер", L"В сети", L"Нет данных", L"Нет данных"}}},
        {"operational", L"555555555555555555", true, L"Ошибка разбора данных", L"",
         {{L"Первый", L"В сети", L"Нет данных", L"Нет данных"}, {L"Второй", L"Не активен", L"Нет данных"}}},
        {"operational", L"666666666666666666", true, L"Ошибка разбора данных", L"", {}},
        {"operational", L"999999999999999999", true, L"Ошибка разбора данных", L"", {}},  // 404
        {"operational", L"111/../../users", false, L"", L"", {}},  // not digits: no request
        {"down", L"111111111111111111", false, L"", L"", {}},
    };
    for (const auto& c : cases) {
        Scenario(c.scenario);
        const auto reply = FetchDiscordWidget(http_, c.id);
        ASSERT_EQ(reply.has_value(), c.replied) << c.id;
        if (!reply) continue;
        const DiscordFill fill = FillDiscordFromReply(*reply);
        EXPECT_EQ(fill.label, c.label) << c.id;
        EXPECT_EQ(fill.inviteUrl.value_or(L""), c.invite) << c.id;
        EXPECT_EQ(fill.rows, c.rows) << c.id;
    }
}

}  // namespace
}  // namespace ravenlock
