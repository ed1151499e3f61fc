#pragma once
// The two facts the program takes from Steam's own record under
// HKEY_CURRENT_USER\Software\Valve\Steam. A value of a non-string type raises AppError.
#include <string>

namespace ravenlock {

// Steam.exe as Steam records it (with "/" separators); "" when the record is missing.
std::wstring GetSteamExePath();
// The remembered login, or "Нет данных" when there is none.
std::wstring GetSteamLogin();

}  // namespace ravenlock
