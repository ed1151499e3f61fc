#pragma once
// The silo launch codes, cut out of the community site's page at fixed markers.
#include <array>
#include <string>
#include <utility>

namespace ravenlock {

inline constexpr wchar_t kLaunchCodesUrl[] = L"https://nukacrypt.com/php/home.php";
inline constexpr wchar_t kLaunchCodesMarkerA[] = L"<tr><td style='text-align: center;";
inline constexpr wchar_t kLaunchCodesMarkerB[] = L"</td><td style='text-align:center;";
// Charlie's code is the first marker B from this character of the page on.
inline constexpr size_t kCharlieSearchStart = 5446;

// The code at a marker: the 8 characters from two past the marker's end, for the first
// occurrence at or after the 1-based position start; when there is none, those of a
// marker at position 0 (characters 36 to 43). Shorter when the page ends sooner.
std::wstring CutLaunchCode(const std::wstring& page, const std::wstring& marker, size_t start);

// The seven rows (silo, code) of the list, in order.
using LaunchCodeRow = std::pair<std::wstring, std::wstring>;
std::array<LaunchCodeRow, 7> LaunchCodeRows(const std::wstring& page);

}  // namespace ravenlock
