#include "platform/registry.h"

#include <vector>

#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.Release();
    }
    return *this;
}

HKEY RegKey::Release() {
    HKEY k = key_;
    key_ = nullptr;
    return k;
}

void RegKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

RegKey RegKey::Open(HKEY parent, const std::wstring& subkey, REGSAM access) {
    HKEY k = nullptr;
    if (parent && RegOpenKeyExW(parent, subkey.c_str(), 0, access, &k) == ERROR_SUCCESS) return RegKey(k);
    return RegKey();
}

RegKey RegKey::Create(HKEY parent, const std::wstring& subkey, REGSAM access) {
    HKEY k = nullptr;
    if (parent && RegCreateKeyExW(parent, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &k, nullptr) == ERROR_SUCCESS)
        return RegKey(k);
    return RegKey();
}

void ThrowWrongValueType(const std::wstring& name) {
    throw AppError(L"Значение реестра «" + name + L"» имеет неверный тип данных");
}

std::optional<std::wstring> QueryStringValue(HKEY key, const std::wstring& name) {
    if (!key) return std::nullopt;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, size = 0;
        LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            ThrowWrongValueType(name);
        std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
        rc = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(buf.data()), &got);
        if (rc == ERROR_MORE_DATA) continue;  // grew between the two calls
        if (rc != ERROR_SUCCESS) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            ThrowWrongValueType(name);
        return RegistryValueText(std::wstring_view(buf.data(), got / sizeof(wchar_t)));
    }
    return std::nullopt;
}

}  // namespace ravenlock
