#include "diagnostics/diagnostics_rules.h"

namespace ravenlock {

std::wstring ReportText(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    return text;
}

uint64_t BytesToMiB(uint64_t bytes) { return bytes / (1024u * 1024u); }

std::wstring DumpRowText(const std::wstring& fileName, const std::wstring& date, const std::wstring& time, bool midnight) {
    return fileName + L" | " + date + (midnight ? L"" : L" " + time);
}

std::wstring DiscordUpdaterFromValue(const std::wstring& value) {
    const auto at = value.find(L"\\app");
    // 1-based position p of "\app" (0 when missing); p - 5 characters from the fifth.
    const long long p = at == std::wstring::npos ? 0 : static_cast<long long>(at) + 1;
    const long long count = p - 5;
    std::wstring folder;
    if (count > 0 && value.size() > 4) folder = value.substr(4, static_cast<size_t>(count));
    return folder + L"\\Update.exe";
}

bool IsThumbnailName(const std::wstring& fileName) {
    return fileName.find_first_of(L"\\/") == std::wstring::npos && fileName.find(L"-thumbnail") != std::wstring::npos;
}

}  // namespace ravenlock
