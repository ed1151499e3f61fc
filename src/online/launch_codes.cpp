#include "online/launch_codes.h"

namespace ravenlock {

std::wstring CutLaunchCode(const std::wstring& page, const std::wstring& marker, size_t start) {
    // p is 1-based, 0 when missing; the code begins at position p + 36.
    const size_t from = start > 0 ? start - 1 : 0;
    const size_t found = from <= page.size() ? page.find(marker, from) : std::wstring::npos;
    const size_t p = found == std::wstring::npos ? 0 : found + 1;
    const size_t first = p + 36 - 1;
    if (first >= page.size()) return L"";
    return page.substr(first, 8);
}

std::array<LaunchCodeRow, 7> LaunchCodeRows(const std::wstring& page) {
    const std::wstring rule(31, L'-');
    return {{
        {L"Шахта \"Альфа\": ", CutLaunchCode(page, kLaunchCodesMarkerA, 1)},
        {L"Шахта \"Браво\": ", CutLaunchCode(page, kLaunchCodesMarkerB, 1)},
        {L"Шахта \"Чарли\": ", CutLaunchCode(page, kLaunchCodesMarkerB, kCharlieSearchStart)},
        {rule, std::wstring(13, L'-')},
        {L"Powered by NukaCrypt", L""},
        {rule, L""},
        {L"Коды актуальны 7 дней", L""},
    }};
}

}  // namespace ravenlock
