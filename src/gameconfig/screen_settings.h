#pragma once
// The settings of the "Экран и управление" tab as data: the file, section and keys each
// control writes, its range and the game's default, and the rules for reading what the
// files hold and for the text written. Numbers are read and written with a point
// whatever the user's regional settings: nothing here goes through the C locale.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

// Fallout76Prefs.ini, which the game's own menu writes, and Fallout76Custom.ini, which
// the game reads but never writes.
enum class ScreenFile { Prefs, Custom };

enum class ScreenKind { Resolution, WindowMode, Slider, Check, VerticalFix };

struct ScreenKey {
    const wchar_t* section;
    const wchar_t* key;
};

struct ScreenSetting {
    const wchar_t* group;  // the group box the row stands in
    const wchar_t* caption;
    ScreenKind kind;
    ScreenFile file;
    std::vector<ScreenKey> keys;  // all written alike; the first one is read
    // Sliders: range and step as shown, the game's default, and how many shown units make
    // one unit in the file (percent: 0.01).
    double minimum = 0, maximum = 0, step = 1, byDefault = 0, fileScale = 1;
    // Check boxes: what the keys hold when checked, and when unchecked (null: the keys
    // are removed). Unchecked is the game's default.
    const wchar_t* whenChecked = nullptr;
    const wchar_t* whenUnchecked = nullptr;
};

// The rows of the tab, top to bottom.
enum ScreenRow : int {
    kScreenResolution = 0,
    kScreenWindowMode,
    kScreenWorldFov,
    kScreenFirstPersonFov,
    kScreenAimFov,
    kScreenMouseSensitivity,
    kScreenMouseAcceleration,
    kScreenVerticalFix,
    kScreenCameraDistance,
    kScreenCameraShake,
    kScreenGrassDistance,
    kScreenNoGrass,
    kScreenShadowDistance,
    kScreenHudOpacity,
    kScreenRowCount
};
// Every row, indexed by ScreenRow.
const std::vector<ScreenSetting>& ScreenSettings();

// One key to write: a value, or nothing to remove the key.
struct KeyWrite {
    ScreenFile file;
    std::wstring section, key;
    std::optional<std::wstring> value;
    bool operator==(const KeyWrite&) const = default;
};

// A number as the game's files hold it: "80", "80.0", "80.0000", "0.5f", blanks around
// it. Nothing for anything else: a comma (which the game reads as the end of the
// number), empty text, letters.
std::optional<double> ReadGameNumber(std::wstring_view text);
// Four decimals with a point, as the game writes floats: 80 -> "80.0000".
std::wstring GameFloatText(double value);
// The value label of a value the files hold but the control cannot show.
std::wstring FileNoteText(std::wstring_view raw);

// What a control shows of the value that applies (nothing: no file sets the key). A value
// that is unreadable or out of range puts it at the default or the nearest end, with a
// note for its value label; nothing is written then until the user changes the control.
struct SliderReading {
    int position;
    std::optional<std::wstring> note;
};
struct CheckReading {
    bool checked;
    std::optional<std::wstring> note;
};

// Slider positions are the shown values in steps (FOV 70..120, sensitivity 5..100).
int SliderMinimum(const ScreenSetting& s);
int SliderMaximum(const ScreenSetting& s);
SliderReading ReadSlider(const ScreenSetting& s, const std::optional<std::wstring>& raw);
// The value label: "80", "0.030".
std::wstring SliderLabel(const ScreenSetting& s, int position);
std::vector<KeyWrite> SliderWrites(const ScreenSetting& s, int position);

CheckReading ReadCheck(const ScreenSetting& s, const std::optional<std::wstring>& raw);
std::vector<KeyWrite> CheckWrites(const ScreenSetting& s, bool checked);

// --- the game's resolution --------------------------------------------------------------

struct ScreenSize {
    int width = 0, height = 0;
    bool operator==(const ScreenSize&) const = default;
};
inline constexpr ScreenSize kDefaultGameSize{1920, 1080};
inline constexpr int kMinSide = 640, kMaxSide = 16384;  // "Другое…" and the files alike
inline constexpr wchar_t kOtherSizeItem[] = L"Другое…";

struct SizeReading {
    ScreenSize size;
    std::optional<std::wstring> note;
};
// iSize W and iSize H as they apply; a missing one is the default's, an unreadable or
// out-of-range one makes the default size with a note.
SizeReading ReadSize(const std::optional<std::wstring>& rawWidth, const std::optional<std::wstring>& rawHeight);
// One side typed into "Ширина" or "Высота": a whole number within 640-16384.
std::optional<int> ReadSide(std::wstring_view text);
// "16:9", "4:3", "8:5"; odd ones against 9 with one decimal: "21.5:9".
std::wstring AspectText(ScreenSize size);
// "2560 × 1440 (16:9)", with " (экран)" for the monitor's own size.
std::wstring SizeItemText(ScreenSize size, bool isScreen);
// The list: the monitor's modes (unique, at least 800 × 600, largest first), with the size
// the files hold in its place among them when it is no mode. "Другое…" is not in it.
std::vector<ScreenSize> ResolutionList(const std::vector<ScreenSize>& modes, ScreenSize inFiles);
std::vector<KeyWrite> SizeWrites(ScreenSize size);

// --- the window mode ----------------------------------------------------------------------

// "Полноэкранный", "Оконный", "Без рамки", "Без рамки, на весь экран".
const std::vector<std::wstring>& WindowModeNames();
inline constexpr wchar_t kOtherWindowMode[] = L"Другой (задан вручную)";
// The mode of bFull Screen, bBorderless and bMaximizeWindow as they apply (a missing key
// has the game's default, which is "Без рамки"); WindowModeNames().size() for any other
// combination.
size_t ReadWindowMode(const std::optional<std::wstring>& fullScreen, const std::optional<std::wstring>& borderless,
                      const std::optional<std::wstring>& maximize);
std::vector<KeyWrite> WindowModeWrites(size_t mode);

// --- the vertical-speed fix ----------------------------------------------------------------

// Checked when fMouseHeadingXScale holds 0.0210 and fMouseHeadingYScale is set.
CheckReading ReadVerticalFix(const std::optional<std::wstring>& xScale, const std::optional<std::wstring>& yScale);
// Checked: fMouseHeadingXScale = 0.0210, fMouseHeadingYScale = 0.0210 × W / H of the
// resolution that applies; unchecked: both removed.
std::vector<KeyWrite> VerticalFixWrites(bool checked, ScreenSize applies);

}  // namespace ravenlock
