#include <gtest/gtest.h>

#include "online/check_gate.h"
#include "online/json_text.h"
#include "online/server_status.h"
#include "online/service_url.h"
#include "platform/app_error.h"

namespace ravenlock {
namespace {

std::string Reply(const std::string& components) {
    return R"({"page":{"name":"Bethesda"},"components":)" + components + "}";
}

TEST(ServerStatus, ReplyToStatusText) {
    const std::string f76 = R"({"name":"Fallout 76","status":)";
    const struct {
        std::string body;
        std::wstring text;
    } cases[] = {
        {Reply("[" + f76 + R"("operational"}])"), L"В норме"},
        {Reply("[" + f76 + R"("under_maintenance"}])"), L"Техническое обслуживание"},
        {Reply("[" + f76 + R"("partial_outage"}])"), L"Частичное отключение"},
        {Reply("[" + f76 + R"("major_outage"}])"), L"Полное отключение"},
        {Reply("[" + f76 + R"("degraded_performance"}])"), L"degraded_performance"},  // unknown: as it came
        {Reply(R"([{"name":"ESO","status":"major_outage"},)" + f76 + R"("operational"},)" + f76 + R"("major_outage"}])"),
         L"В норме"},                                                                     // the first match decides
        {Reply(R"([{"name":"Fallout 76 PTS","status":"operational"}])"), L""},            // no such component
        {Reply(R"([{"name":"fallout 76","status":"operational"}])") + R"( "Fallout 76")", L"Ошибка разбора данных"},
        {R"({"components":[],"note":"Fallout 76"})", L""},                                // empty array
        {R"({"components":{"name":"Fallout 76"}})", L"Ошибка разбора данных"},             // not an array
        {R"({"note":"Fallout 76"})", L"Ошибка разбора данных"},                            // no components
        {Reply(R"([{"id":1,"status":"operational"},)" + f76 + R"("operational"}])"), L"Ошибка разбора данных"},  // no name
        {Reply(R"([{"name":"Fallout 76"}])"), L"Ошибка разбора данных"},                   // matched, no status
        {Reply(R"([{"name":"Fallout 76","status":3}])"), L"3"},                            // a number, as its text
        {R"({"components":[{"name":"Fallout76","status":"operational"}]})", L"Ошибка разбора данных"},  // no "Fallout 76"
        {"<html>Fallout 76 is down</html>", L"Ошибка разбора данных"},                     // not JSON
        {"", L"Ошибка разбора данных"},
        {R"(["Fallout 76"])", L"Ошибка разбора данных"},                                   // not an object
    };
    for (const auto& c : cases) EXPECT_EQ(StatusTextFromReply(c.body), c.text) << c.body;
}

TEST(ServerStatus, LookOfTheLineAndTheButton) {
    const struct {
        std::wstring text;
        uint8_t r, g, b;
        bool enabled;
    } cases[] = {
        {L"В норме", 255, 255, 0, true},
        {L"Частичное отключение", 255, 255, 0, true},
        {L"в норме", 255, 0, 0, false},  // compared exactly
        {L"Техническое обслуживание", 255, 0, 0, false},
        {L"Полное отключение", 255, 0, 0, false},
        {L"Ошибка разбора данных", 255, 0, 0, false},
        {L"", 255, 0, 0, false},
    };
    for (const auto& c : cases) {
        const StatusLook look = LookOfStatus(c.text);
        EXPECT_EQ(std::make_tuple(look.r, look.g, look.b, look.enableRunButton), std::make_tuple(c.r, c.g, c.b, c.enabled))
            << c.text;
    }
    const StatusLook loading = LookWhileLoading();
    EXPECT_EQ(std::make_tuple(loading.r, loading.g, loading.b, loading.enableRunButton),
              std::make_tuple(uint8_t{255}, uint8_t{255}, uint8_t{255}, false));
}

TEST(JsonText, ValuesReadAsTheirText) {
    const auto doc = ParseJsonReply(
        R"({"s":"Привет","i":0,"si":"0","f":1.50,"e":2e3,"neg":-12,"big":12345678901234567890,"t":true,"n":null,"o":{"a":[1,"x"]}})");
    const struct {
        const char* key;
        std::wstring text;
    } cases[] = {{"s", L"Привет"}, {"i", L"0"},          {"si", L"0"},     {"f", L"1.50"}, {"e", L"2e3"},
                 {"neg", L"-12"},  {"big", L"12345678901234567890"}, {"t", L"true"}, {"n", L""}};
    for (const auto& c : cases) EXPECT_EQ(JsonMemberText(doc, c.key), c.text) << c.key;
    EXPECT_EQ(JsonText(JsonElement(JsonMember(JsonMember(doc, "o"), "a"), 1)), L"x");
    EXPECT_THROW(JsonMember(doc, "missing"), AppError);
    EXPECT_THROW(JsonMember(doc, "S"), AppError);  // keys match exactly
    EXPECT_THROW(JsonElement(JsonMember(JsonMember(doc, "o"), "a"), 2), AppError);
    EXPECT_THROW(JsonMember(JsonMember(doc, "s"), "x"), AppError);  // not an object
    for (const char* broken : {"", "{", "{\"a\":}", "[1,]", "nul", "{\"a\":1} x"})
        EXPECT_THROW(ParseJsonReply(broken), AppError) << broken;
}

TEST(ServiceUrl, BaseReplacesSchemeAndHostOnly) {
    const struct {
        std::wstring url, base, out;
    } cases[] = {
        {L"https://status.bethesda.net/en/api/statuses", L"", L"https://status.bethesda.net/en/api/statuses"},
        {L"https://status.bethesda.net/en/api/statuses", L"http://127.0.0.1:8076",
         L"http://127.0.0.1:8076/en/api/statuses"},
        {L"https://fallout.bethesda.net/api/v1/components/news?games=&offset=0-0&lang=ru", L"http://127.0.0.1:9/",
         L"http://127.0.0.1:9/api/v1/components/news?games=&offset=0-0&lang=ru"},
        {L"https://discord.com", L"http://localhost:1", L"http://localhost:1"},
        {L"https://x.example/a", L"not a base", L"https://x.example/a"},
        {L"https://x.example/a", L"://nohost", L"https://x.example/a"},
        {L"https://x.example/a", L"http://[::1]:8076", L"http://[::1]:8076/a"},
        {L"https://x.example/a", L"https://127.10.0.1", L"https://127.10.0.1/a"},
        // Beyond this machine the switch is ignored: plain http to anyone else is no mirror.
        {L"https://x.example/a", L"http://evil.example:80", L"https://x.example/a"},
        {L"https://x.example/a", L"http://127.0.0.1.evil.example", L"https://x.example/a"},
        {L"https://x.example/a", L"http://localhost.evil.example", L"https://x.example/a"},
        {L"https://x.example/a", L"http://10.0.0.1:8076", L"https://x.example/a"},
        {L"https://x.example/a", L"http://[::1].evil", L"https://x.example/a"},
        {L"https://x.example/a", L"http://user@127.0.0.1", L"https://x.example/a"},
    };
    for (const auto& c : cases) EXPECT_EQ(RebaseUrl(c.url, c.base), c.out) << c.url << L" + " << c.base;
}

TEST(CheckGate, OneInFlightOneMoreDueAndOnlyTheLatestCounts) {
    CheckGate gate;
    const auto first = gate.Request();
    ASSERT_TRUE(first);
    // Paints while it runs: no second check, one more due.
    EXPECT_FALSE(gate.Request());
    EXPECT_FALSE(gate.Request());
    EXPECT_TRUE(gate.IsLatest(*first));
    const auto second = gate.Finished(*first);
    ASSERT_TRUE(second);  // exactly one follows, however many paints came
    EXPECT_FALSE(gate.IsLatest(*first));  // a late hand-over of the first no longer counts
    EXPECT_TRUE(gate.IsLatest(*second));
    EXPECT_FALSE(gate.Finished(*second));  // nothing more was asked
    // Idle again: the next request starts at once.
    const auto third = gate.Request();
    ASSERT_TRUE(third);
    // Forgetting drops what is on its way; its end starts nothing.
    EXPECT_FALSE(gate.Request());
    gate.Forget();
    EXPECT_FALSE(gate.IsLatest(*third));
    EXPECT_FALSE(gate.Finished(*third));
    const auto fourth = gate.Request();
    ASSERT_TRUE(fourth);
    EXPECT_TRUE(gate.IsLatest(*fourth));
    EXPECT_FALSE(gate.Finished(*third));  // the forgotten one ending late changes nothing
    EXPECT_FALSE(gate.Request());
}

}  // namespace
}  // namespace ravenlock
