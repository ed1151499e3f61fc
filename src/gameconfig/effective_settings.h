#pragma once
// Which of the game's three settings files decides a key. The game reads Fallout76.ini,
// then Fallout76Prefs.ini, then Fallout76Custom.ini, and a key in a later file wins over
// the same key in an earlier one. Each file is read as the profile functions read it:
// sections and keys match regardless of letter case, only the first section of a name
// counts, the first line of a key in it wins, keys and values are trimmed of blanks and
// a value's enclosing quotes are dropped.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gameconfig/line_list.h"

namespace ravenlock {

// One file as read from disk; no bytes when it is missing or cannot be read.
struct SettingsFileBytes {
    std::wstring name;
    std::optional<std::string> bytes;
};

// A file that sets a key, and the value it sets there.
struct KeySetting {
    size_t file;  // index into the files, in reading order
    std::wstring value;
};

class EffectiveSettings {
public:
    EffectiveSettings() = default;
    // The files in the order the game reads them.
    EffectiveSettings(const std::vector<SettingsFileBytes>& files, const AnsiCodec& ansi);

    size_t FileCount() const { return files_.size(); }
    const std::wstring& FileName(size_t file) const { return files_.at(file).name; }

    // Every file that sets the key, in reading order: the last one is what the game uses.
    std::vector<KeySetting> SettersOf(std::wstring_view section, std::wstring_view key) const;
    // The setting that makes a write of the key to `file` have no effect: the last later
    // file that sets it. Nothing when no later file does.
    std::optional<KeySetting> OverrideOf(size_t file, std::wstring_view section, std::wstring_view key) const;
    // For each line of `file`'s text (as it stands, maybe edited since it was read): the
    // setting that overrides the key the line sets, under the header above it. Nothing for
    // headers, comments and keys no later file sets.
    std::vector<std::optional<KeySetting>> LineOverrides(size_t file, const std::vector<std::wstring>& lines) const;

private:
    struct Entry {
        std::wstring key, value;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
    };
    struct File {
        std::wstring name;
        std::vector<Section> sections;
    };
    static std::optional<std::wstring> ValueIn(const File& file, std::wstring_view section, std::wstring_view key);
    std::vector<File> files_;
};

// The text a box shows when its key is set in a later file.
std::wstring OverriddenHint(const std::wstring& fileName, std::wstring_view section, std::wstring_view key,
                            std::wstring_view value);
std::wstring RemoveOverrideCaption(const std::wstring& fileName);
// The editor's note under the value of an overridden line: the value that applies instead.
std::wstring EffectiveValueNote(const std::wstring& fileName, std::wstring_view value);

// The lines of a file with the key of the section (its first section of that name)
// removed, every line of it; all other lines kept as they are.
std::vector<std::wstring> WithoutKey(const std::vector<std::wstring>& lines, std::wstring_view section,
                                     std::wstring_view key);
// The lines of a file with the key set to the value where the game reads it: the first
// line of the key in the first section of that name gets the new value (the key's
// spelling and the blanks around "=" kept); without one, "key=value" follows the
// section's last line; without the section, the section and the line end the file.
// All other lines are kept as they are.
std::vector<std::wstring> WithKeyValue(const std::vector<std::wstring>& lines, std::wstring_view section,
                                       std::wstring_view key, std::wstring_view value);

}  // namespace ravenlock
