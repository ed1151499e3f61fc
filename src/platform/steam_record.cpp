#include "platform/steam_record.h"

#include "platform/registry.h"

namespace ravenlock {

namespace {

// Opens Software, Valve and Steam in turn, each relative to the last key that opened;
// a level that cannot be opened is skipped, and nothing is ever created.
std::wstring ReadSteamValue(const std::wstring& name) {
    RegKey current;
    HKEY at = HKEY_CURRENT_USER;
    for (const wchar_t* level : {L"Software", L"Valve", L"Steam"}) {
        RegKey next = RegKey::Open(at, level, KEY_READ);
        if (next) {
            current = std::move(next);
            at = current.Get();
        }
    }
    return QueryStringValue(at, name).value_or(L"");
}

}  // namespace

std::wstring GetSteamExePath() { return ReadSteamValue(L"SteamExe"); }

std::wstring GetSteamLogin() {
    std::wstring login = ReadSteamValue(L"AutoLoginUser");
    return login.empty() ? L"Нет данных" : login;
}

}  // namespace ravenlock
