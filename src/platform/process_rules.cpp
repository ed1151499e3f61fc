#include "platform/process_rules.h"

namespace ravenlock {

namespace {
wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }
}  // namespace

std::wstring ProcessFileName(std::wstring_view nameOrPath) {
    const auto cut = nameOrPath.find_last_of(L"\\/:");
    return std::wstring(cut == std::wstring_view::npos ? nameOrPath : nameOrPath.substr(cut + 1));
}

bool ProcessNameMatches(std::wstring_view wanted, std::wstring_view snapshotName) {
    if (wanted.size() != snapshotName.size()) return false;
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (AsciiUpper(wanted[i]) != AsciiUpper(snapshotName[i])) return false;
    }
    return true;
}

uint64_t WorkingSetToMiB(uint64_t bytes) { return bytes / (1024u * 1024u); }

std::wstring FormatFileVersion(uint32_t ms, uint32_t ls) {
    return std::to_wstring(ms >> 16) + L"." + std::to_wstring(ms & 0xFFFF) + L"." +
           std::to_wstring(ls >> 16) + L"." + std::to_wstring(ls & 0xFFFF);
}

}  // namespace ravenlock
