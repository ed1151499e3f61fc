// Which file decides a key, read as the game's profile reads do, over small fixtures of
// the three files.
#include <gtest/gtest.h>

#include "gameconfig/effective_settings.h"
#include "support/cp1251.h"

namespace ravenlock {
namespace {

using testing::kCp1251;

// "Fallout76Prefs.ini=1 Fallout76Custom.ini=2": every file that sets the key, in order.
std::wstring Setters(const EffectiveSettings& s, const wchar_t* section, const wchar_t* key) {
    std::wstring text;
    for (const auto& setter : s.SettersOf(section, key))
        text += (text.empty() ? L"" : L" ") + s.FileName(setter.file) + L"=" + setter.value;
    return text;
}

EffectiveSettings Read(std::optional<std::string> custom) {
    return EffectiveSettings({{L"Fallout76.ini", "[Display]\r\niSize W=1920\r\nbFull Screen=1\r\n"},
                              {L"Fallout76Prefs.ini",
                               "[Display]\r\n"
                               "iSize W = 1280\r\n"         // blanks around "="
                               "bFull Screen=0\r\n"
                               "bFull Screen=1\r\n"         // a second line of a key: not read
                               "[General]\r\n"
                               "sLanguage=ru\r\n"
                               "; bBorderless=1\r\n"
                               "[Display]\r\n"              // a repeated section: not read
                               "bBorderless=1\r\n"},
                              {L"Fallout76Custom.ini", std::move(custom)}},
                             kCp1251);
}

TEST(EffectiveSettings, TheLastFileThatSetsAKeyDecidesIt) {
    const std::string custom =
        "[display]\r\n"               // another letter case, the same section
        "ISIZE W=\"2560\"\r\n"        // another letter case, the same key; quotes dropped
        "iSize W=800\r\n"
        "[General]\r\n"
        "sLanguage  =  en  \r\n"
        "[Display]\r\n"
        "bFull Screen=0\r\n";
    const struct {
        std::optional<std::string> custom;
        const wchar_t *section, *key, *setters, *overridesPrefs;
    } cases[] = {
        {custom, L"Display", L"iSize W", L"Fallout76.ini=1920 Fallout76Prefs.ini=1280 Fallout76Custom.ini=2560", L"2560"},
        {custom, L"General", L"SLANGUAGE", L"Fallout76Prefs.ini=ru Fallout76Custom.ini=en", L"en"},
        {custom, L"Display", L"bFull Screen", L"Fallout76.ini=1 Fallout76Prefs.ini=0", L""},
        {custom, L"Display", L"bBorderless", L"", L""},
        {custom, L"Nowhere", L"iSize W", L"", L""},
        {std::nullopt, L"Display", L"iSize W", L"Fallout76.ini=1920 Fallout76Prefs.ini=1280", L""},
        {std::string(), L"General", L"sLanguage", L"Fallout76Prefs.ini=ru", L""},
    };
    for (const auto& c : cases) {
        const EffectiveSettings s = Read(c.custom);
        SCOPED_TRACE(std::wstring(c.section) + L"/" + c.key + (c.custom ? L"" : L" without Custom"));
        EXPECT_EQ(Setters(s, c.section, c.key), c.setters);
        const auto over = s.OverrideOf(1, c.section, c.key);
        EXPECT_EQ(over ? over->value : L"", c.overridesPrefs);
        if (over) {
            EXPECT_EQ(s.FileName(over->file), L"Fallout76Custom.ini");
        }
        // Nothing overrides the last file.
        EXPECT_FALSE(s.OverrideOf(2, c.section, c.key));
    }
}

TEST(EffectiveSettings, RemovingAKeyLeavesEveryOtherLine) {
    const std::vector<std::wstring> lines = {L"[Display]", L"iSize W=1", L" isize w = 2", L"; iSize W=3", L"bA=1",
                                             L"[General]", L"iSize W=4", L"[DISPLAY]", L"iSize W=5"};
    EXPECT_EQ(WithoutKey(lines, L"display", L"ISIZE W"),
              (std::vector<std::wstring>{L"[Display]", L"; iSize W=3", L"bA=1", L"[General]", L"iSize W=4",
                                         L"[DISPLAY]", L"iSize W=5"}));
    EXPECT_EQ(WithoutKey(lines, L"Nowhere", L"iSize W"), lines);
    EXPECT_EQ(OverriddenHint(L"Fallout76Custom.ini", L"Display", L"iSize W", L"800"),
              L"Не действует: значение задано в Fallout76Custom.ini ([Display] iSize W=800)");
}

TEST(EffectiveSettings, SettingAKeyChangesOnlyTheLineTheGameReads) {
    const std::vector<std::wstring> lines = {L"[Display]", L"; iSize W=0", L" isize w = 2", L"iSize W=3", L"bA=1",
                                             L"", L"[General]", L"iSize W=4", L"[DISPLAY]", L"iSize W=5"};
    const struct {
        const wchar_t *section, *key;
        std::vector<std::wstring> expected;
    } cases[] = {
        // The first line of the key in the first section: its spelling and blanks kept.
        {L"DISPLAY", L"iSize W",
         {L"[Display]", L"; iSize W=0", L" isize w = 1920", L"iSize W=3", L"bA=1", L"", L"[General]", L"iSize W=4",
          L"[DISPLAY]", L"iSize W=5"}},
        // A new key follows the section's last line, before the blank line.
        {L"display", L"iSize H",
         {L"[Display]", L"; iSize W=0", L" isize w = 2", L"iSize W=3", L"bA=1", L"iSize H=1920", L"", L"[General]",
          L"iSize W=4", L"[DISPLAY]", L"iSize W=5"}},
        // A new section ends the file.
        {L"Grass", L"fGrassStartFadeDistance",
         {L"[Display]", L"; iSize W=0", L" isize w = 2", L"iSize W=3", L"bA=1", L"", L"[General]", L"iSize W=4",
          L"[DISPLAY]", L"iSize W=5", L"[Grass]", L"fGrassStartFadeDistance=1920"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WithKeyValue(lines, c.section, c.key, L"1920"), c.expected) << c.key;
    EXPECT_EQ(WithKeyValue({}, L"MAIN", L"fHUDOpacity", L"0.5000"),
              (std::vector<std::wstring>{L"[MAIN]", L"fHUDOpacity=0.5000"}));
}

TEST(EffectiveSettings, EachLineOfTheEditedFileKnowsWhatOverridesIt) {
    const std::vector<std::wstring> prefs = {
        L"bLoose=1",              // above any header: a section without a name
        L"[Display]",
        L"iSize W = 1280",        // blanks around "="
        L"; iSize H=720",         // a comment sets nothing
        L"bFull Screen=0",
        L"BFULL SCREEN=1",        // a second line of the key, in another letter case
        L"iSize H=720",           // no later file sets it
        L"",
        L"[General]",
        L"iSize W=1",             // the same key in another section
        L"[display]",             // the section again
        L"iSize W=1280",
    };
    const std::vector<const wchar_t*> expected = {L"0",  L"", L"2560", L"", L"1", L"1",
                                                  L"",   L"", L"",     L"", L"", L"2560"};
    const std::string custom =
        "bLoose=0\r\n[DISPLAY]\r\nisize w = \"2560\"\r\nbFull Screen=1\r\n"
        "[Display]\r\niSize H=1\r\n";  // a repeated section: not read
    const EffectiveSettings s = Read(custom);
    const auto overrides = s.LineOverrides(1, prefs);
    ASSERT_EQ(overrides.size(), prefs.size());
    for (size_t i = 0; i < prefs.size(); ++i) {
        SCOPED_TRACE(prefs[i]);
        EXPECT_EQ(overrides[i] ? overrides[i]->value : L"", expected[i]);
        if (overrides[i]) {
            EXPECT_EQ(s.FileName(overrides[i]->file), L"Fallout76Custom.ini");
        }
    }
    // Without the later file, or with one it cannot read, nothing is overridden.
    for (const auto& lines : Read(std::nullopt).LineOverrides(1, prefs)) EXPECT_FALSE(lines);
    EXPECT_EQ(EffectiveValueNote(L"Fallout76Custom.ini", L"2560"), L"Действует: 2560 из Fallout76Custom.ini");
}

}  // namespace
}  // namespace ravenlock
