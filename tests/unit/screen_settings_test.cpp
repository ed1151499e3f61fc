// The "Экран и управление" table: for every control the file, section and keys it writes,
// the exact text at two states, and how odd values in the files read. Run under the
// Russian locale, whose decimal separator is a comma, so that a number formatted through
// the C library would show here.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "gameconfig/screen_settings.h"

namespace ravenlock {
namespace {

constexpr auto P = ScreenFile::Prefs;
constexpr auto C = ScreenFile::Custom;

class ScreenTable : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"", "ru_RU.UTF-8", "Russian_Russia.1251"})
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
                commaLocale_ = true;
                return;
            }
#ifdef _WIN32
        FAIL() << "the test lab runs with Russian regional settings, but the locale's decimal point is not a comma";
#endif
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
    bool commaLocale_ = false;
};

// The writes of a row at a state: a slider's position, a check box's 1 or 0, a window
// mode's index, a resolution's width (height 1080).
std::vector<KeyWrite> WritesAt(ScreenRow row, int state) {
    const ScreenSetting& s = ScreenSettings()[row];
    switch (s.kind) {
        case ScreenKind::Slider: return SliderWrites(s, state);
        case ScreenKind::Check: return CheckWrites(s, state != 0);
        case ScreenKind::WindowMode: return WindowModeWrites(static_cast<size_t>(state));
        case ScreenKind::Resolution: return SizeWrites({state, 1080});
        case ScreenKind::VerticalFix: return VerticalFixWrites(state != 0, {2560, 1080});
    }
    return {};
}

// What the control shows of a value in the files (the first key; the other keys of a
// resolution, window mode or the vertical fix as the game's default or a sane value),
// and its value label: "" for none.
std::pair<int, std::wstring> Reading(ScreenRow row, const std::wstring& raw) {
    const ScreenSetting& s = ScreenSettings()[row];
    switch (s.kind) {
        case ScreenKind::Slider: {
            const auto r = ReadSlider(s, raw);
            return {r.position, r.note.value_or(L"")};
        }
        case ScreenKind::Check: {
            const auto r = ReadCheck(s, raw);
            return {r.checked, r.note.value_or(L"")};
        }
        case ScreenKind::WindowMode: return {static_cast<int>(ReadWindowMode(raw, std::nullopt, std::nullopt)), L""};
        case ScreenKind::Resolution: {
            const auto r = ReadSize(raw, L"1080");
            return {r.size.width, r.note.value_or(L"")};
        }
        case ScreenKind::VerticalFix: {
            const auto r = ReadVerticalFix(raw, L"0.0373");
            return {r.checked, r.note.value_or(L"")};
        }
    }
    return {};
}

// "|" between the values written to the row's keys, "-" for a removed key.
std::wstring Values(const std::vector<KeyWrite>& writes) {
    std::wstring text;
    for (const auto& w : writes) text += (text.empty() ? L"" : L"|") + w.value.value_or(L"-");
    return text;
}

struct Odd {
    const wchar_t* raw;
    int state;
    const wchar_t* label;  // "" when the value reads as it is
};

struct Row {
    ScreenRow row;
    const wchar_t* caption;
    ScreenFile file;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> keys;
    int stateA;
    const wchar_t* writtenA;
    int stateB;
    const wchar_t* writtenB;
    std::vector<Odd> odd;
};

TEST_F(ScreenTable, EveryControlWritesItsKeysWithAPointAndReadsOddValues) {
    const Row rows[] = {
        {kScreenResolution, L"Разрешение игры", P, {{L"Display", L"iSize W"}, {L"Display", L"iSize H"}},
         2560, L"2560|1080", 800, L"800|1080",
         {{L"1920,0", 1920, L"в файле: 1920,0 × 1080"}, {L"1280f", 1280, L""}, {L"320", 1920, L"в файле: 320 × 1080"},
          {L"", 1920, L"в файле:  × 1080"}}},
        {kScreenWindowMode, L"Режим окна", P,
         {{L"Display", L"bFull Screen"}, {L"Display", L"bBorderless"}, {L"Display", L"bMaximizeWindow"}},
         0, L"1|1|0", 3, L"0|1|1",
         // bBorderless and bMaximizeWindow at the game's defaults (1, 0).
         {{L"0", 2, L""}, {L"1", 0, L""}, {L"0,0", 4, L""}, {L"2", 4, L""}, {L"", 4, L""}}},
        {kScreenWorldFov, L"Обзор, °", P, {{L"Display", L"fDefaultWorldFOV"}, {L"Interface", L"fDefaultWorldFOV"}},
         70, L"70.0000|70.0000", 103, L"103.0000|103.0000",
         {{L"95,5", 80, L"в файле: 95,5"}, {L"90f", 90, L""}, {L"90.4999", 90, L""}, {L"130", 120, L"в файле: 130"},
          {L"60.0000", 70, L"в файле: 60.0000"}, {L"", 80, L"в файле: \"\""}}},
        {kScreenFirstPersonFov, L"Руки и оружие, °", C, {{L"Display", L"fDefault1stPersonFOV"}},
         120, L"120.0000", 85, L"85.0000",
         {{L"85,0", 80, L"в файле: 85,0"}, {L"85.0000F", 85, L""}, {L"200", 120, L"в файле: 200"}, {L"", 80, L"в файле: \"\""}}},
        {kScreenAimFov, L"Прицел от третьего лица, °", C, {{L"Camera", L"f3rdPersonAimFOV"}},
         30, L"30.0000", 64, L"64.0000",
         {{L"40,0", 50, L"в файле: 40,0"}, {L"40f", 40, L""}, {L"-5", 30, L"в файле: -5"}, {L"", 50, L"в файле: \"\""}}},
        {kScreenMouseSensitivity, L"Чувствительность", P, {{L"Controls", L"fMouseHeadingSensitivity"}},
         5, L"0.0050", 37, L"0.0370",
         {{L"0,0300", 30, L"в файле: 0,0300"}, {L"0.021f", 21, L""}, {L"0.5", 100, L"в файле: 0.5"},
          {L"0.001", 5, L"в файле: 0.001"}, {L"", 30, L"в файле: \"\""}}},
        {kScreenMouseAcceleration, L"Отключить ускорение мыши", C, {{L"Controls", L"bMouseAcceleration"}},
         1, L"0", 0, L"-",
         {{L"0,0", 0, L"в файле: 0,0"}, {L"0f", 1, L""}, {L"1", 0, L""}, {L"2", 0, L"в файле: 2"}, {L"", 0, L"в файле: \"\""}}},
        {kScreenVerticalFix, L"Одинаковая скорость по вертикали и горизонтали", C,
         {{L"Controls", L"fMouseHeadingXScale"}, {L"Controls", L"fMouseHeadingYScale"}},
         1, L"0.0210|0.0498", 0, L"-|-",  // 0.021 × 2560 / 1080 = 0.04978
         {{L"0,0210", 0, L"в файле: 0,0210"}, {L"0.021f", 1, L""}, {L"0.0300", 0, L""}, {L"", 0, L"в файле: \"\""}}},
        {kScreenCameraDistance, L"Дальность камеры от третьего лица", C, {{L"Camera", L"fVanityModeMaxDist"}},
         10, L"100.0000", 47, L"470.0000",
         {{L"300,0", 15, L"в файле: 300,0"}, {L"300f", 30, L""}, {L"1000", 50, L"в файле: 1000"}, {L"", 15, L"в файле: \"\""}}},
        {kScreenCameraShake, L"Отключить тряску камеры", P, {{L"MAIN", L"bEnableCameraShake"}},
         1, L"0", 0, L"1",
         {{L"0,0", 0, L"в файле: 0,0"}, {L"0.0000", 1, L""}, {L"1", 0, L""}, {L"", 0, L"в файле: \"\""}}},
        {kScreenGrassDistance, L"Дальность травы", P, {{L"Grass", L"fGrassStartFadeDistance"}},
         0, L"0.0000", 28, L"14000.0000",
         {{L"7000,0", 6, L"в файле: 7000,0"}, {L"7000f", 14, L""}, {L"20000", 28, L"в файле: 20000"}, {L"", 6, L"в файле: \"\""}}},
        {kScreenNoGrass, L"Убрать траву", C, {{L"Grass", L"bAllowCreateGrass"}}, 1, L"0", 0, L"-",
         {{L"0,0", 0, L"в файле: 0,0"}, {L"0f", 1, L""}, {L"", 0, L"в файле: \"\""}}},
        {kScreenShadowDistance, L"Дальность теней", P, {{L"Display", L"fShadowDistance"}, {L"Display", L"fDirShadowDistance"}},
         6, L"30000.0000|30000.0000", 30, L"150000.0000|150000.0000",
         {{L"3000,0", 18, L"в файле: 3000,0"}, {L"60000f", 12, L""}, {L"3000.0000", 6, L"в файле: 3000.0000"},
          {L"", 18, L"в файле: \"\""}}},
        {kScreenHudOpacity, L"Прозрачность интерфейса, %", P, {{L"MAIN", L"fHUDOpacity"}},
         17, L"0.8500", 0, L"0.0000",
         {{L"0,5", 20, L"в файле: 0,5"}, {L"0.5f", 10, L""}, {L"1.5", 20, L"в файле: 1.5"}, {L"", 20, L"в файле: \"\""}}},
    };
    ASSERT_EQ(std::size(rows), ScreenSettings().size());
    for (const Row& r : rows) {
        const ScreenSetting& s = ScreenSettings()[r.row];
        SCOPED_TRACE(r.caption);
        EXPECT_EQ(std::wstring(s.caption), r.caption);
        for (int state : {r.stateA, r.stateB}) {
            const auto writes = WritesAt(r.row, state);
            ASSERT_EQ(writes.size(), r.keys.size());
            for (size_t i = 0; i < writes.size(); ++i) {
                EXPECT_EQ(writes[i].file, r.file);
                EXPECT_EQ(writes[i].section, r.keys[i].first);
                EXPECT_EQ(writes[i].key, r.keys[i].second);
            }
        }
        EXPECT_EQ(Values(WritesAt(r.row, r.stateA)), r.writtenA);
        EXPECT_EQ(Values(WritesAt(r.row, r.stateB)), r.writtenB);
        for (const Odd& o : r.odd) {
            SCOPED_TRACE(o.raw);
            const auto [state, label] = Reading(r.row, o.raw);
            EXPECT_EQ(state, o.state);
            EXPECT_EQ(label, o.label);
        }
    }
}

TEST_F(ScreenTable, SlidersReadTheDefaultWhenNoFileSetsTheKeyAndLabelTheirValue) {
    const struct {
        ScreenRow row;
        int defaultPosition, minimum, maximum;
        const wchar_t* label;  // at the default
    } cases[] = {
        {kScreenWorldFov, 80, 70, 120, L"80"},          {kScreenAimFov, 50, 30, 100, L"50"},
        {kScreenMouseSensitivity, 30, 5, 100, L"0.030"}, {kScreenCameraDistance, 15, 10, 50, L"150"},
        {kScreenGrassDistance, 6, 0, 28, L"3000"},       {kScreenShadowDistance, 18, 6, 30, L"90000"},
        {kScreenHudOpacity, 20, 0, 20, L"100"},
    };
    for (const auto& c : cases) {
        const ScreenSetting& s = ScreenSettings()[c.row];
        SCOPED_TRACE(s.caption);
        const auto r = ReadSlider(s, std::nullopt);
        EXPECT_EQ(r.position, c.defaultPosition);
        EXPECT_FALSE(r.note);
        EXPECT_EQ(SliderMinimum(s), c.minimum);
        EXPECT_EQ(SliderMaximum(s), c.maximum);
        EXPECT_EQ(SliderLabel(s, r.position), c.label);
    }
}

TEST_F(ScreenTable, NumbersReadAndWriteWithAPoint) {
    const struct {
        const wchar_t* text;
        std::optional<double> value;
    } reads[] = {{L"80", 80},    {L"80.0", 80},     {L" 80.0000 ", 80}, {L"0.5f", 0.5}, {L"-1.25", -1.25},
                 {L"80,0", {}}, {L"", {}},          {L"f", {}},         {L"1e3", {}},   {L"0x10", {}},
                 {L".5", 0.5},  {L"1.2.3", {}}};
    for (const auto& r : reads) EXPECT_EQ(ReadGameNumber(r.text), r.value) << testing::PrintToString(r.text);
    // The locale is live: the C library's own formatting writes a comma here.
    if (commaLocale_) {
        EXPECT_EQ(std::to_wstring(0.5), L"0,500000");
    }
    EXPECT_EQ(GameFloatText(80), L"80.0000");
    EXPECT_EQ(GameFloatText(0.03), L"0.0300");
    EXPECT_EQ(GameFloatText(-0.5), L"-0.5000");
    EXPECT_EQ(GameFloatText(150000), L"150000.0000");
}

TEST(ScreenResolution, ListHoldsUniqueModesLargestFirstAndTheFilesSize) {
    const std::vector<ScreenSize> modes = {{1280, 1024}, {640, 480}, {1920, 1080}, {800, 600}, {1280, 1024},
                                           {1024, 768},  {1920, 1200}, {1280, 720}, {800, 480}};
    const std::vector<ScreenSize> expected = {{1920, 1200}, {1920, 1080}, {1280, 1024}, {1280, 720}, {1024, 768},
                                              {800, 600}};
    EXPECT_EQ(ResolutionList(modes, {1920, 1080}), expected);
    std::vector<ScreenSize> withOwn = expected;
    withOwn.insert(withOwn.begin() + 2, ScreenSize{1600, 900});
    EXPECT_EQ(ResolutionList(modes, {1600, 900}), withOwn) << "a size in the files that is no mode is its own item";
    EXPECT_EQ(ResolutionList(modes, {640, 480}).back(), (ScreenSize{640, 480}));
}

TEST(ScreenResolution, ItemsNameTheSizeAndItsAspect) {
    const struct {
        ScreenSize size;
        bool screen;
        const wchar_t* text;
    } cases[] = {
        {{2560, 1440}, false, L"2560 × 1440 (16:9)"}, {{1280, 1024}, true, L"1280 × 1024 (5:4) (экран)"},
        {{1920, 1200}, false, L"1920 × 1200 (8:5)"},  {{3440, 1440}, false, L"3440 × 1440 (21.5:9)"},
        {{2560, 1080}, false, L"2560 × 1080 (21.3:9)"}, {{1366, 768}, false, L"1366 × 768 (16.0:9)"},
        {{5120, 1440}, false, L"5120 × 1440 (32:9)"},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeItemText(c.size, c.screen), c.text);
    const struct {
        const wchar_t* text;
        std::optional<int> side;
    } sides[] = {{L"640", 640}, {L"16384", 16384}, {L" 2560 ", 2560}, {L"639", {}}, {L"16385", {}},
                 {L"", {}},     {L"12a", {}},      {L"-800", {}},      {L"1920.0", {}}};
    for (const auto& s : sides) EXPECT_EQ(ReadSide(s.text), s.side) << testing::PrintToString(s.text);
}

TEST(ScreenVerticalFix, FollowsTheResolutionThatApplies) {
    const struct {
        ScreenSize size;
        const wchar_t* y;
    } cases[] = {{{1920, 1080}, L"0.0373"}, {{1280, 1024}, L"0.0263"}, {{1024, 768}, L"0.0280"}, {{3440, 1440}, L"0.0502"}};
    for (const auto& c : cases) {
        const auto writes = VerticalFixWrites(true, c.size);
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0].value, L"0.0210");
        EXPECT_EQ(writes[1].value, c.y) << c.size.width << "x" << c.size.height;
    }
}

}  // namespace
}  // namespace ravenlock
