// Replies built to hurt: deep nesting, values of the wrong kind, texts far beyond what a
// control shows, and more Discord members than any widget sends. Each reads like any
// malformed reply, or is cut to what the window can show.
#include <gtest/gtest.h>

#include <string>

#include "online/discord_widget.h"
#include "online/json_text.h"
#include "online/news_feed.h"
#include "online/server_status.h"
#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {
namespace {

std::string Nested(size_t depth, const std::string& inner) {
    return std::string(depth, '[') + inner + std::string(depth, ']');
}

std::string NewsWithTitle(const std::string& titleJson, const std::string& blurb = "b") {
    std::string entries;
    for (int i = 0; i < 3; ++i)
        entries += std::string(i ? "," : "") + R"({"title":)" + (i ? "\"t\"" : titleJson) + R"(,"url":"/u","blurb":")" +
                   blurb + R"(","image":"//i.example/a.jpg"})";
    return R"({"entries":[)" + entries + "]}";
}

std::string StatusWith(const std::string& statusJson) {
    return R"({"components":[{"name":"Fallout 76","status":)" + statusJson + "}]}";
}

std::string WidgetWith(const std::string& nameJson, const std::string& members = "[]",
                       const std::string& channels = "[]") {
    return R"({"name":)" + nameJson + R"(,"presence_count":1,"members":)" + members + R"(,"channels":)" + channels + "}";
}

TEST(HostileReplies, DeepNestingFailsLikeAnyMalformedReply) {
    // 20 000 levels used to overflow the stack when read as text.
    for (const size_t depth : {65u, 20000u}) {
        const std::string deep = Nested(depth, "\"x\"");
        const NewsFill news = FillNewsFromReply(NewsWithTitle(deep));
        EXPECT_FALSE(news.ok) << depth;
        EXPECT_FALSE(news.entries[0].title) << depth;
        EXPECT_EQ(StatusTextFromReply(StatusWith(deep)), kParseErrorText) << depth;
        const DiscordFill widget = FillDiscordFromReply(WidgetWith(deep));
        EXPECT_FALSE(widget.ok) << depth;
        EXPECT_EQ(widget.label, kParseErrorText) << depth;
        EXPECT_THROW(ParseJsonReply(deep), AppError) << depth;
    }
    // The cap counts every level, the reply's own included; 64 is still read.
    EXPECT_NO_THROW(ParseJsonReply(Nested(kMaxJsonDepth, "1")));
    EXPECT_THROW(ParseJsonReply(Nested(kMaxJsonDepth + 1, "1")), AppError);
    EXPECT_NO_THROW(ParseJsonReply(std::string(R"({"entries":)") + Nested(kMaxJsonDepth - 1, "1") + "}"));
}

TEST(HostileReplies, ObjectOrArrayWhereTextBelongsIsAFailedParse) {
    const struct {
        const char* what;
        std::string value;
    } cases[] = {{"object", R"({"a":1})"}, {"array", R"([1,"x"])"}, {"empty object", "{}"}, {"empty array", "[]"}};
    for (const auto& c : cases) {
        const NewsFill news = FillNewsFromReply(NewsWithTitle(c.value));
        EXPECT_FALSE(news.ok) << c.what;
        EXPECT_FALSE(news.entries[0].title) << c.what;  // never "{"a":"\u0001num:1"}" in a title
        EXPECT_EQ(StatusTextFromReply(StatusWith(c.value)), kParseErrorText) << c.what;
        const DiscordFill widget =
            FillDiscordFromReply(WidgetWith("\"S\"", R"([{"username":)" + c.value + R"(,"status":"online"}])"));
        EXPECT_FALSE(widget.ok) << c.what;
        EXPECT_TRUE(widget.rows.empty() || widget.rows[0].empty()) << c.what;
        EXPECT_THROW(JsonText(ParseJsonReply(c.value)), AppError) << c.what;
    }
}

TEST(HostileReplies, NumbersKeepTheirTextAndStringsStayStrings) {
    const auto doc = ParseJsonReply(
        R"({"negzero":-0,"negzerof":-0.0,"exp":1E+2,"mark":"\u0001num:7","markonly":"\u0001num:","nul":"a\u0000b"})");
    const struct {
        const char* key;
        std::wstring text;
    } cases[] = {{"negzero", L"-0"},
                 {"negzerof", L"-0.0"},
                 {"exp", L"1E+2"},
                 {"mark", std::wstring(L"\u0001num:7")},
                 {"markonly", std::wstring(L"\u0001num:")},
                 {"nul", std::wstring(L"a\0b", 3)}};
    for (const auto& c : cases) EXPECT_EQ(JsonMemberText(doc, c.key), c.text) << c.key;
    // A reply that is one number, with and without blanks around it.
    for (const char* body : {"-0", " -0 ", "\n-0\t"}) EXPECT_EQ(JsonText(ParseJsonReply(body)), L"-0") << body;
}

TEST(HostileReplies, NetworkTextsAreBoundedToWhatTheirControlShows) {
    // News: the title is cut with "...", the summary to its bound.
    const std::string longText = std::string(3'000'000, 'x');
    const NewsFill news = FillNewsFromReply(NewsWithTitle("\"" + longText + "\"", longText));
    ASSERT_TRUE(news.ok);
    EXPECT_EQ(news.entries[0].title->size(), kNewsTitleMax + 3);
    EXPECT_EQ(news.entries[0].blurb->size(), kNewsSummaryMax);

    // A status the program does not know, shown as it came but no longer than the line.
    EXPECT_EQ(StatusTextFromReply(StatusWith("\"" + longText + "\"")), std::wstring(kStatusValueMax, L'x'));

    // Discord: the server name, the count and every cell.
    const std::string name = "\"" + std::string(5000, 'n') + "\"";
    const std::string member = R"({"username":")" + longText + R"(","status":")" + std::string(400, 's') +
                               R"(","channel_id":"1","game":{"name":")" + std::string(400, 'g') + R"("}})";
    const std::string channels = R"([{"id":"1","name":")" + std::string(400, 'c') + R"("}])";
    const DiscordFill widget = FillDiscordFromReply(WidgetWith(name, "[" + member + "]", channels));
    ASSERT_TRUE(widget.ok);
    EXPECT_EQ(widget.label, L"Сервер \"" + std::wstring(kDiscordNameMax, L'n') + L"\". Участников в сети: 1");
    ASSERT_EQ(widget.rows.size(), 1u);
    for (const wchar_t fill : {L'x', L's', L'c', L'g'}) {
        const size_t cell = fill == L'x' ? 0 : fill == L's' ? 1 : fill == L'c' ? 2 : 3;
        EXPECT_EQ(widget.rows[0][cell], std::wstring(kDiscordCellMax, fill)) << cell;
    }
}

TEST(HostileReplies, CutNeverSplitsASurrogatePair) {
    const std::wstring smiles = Utf8ToWide("\xF0\x9F\x98\x80\xF0\x9F\x98\x80");  // two pairs: four units
    EXPECT_EQ(CutText(smiles, 4), smiles);
    EXPECT_EQ(CutText(smiles, 3), smiles.substr(0, 2));
    EXPECT_EQ(CutText(smiles, 1), L"");
    EXPECT_EQ(CutText(L"abc", 0), L"");
}

TEST(HostileReplies, DiscordRowsStopAtAWidgetsWorth) {
    // Ten thousand members, each in one of ten thousand channels: capped, and every
    // channel still found by its id.
    std::string members, channels;
    for (int i = 0; i < 10000; ++i) {
        const std::string id = std::to_string(i);
        members += std::string(i ? "," : "") + R"({"username":"u)" + id + R"(","status":"online","channel_id":")" + id + "\"}";
        channels += std::string(i ? "," : "") + R"({"id":")" + id + R"(","name":"c)" + id + "\"}";
    }
    const DiscordFill widget = FillDiscordFromReply(WidgetWith("\"S\"", "[" + members + "]", "[" + channels + "]"));
    ASSERT_TRUE(widget.ok);
    ASSERT_EQ(widget.rows.size(), kDiscordRowsMax);
    EXPECT_EQ(widget.rows.back(), (std::vector<std::wstring>{L"u299", L"В сети", L"c299", L"Нет данных"}));
}

}  // namespace
}  // namespace ravenlock
