// The Game tab's language switch: what it shows after start-up for the value in
// Fallout76.ini, and what it writes there, at start-up and when it is clicked.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "disk_files.h"
#include "program_test.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

using LanguageSwitch = ProgramTest;

TEST_F(LanguageSwitch, FollowsTheStoredLanguageAndWritesEachToggle) {
    const struct {
        const wchar_t* line;  // nullptr: no sLanguage key
        const wchar_t* shown;
        const wchar_t* written;  // at start-up; nullptr: nothing
        const wchar_t* shownAfterClick;
        const wchar_t* writtenByClick;
    } cases[] = {
        {L"sLanguage=\"en\"", L"EN", L"en", L"RU", L"ru"},
        {L"sLanguage=\"ru\"", L"RU", nullptr, L"EN", L"en"},
        {L"sLanguage=\"RU\"", L"RU", nullptr, L"EN", L"en"},  // values compare case-sensitively
        {nullptr, L"RU", nullptr, L"EN", L"en"},
    };
    const std::wstring ini = ProfilePath(L"Fallout76.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line ? c.line : L"no key");
        Reset();
        // Values in quotes: the program reads through them and writes without them.
        std::vector<std::wstring> lines = {L"[General]", L"uGridsToLoad=\"5\"", L"[Display]", L"fDefaultFOV=\"80.0000\""};
        if (c.line) lines.insert(lines.begin() + 1, c.line);
        ASSERT_TRUE(WriteProfileFile(L"Fallout76.ini", lines));
        IniEntries expected = ReadIniEntries(ini);

        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(Settle(Window()));
        HWND sw = On(ids::kTabGame, ids::kLanguageSwitch);
        EXPECT_EQ(TextOf(sw), c.shown);
        EXPECT_TRUE(IsEnabled(sw));
        if (c.written) expected[{L"General", L"sLanguage"}] = c.written;
        EXPECT_EQ(ReadIniEntries(ini), expected);

        PostLeftClick(sw);
        expected[{L"General", L"sLanguage"}] = c.writtenByClick;
        EXPECT_TRUE(WaitFor([&] { return ReadIniEntries(ini) == expected; })) << ReadBytes(ini).value_or("(no file)");
        EXPECT_EQ(TextOf(sw), c.shownAfterClick);
    }
}

TEST_F(LanguageSwitch, WithoutTheMainFileStaysOnAndDisabled) {
    ASSERT_TRUE(DeleteFileAnyway(ProfilePath(L"Fallout76.ini")));
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(Settle(Window()));
    HWND sw = On(ids::kTabGame, ids::kLanguageSwitch);
    EXPECT_EQ(TextOf(sw), L"RU");
    EXPECT_FALSE(IsEnabled(sw));
    PostLeftClick(sw);
    ASSERT_TRUE(Settle(Window()));
    EXPECT_EQ(TextOf(sw), L"RU");
    EXPECT_FALSE(ExistsAsFile(ProfilePath(L"Fallout76.ini")));
}

}  // namespace
}  // namespace e2e
