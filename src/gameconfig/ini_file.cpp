#include "gameconfig/ini_file.h"

#include <windows.h>

#include "platform/app_error.h"

namespace ravenlock {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key) const {
    wchar_t buffer[2048];
    const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, 2048, path_.c_str());
    return std::wstring(buffer, n);
}

void IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw AppError(L"Unable to write to " + path_);
}

namespace {

// One profile read into a buffer that grows until what was read fits: the whole of a
// section, or its key list.
std::wstring ReadProfileList(const std::wstring& path, const std::wstring& section, bool keysOnly) {
    std::vector<wchar_t> buffer(1024);
    DWORD n = 0;
    for (;;) {
        n = keysOnly ? GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str())
                     : GetPrivateProfileSectionW(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                 path.c_str());
        // A full buffer may have cut the last string: grow fourfold and read again.
        if (n + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 4);
    }
    return std::wstring(buffer.data(), n);
}

}  // namespace

std::vector<std::wstring> IniFile::ReadSectionKeys(const std::wstring& section) const {
    return SplitNulList(ReadProfileList(path_, section, true));
}

std::vector<IniEntry> IniFile::ReadSection(const std::wstring& section) const {
    return ParseSectionEntries(ReadProfileList(path_, section, false));
}

}  // namespace ravenlock
