#pragma once
// Single keys of an INI file through the system's profile functions: every read goes to
// disk and every write reaches the file at once. Sections and keys match regardless of
// letter case; values come back trimmed and unquoted, cut to 2047 characters.
#include <string>
#include <vector>

#include "gameconfig/ini_section.h"

namespace ravenlock {

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    // "" for a missing file, section or key.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key) const;
    // Raises AppError "Unable to write to <path>" when the system refuses the write.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    // The key names of a section in file order; none for a missing file or section.
    std::vector<std::wstring> ReadSectionKeys(const std::wstring& section) const;
    // Every key of a section with its value, in file order, from one read of the file.
    std::vector<IniEntry> ReadSection(const std::wstring& section) const;

private:
    std::wstring path_;
};

}  // namespace ravenlock
