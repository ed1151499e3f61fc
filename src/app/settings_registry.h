#pragma once
// The program's own settings: named values under one key of the current user.
#include <windows.h>

#include <string>

#include "platform/registry.h"

namespace ravenlock {

inline constexpr wchar_t kSettingsParentKey[] = L"SOFTWARE\\HALCYRA";
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\HALCYRA\\Fallout76Ravenlock";

class SettingsRegistry {
public:
    // Opens the key with read and write access, creating it when missing. Returns
    // false when that fails; reads then see no values and writes raise AppError.
    bool Open();
    void Close();
    bool IsOpen() const { return static_cast<bool>(key_); }

    // "" when the value is missing; AppError naming the value for a non-string type.
    std::wstring ReadString(const std::wstring& name) const;
    // Stores REG_SZ; an empty text keeps the value present.
    void WriteString(const std::wstring& name, const std::wstring& text);
    bool ValueExists(const std::wstring& name) const;
    // Non-zero REG_DWORD is true; missing is false; another type raises AppError.
    bool ReadBool(const std::wstring& name) const;
    void WriteBool(const std::wstring& name, bool value);

private:
    RegKey key_;
};

// Deletes the program's settings key with everything under it; SOFTWARE\HALCYRA stays.
// Returns false when the key could not be deleted.
bool DeleteSettingsKey();

// The settings reset: deletes the key, then asks the main window to close (which
// hides it). Raises AppError when the key could not be deleted, so that a failed
// reset is never mistaken for a done one.
void ResetSettings(HWND mainWindow);

}  // namespace ravenlock
