#include <gtest/gtest.h>

#include "diagnostics/diagnostics_rules.h"

namespace ravenlock {
namespace {

TEST(DiagnosticsRules, ReportIsNineCrLfLines) {
    const std::vector<std::wstring> lines = {
        L"Центральный процессор: Example CPU  ", L"Частота центрального процессора: 3600 MHz",
        L"Ядер центрального процессора: 8",      L"Размер оперативной памяти: 8191",
        L"Графический процессор: Example GPU",   L"Разрешение экрана: 1920 X 1080",
        L"Имя ПК: DESKTOP",                      L"Операционная система: Windows 10 Pro ",
        L"Количество процессов: 142"};
    const std::wstring text = ReportText(lines);
    EXPECT_EQ(text.substr(0, 38), L"Центральный процессор: Example CPU  \r\n");  // trailing blanks kept
    EXPECT_EQ(text.substr(text.size() - 27), L"Количество процессов: 142\r\n");
    size_t breaks = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++breaks;
    EXPECT_EQ(breaks, 9u);
}

TEST(DiagnosticsRules, MemoryIsFlooredToMiB) {
    const struct {
        uint64_t bytes, mib;
    } cases[] = {{8'589'934'591ull, 8191}, {34'359'738'368ull, 32768}, {1'048'575, 0}, {0, 0}};
    for (const auto& c : cases) EXPECT_EQ(BytesToMiB(c.bytes), c.mib) << c.bytes;
}

TEST(DiagnosticsRules, DumpRowLeavesMidnightOut) {
    EXPECT_EQ(DumpRowText(L"A.dmp", L"25.10.2022", L"9:05:07", false), L"A.dmp | 25.10.2022 9:05:07");
    EXPECT_EQ(DumpRowText(L"b.dmp", L"26.10.2022", L"0:00:00", true), L"b.dmp | 26.10.2022");
}

TEST(DiagnosticsRules, DiscordUpdaterPath) {
    const struct {
        std::wstring value, path;
    } cases[] = {
        {L"abcdC:\\Users\\u\\AppData\\Local\\Discord\\app-1.0.9007\\modules",
         L"C:\\Users\\u\\AppData\\Local\\Discord\\Update.exe"},     // \AppData does not match: case-sensitive
        {L"abcdC:\\Discord\\App-1.0\\modules", L"\\Update.exe"},      // only a capital A: nothing before
        {L"C:\\Discord\\modules", L"\\Update.exe"},                   // no "\app" at all
        {L"ab\\app", L"\\Update.exe"},                                // shorter than five characters before it
        {L"abc", L"\\Update.exe"},
        {L"", L"\\Update.exe"},
        {L"abcdX\\app", L"X\\Update.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(DiscordUpdaterFromValue(c.value), c.path) << c.value;
}

TEST(DiagnosticsRules, ThumbnailsByFileNameAlone) {
    const struct {
        std::wstring name;
        bool thumbnail;
    } cases[] = {
        {L"a-thumbnail.png", true},
        {L"a.png", false},
        {L"a-Thumbnail.png", false},  // case-sensitive
        // A folder's name never counts: every PNG of "my-thumbnails" is a photo.
        {L"my-thumbnails\\a.png", false},
        {L"C:\\Photos\\old-thumbnail\\a.png", false},
        {L"x-thumbnail/a.png", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsThumbnailName(c.name), c.thumbnail) << c.name;
}

}  // namespace
}  // namespace ravenlock
