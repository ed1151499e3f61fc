#include "app/settings_registry.h"

#include "platform/app_error.h"

namespace ravenlock {

namespace {
[[noreturn]] void ThrowWriteFailed(const std::wstring& name) {
    throw AppError(L"Не удалось записать значение реестра «" + name + L"»");
}
}  // namespace

bool SettingsRegistry::Open() {
    key_ = RegKey::Create(HKEY_CURRENT_USER, kSettingsKey, KEY_READ | KEY_WRITE);
    return IsOpen();
}

void SettingsRegistry::Close() { key_.Close(); }

std::wstring SettingsRegistry::ReadString(const std::wstring& name) const {
    return QueryStringValue(key_.Get(), name).value_or(L"");
}

void SettingsRegistry::WriteString(const std::wstring& name, const std::wstring& text) {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (!key_ || RegSetValueExW(key_.Get(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()), bytes) != ERROR_SUCCESS)
        ThrowWriteFailed(name);
}

bool SettingsRegistry::ValueExists(const std::wstring& name) const {
    return key_ && RegQueryValueExW(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SettingsRegistry::ReadBool(const std::wstring& name) const {
    if (!key_) return false;
    DWORD type = 0, value = 0, size = sizeof(value);
    const LONG rc = RegQueryValueExW(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    // Anything but a DWORD is of the wrong type; a longer value answers ERROR_MORE_DATA.
    if (rc == ERROR_MORE_DATA || (rc == ERROR_SUCCESS && type != REG_DWORD)) ThrowWrongValueType(name);
    return rc == ERROR_SUCCESS && value != 0;
}

void SettingsRegistry::WriteBool(const std::wstring& name, bool value) {
    const DWORD data = value ? 1 : 0;
    if (!key_ || RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                sizeof(data)) != ERROR_SUCCESS)
        ThrowWriteFailed(name);
}

bool DeleteSettingsKey() {
    RegKey parent = RegKey::Create(HKEY_CURRENT_USER, kSettingsParentKey, KEY_READ | KEY_WRITE | DELETE);
    if (!parent) return false;
    const LONG rc = RegDeleteTreeW(parent.Get(), L"Fallout76Ravenlock");
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

void ResetSettings(HWND mainWindow) {
    if (!DeleteSettingsKey()) throw AppError(L"Не удалось сбросить настройки программы");
    // The close request only hides the window; the caller ends the program.
    if (mainWindow) SendMessageW(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace ravenlock
