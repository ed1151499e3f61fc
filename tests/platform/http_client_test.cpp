// The HTTP client against the stand-in services that the test command starts on
// 127.0.0.1 (RAVENLOCK_SERVICE_BASE), switched between scenarios through the file that
// RAVENLOCK_SCENARIO_FILE names.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "online/server_status.h"
#include "platform/http_client.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using namespace std::chrono_literals;

std::wstring Env(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : L"";
}

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = Env(L"RAVENLOCK_SERVICE_BASE");
        if (base_.empty() || Env(L"RAVENLOCK_SCENARIO_FILE").empty())
            GTEST_SKIP() << "the stand-in services are not running (start the tests through scripts/test.sh)";
    }
    void TearDown() override {
        if (!base_.empty()) Scenario("operational");
    }
    static void Scenario(const char* name) {
        std::ofstream(std::filesystem::path(Env(L"RAVENLOCK_SCENARIO_FILE")), std::ios::trunc) << name;
    }
    std::wstring base_;
    HttpClient http_;
};

TEST_F(HttpClientTest, ServiceAddressesGoToTheStandIn) {
    EXPECT_EQ(ServiceUrl(kStatusUrl), base_ + L"/en/api/statuses");
    Scenario("operational");
    const auto reply = http_.Get(ServiceUrl(kStatusUrl));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200u);
    EXPECT_EQ(StatusTextFromReply(reply->body), L"В норме");
}

TEST_F(HttpClientTest, AnErrorPageIsStillABody) {
    Scenario("error_page");
    const auto reply = http_.Get(ServiceUrl(kStatusUrl));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 500u);
    EXPECT_NE(reply->body.find("Bad Gateway"), std::string::npos);
    EXPECT_EQ(StatusTextFromReply(reply->body), L"Ошибка разбора данных");
}

TEST_F(HttpClientTest, BodyTextFollowsTheDeclaredCharset) {
    const auto reply = http_.Get(base_ + L"/__test/cp1251");
    ASSERT_TRUE(reply);
    EXPECT_EQ(BodyText(*reply), L"Коды запуска");
}

TEST_F(HttpClientTest, FailuresEndAsNothingWithinTheDeadline) {
    const struct {
        const char* scenario;
        std::wstring url;
        std::chrono::milliseconds deadline;
    } cases[] = {
        {"slow", ServiceUrl(kStatusUrl), 3s},          // no answer before the deadline
        {"operational", base_ + L"/__test/trickle", 3s},  // answers, but too slowly
        {"operational", base_ + L"/__test/big", 15s},  // more than any honest reply
        {"down", ServiceUrl(kStatusUrl), 15s},         // connection dropped
        {"operational", L"http://127.0.0.1:1/en/api/statuses", 15s},  // nobody listening
        {"operational", L"no address at all", 15s},
    };
    for (const auto& c : cases) {
        Scenario(c.scenario);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(http_.Get(c.url, c.deadline)) << c.url;
        // The bound is generous: what matters is that the request ends at all.
        EXPECT_LT(std::chrono::steady_clock::now() - start, c.deadline + 5s) << c.url;
    }
}

}  // namespace
}  // namespace ravenlock
