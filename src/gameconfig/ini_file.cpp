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

std::vector<std::wstring> IniFile::ReadSectionKeys(const std::wstring& section) const {
    std::vector<wchar_t> buffer(1024);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                                     path_.c_str());
        // A full buffer may have cut the last name: grow fourfold and read again.
        if (n + 2 < buffer.size()) break;
        buffer.resize(buffer.size() * 4);
    }
    std::vector<std::wstring> keys;
    for (size_t i = 0; i < n;) {
        std::wstring name(buffer.data() + i);
        i += name.size() + 1;
        if (!name.empty()) keys.push_back(std::move(name));
    }
    return keys;
}

}  // namespace ravenlock
