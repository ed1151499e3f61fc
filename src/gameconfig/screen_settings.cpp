#include "gameconfig/screen_settings.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "gameconfig/ini_section.h"

namespace ravenlock {

namespace {

using K = ScreenKind;
using F = ScreenFile;

ScreenSetting Slider(const wchar_t* group, const wchar_t* caption, F file, std::vector<ScreenKey> keys, double minimum,
                     double maximum, double step, double byDefault, double fileScale = 1) {
    return {group, caption, K::Slider, file, std::move(keys), minimum, maximum, step, byDefault, fileScale};
}

ScreenSetting Check(const wchar_t* group, const wchar_t* caption, F file, ScreenKey key, const wchar_t* whenChecked,
                    const wchar_t* whenUnchecked) {
    ScreenSetting s{group, caption, K::Check, file, {key}};
    s.whenChecked = whenChecked;
    s.whenUnchecked = whenUnchecked;
    return s;
}

// Whole numbers in text of their own: std::to_wstring of an integer knows no locale.
std::wstring Fixed(long long scaled, int decimals) {
    long long unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    const bool negative = scaled < 0;
    const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(scaled)
                                                  : static_cast<unsigned long long>(scaled);
    std::wstring text = (negative ? L"-" : L"") + std::to_wstring(magnitude / static_cast<unsigned long long>(unit));
    if (decimals > 0) {
        std::wstring fraction = std::to_wstring(magnitude % static_cast<unsigned long long>(unit));
        text += L"." + std::wstring(static_cast<size_t>(decimals) - fraction.size(), L'0') + fraction;
    }
    return text;
}

// Decimals the step needs: 0.001 -> 3, 5 -> 0.
int DecimalsOf(double step) {
    int decimals = 0;
    double scaled = step;
    while (decimals < 4 && std::fabs(scaled - std::round(scaled)) > 1e-9) {
        scaled *= 10;
        ++decimals;
    }
    return decimals;
}

// A boolean key as the files hold it: 0 or 1, nothing for anything else.
std::optional<bool> ReadFlag(const std::wstring& raw) {
    const auto v = ReadGameNumber(raw);
    if (v && (*v == 0 || *v == 1)) return *v == 1;
    return std::nullopt;
}

std::optional<int> ReadWhole(const std::wstring& raw) {
    const auto v = ReadGameNumber(raw);
    if (!v || *v != std::floor(*v) || *v < kMinSide || *v > kMaxSide) return std::nullopt;
    return static_cast<int>(*v);
}

constexpr double kHeadingScale = 0.0210;
constexpr long long kHeadingScale10k = 210;  // the same in ten-thousandths

}  // namespace

const std::vector<ScreenSetting>& ScreenSettings() {
    static const std::vector<ScreenSetting> table = {
        {L"Экран", L"Разрешение игры", K::Resolution, F::Prefs, {{L"Display", L"iSize W"}, {L"Display", L"iSize H"}}},
        {L"Экран", L"Режим окна", K::WindowMode, F::Prefs,
         {{L"Display", L"bFull Screen"}, {L"Display", L"bBorderless"}, {L"Display", L"bMaximizeWindow"}}},
        Slider(L"Поле зрения", L"Обзор, °", F::Prefs, {{L"Display", L"fDefaultWorldFOV"}, {L"Interface", L"fDefaultWorldFOV"}},
               70, 120, 1, 80),
        Slider(L"Поле зрения", L"Руки и оружие, °", F::Custom, {{L"Display", L"fDefault1stPersonFOV"}}, 70, 120, 1, 80),
        Slider(L"Поле зрения", L"Прицел от третьего лица, °", F::Custom, {{L"Camera", L"f3rdPersonAimFOV"}}, 30, 100, 1,
               50),
        Slider(L"Мышь", L"Чувствительность", F::Prefs, {{L"Controls", L"fMouseHeadingSensitivity"}}, 0.005, 0.100, 0.001,
               0.03),
        Check(L"Мышь", L"Отключить ускорение мыши", F::Custom, {L"Controls", L"bMouseAcceleration"}, L"0", nullptr),
        {L"Мышь", L"Одинаковая скорость по вертикали и горизонтали", K::VerticalFix, F::Custom,
         {{L"Controls", L"fMouseHeadingXScale"}, {L"Controls", L"fMouseHeadingYScale"}}},
        Slider(L"Камера", L"Дальность камеры от третьего лица", F::Custom, {{L"Camera", L"fVanityModeMaxDist"}}, 100, 500,
               10, 150),
        Check(L"Камера", L"Отключить тряску камеры", F::Prefs, {L"MAIN", L"bEnableCameraShake"}, L"0", L"1"),
        Slider(L"Прорисовка", L"Дальность травы", F::Prefs, {{L"Grass", L"fGrassStartFadeDistance"}}, 0, 14000, 500, 3000),
        Check(L"Прорисовка", L"Убрать траву", F::Custom, {L"Grass", L"bAllowCreateGrass"}, L"0", nullptr),
        Slider(L"Прорисовка", L"Дальность теней", F::Prefs,
               {{L"Display", L"fShadowDistance"}, {L"Display", L"fDirShadowDistance"}}, 30000, 150000, 5000, 90000),
        Slider(L"Прорисовка", L"Прозрачность интерфейса, %", F::Prefs, {{L"MAIN", L"fHUDOpacity"}}, 0, 100, 5, 100, 0.01),
    };
    return table;
}

std::optional<double> ReadGameNumber(std::wstring_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && (text.back() == L'f' || text.back() == L'F')) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    unsigned long long digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (const wchar_t c : text) {
        if (c == L'.' && !point) {
            point = true;
        } else if (c >= L'0' && c <= L'9') {
            if (++count > 18) return std::nullopt;  // no setting of the game has that many digits
            digits = digits * 10 + static_cast<unsigned long long>(c - L'0');
            decimals += point ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return std::nullopt;
    const double value = static_cast<double>(digits) / std::pow(10.0, decimals);
    return negative ? -value : value;
}

std::wstring GameFloatText(double value) { return Fixed(std::llround(value * 10000), 4); }

std::wstring FileNoteText(std::wstring_view raw) {
    return L"в файле: " + (raw.empty() ? std::wstring(L"\"\"") : std::wstring(raw));
}

int SliderMinimum(const ScreenSetting& s) { return static_cast<int>(std::lround(s.minimum / s.step)); }
int SliderMaximum(const ScreenSetting& s) { return static_cast<int>(std::lround(s.maximum / s.step)); }

SliderReading ReadSlider(const ScreenSetting& s, const std::optional<std::wstring>& raw) {
    const int byDefault = static_cast<int>(std::lround(s.byDefault / s.step));
    if (!raw) return {byDefault, std::nullopt};
    const auto value = ReadGameNumber(*raw);
    if (!value) return {byDefault, FileNoteText(*raw)};
    const double shown = *value / s.fileScale, slack = s.step * 1e-6;
    if (shown < s.minimum - slack) return {SliderMinimum(s), FileNoteText(*raw)};
    if (shown > s.maximum + slack) return {SliderMaximum(s), FileNoteText(*raw)};
    return {static_cast<int>(std::lround(shown / s.step)), std::nullopt};
}

std::wstring SliderLabel(const ScreenSetting& s, int position) {
    const int decimals = DecimalsOf(s.step);
    const long long perStep = std::llround(s.step * std::pow(10.0, decimals));
    return Fixed(position * perStep, decimals);
}

std::vector<KeyWrite> SliderWrites(const ScreenSetting& s, int position) {
    const std::wstring text = GameFloatText(position * s.step * s.fileScale);
    std::vector<KeyWrite> writes;
    for (const ScreenKey& k : s.keys) writes.push_back({s.file, k.section, k.key, text});
    return writes;
}

CheckReading ReadCheck(const ScreenSetting& s, const std::optional<std::wstring>& raw) {
    if (!raw) return {false, std::nullopt};
    const auto flag = ReadFlag(*raw);
    if (!flag) return {false, FileNoteText(*raw)};
    return {*flag == *ReadFlag(s.whenChecked), std::nullopt};
}

std::vector<KeyWrite> CheckWrites(const ScreenSetting& s, bool checked) {
    std::vector<KeyWrite> writes;
    const wchar_t* value = checked ? s.whenChecked : s.whenUnchecked;
    for (const ScreenKey& k : s.keys)
        writes.push_back({s.file, k.section, k.key, value ? std::optional<std::wstring>(value) : std::nullopt});
    return writes;
}

// --- resolution

SizeReading ReadSize(const std::optional<std::wstring>& rawWidth, const std::optional<std::wstring>& rawHeight) {
    const auto width = rawWidth ? ReadWhole(*rawWidth) : std::optional<int>(kDefaultGameSize.width);
    const auto height = rawHeight ? ReadWhole(*rawHeight) : std::optional<int>(kDefaultGameSize.height);
    if (width && height) return {{*width, *height}, std::nullopt};
    const std::wstring w = rawWidth ? *rawWidth : std::to_wstring(kDefaultGameSize.width);
    const std::wstring h = rawHeight ? *rawHeight : std::to_wstring(kDefaultGameSize.height);
    return {kDefaultGameSize, FileNoteText(w + L" × " + h)};
}

std::optional<int> ReadSide(std::wstring_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](wchar_t c) {
            return c >= L'0' && c <= L'9';
        }))
        return std::nullopt;
    const int side = std::stoi(std::wstring(text));
    if (side < kMinSide || side > kMaxSide) return std::nullopt;
    return side;
}

std::wstring AspectText(ScreenSize size) {
    const int g = std::gcd(size.width, size.height);
    if (g == 0) return L"";
    const int a = size.width / g, b = size.height / g;
    if (b <= 10) return std::to_wstring(a) + L":" + std::to_wstring(b);
    // Against 9, in tenths, rounded half up.
    const long long tenths = (static_cast<long long>(size.width) * 90 * 2 + size.height) / (2ll * size.height);
    return Fixed(tenths, 1) + L":9";
}

std::wstring SizeItemText(ScreenSize size, bool isScreen) {
    return std::to_wstring(size.width) + L" × " + std::to_wstring(size.height) + L" (" + AspectText(size) + L")" +
           (isScreen ? L" (экран)" : L"");
}

std::vector<ScreenSize> ResolutionList(const std::vector<ScreenSize>& modes, ScreenSize inFiles) {
    std::vector<ScreenSize> list;
    for (const ScreenSize& m : modes)
        if (m.width >= 800 && m.height >= 600) list.push_back(m);
    if (std::find(list.begin(), list.end(), inFiles) == list.end()) list.push_back(inFiles);
    const auto larger = [](ScreenSize a, ScreenSize b) {
        return a.width != b.width ? a.width > b.width : a.height > b.height;
    };
    std::sort(list.begin(), list.end(), larger);
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

std::vector<KeyWrite> SizeWrites(ScreenSize size) {
    const auto& keys = ScreenSettings()[kScreenResolution].keys;
    return {{ScreenFile::Prefs, keys[0].section, keys[0].key, std::to_wstring(size.width)},
            {ScreenFile::Prefs, keys[1].section, keys[1].key, std::to_wstring(size.height)}};
}

// --- window mode

namespace {
struct ModeFlags {
    bool fullScreen, borderless, maximize;
};
constexpr ModeFlags kModeFlags[] = {{true, true, false}, {false, false, false}, {false, true, false}, {false, true, true}};
constexpr ModeFlags kDefaultMode = kModeFlags[2];
}  // namespace

const std::vector<std::wstring>& WindowModeNames() {
    static const std::vector<std::wstring> names = {L"Полноэкранный", L"Оконный", L"Без рамки",
                                                    L"Без рамки, на весь экран"};
    return names;
}

size_t ReadWindowMode(const std::optional<std::wstring>& fullScreen, const std::optional<std::wstring>& borderless,
                      const std::optional<std::wstring>& maximize) {
    const auto flag = [](const std::optional<std::wstring>& raw, bool byDefault) {
        return raw ? ReadFlag(*raw) : std::optional<bool>(byDefault);
    };
    const auto f = flag(fullScreen, kDefaultMode.fullScreen), b = flag(borderless, kDefaultMode.borderless),
               m = flag(maximize, kDefaultMode.maximize);
    for (size_t i = 0; i < std::size(kModeFlags); ++i)
        if (f == kModeFlags[i].fullScreen && b == kModeFlags[i].borderless && m == kModeFlags[i].maximize) return i;
    return WindowModeNames().size();
}

std::vector<KeyWrite> WindowModeWrites(size_t mode) {
    const ModeFlags& flags = kModeFlags[mode];
    const auto& keys = ScreenSettings()[kScreenWindowMode].keys;
    const bool values[] = {flags.fullScreen, flags.borderless, flags.maximize};
    std::vector<KeyWrite> writes;
    for (size_t i = 0; i < keys.size(); ++i)
        writes.push_back({ScreenFile::Prefs, keys[i].section, keys[i].key, values[i] ? L"1" : L"0"});
    return writes;
}

// --- vertical-speed fix

CheckReading ReadVerticalFix(const std::optional<std::wstring>& xScale, const std::optional<std::wstring>& yScale) {
    if (!xScale) return {false, std::nullopt};
    const auto x = ReadGameNumber(*xScale);
    if (!x) return {false, FileNoteText(*xScale)};
    return {std::fabs(*x - kHeadingScale) < 0.00005 && yScale.has_value(), std::nullopt};
}

std::vector<KeyWrite> VerticalFixWrites(bool checked, ScreenSize applies) {
    const auto& keys = ScreenSettings()[kScreenVerticalFix].keys;
    if (!checked)
        return {{ScreenFile::Custom, keys[0].section, keys[0].key, std::nullopt},
                {ScreenFile::Custom, keys[1].section, keys[1].key, std::nullopt}};
    // 0.0210 × W / H in ten-thousandths, rounded half up in whole numbers.
    const long long y = (kHeadingScale10k * applies.width * 2 + applies.height) / (2ll * applies.height);
    return {{ScreenFile::Custom, keys[0].section, keys[0].key, Fixed(kHeadingScale10k, 4)},
            {ScreenFile::Custom, keys[1].section, keys[1].key, Fixed(y, 4)}};
}

}  // namespace ravenlock
