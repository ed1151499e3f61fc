#pragma once
// Small RAII helpers over the registry API, shared by the settings store and the
// readers of other programs' records.
#include <windows.h>

#include <optional>
#include <string>

namespace ravenlock {

class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
    RegKey& operator=(RegKey&& other) noexcept;
    ~RegKey() { Close(); }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY Release();
    void Close();

    // Opens an existing subkey with the given access; an empty key when it cannot.
    static RegKey Open(HKEY parent, const std::wstring& subkey, REGSAM access = KEY_READ);
    // Opens a subkey, creating it (and the levels above it) when missing.
    static RegKey Create(HKEY parent, const std::wstring& subkey, REGSAM access = KEY_READ | KEY_WRITE);

private:
    HKEY key_ = nullptr;
};

// A string value (REG_SZ or REG_EXPAND_SZ, the latter not expanded). Empty optional
// when the value is missing; AppError naming the value when it has another type.
std::optional<std::wstring> QueryStringValue(HKEY key, const std::wstring& name);

// The error a read of a value of an unexpected type raises; it names the value.
[[noreturn]] void ThrowWrongValueType(const std::wstring& name);

}  // namespace ravenlock
