#pragma once
// The quick options as data: which file, which keys, what is written for each state and
// when a value fills the box as checked. The Pip-Boy colour's value rules too.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ravenlock {

enum class OptionFile { Main, Prefs, Custom, Settings };  // Fallout76.ini, ...Prefs.ini, ...Custom.ini, the registry

struct OptionKey {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* whenChecked;
    const wchar_t* whenUnchecked;
};

struct OptionSpec {
    int tag;
    const wchar_t* caption;
    OptionFile file;
    std::vector<OptionKey> keys;  // written in this order; the first is the one that is read
    const wchar_t* checkedValue;  // the value that fills the box as checked...
    bool inverted;                // ...or, when inverted, any value but this one
};

// All 22, left column (1 to 11) then right column (12, 13, 14, 15, 18, 16, 17, 19, 20, 60, 61).
const std::vector<OptionSpec>& QuickOptions();
const OptionSpec* FindOption(int tag);

// Whether a value read from the file fills the box as checked (exact, case-sensitive).
bool FillsChecked(const OptionSpec& option, const std::wstring& value);

// The order in which the show handler fills the game-file boxes.
inline constexpr std::array<int, 20> kFillOrder = {1, 2, 4, 5, 6, 15, 20, 3, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 18};

// Pip-Boy colour: the slider position of a value ("0.5000" -> 5; points removed, the first
// two characters as a number, held within 1..15); nothing when they are not two digits.
std::optional<int> PipboyPosition(const std::wstring& value);
// The value text of a position: 5 -> "0.5000", 12 -> "1.2000".
std::wstring PipboyValueText(int position);

}  // namespace ravenlock
