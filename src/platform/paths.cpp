#include "platform/paths.h"

namespace ravenlock {

namespace {
wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }
}  // namespace

bool SameTextAscii(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

std::wstring FileNamePart(std::wstring_view path) {
    const auto cut = path.find_last_of(L"\\/:");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring FolderPart(std::wstring_view path) {
    const auto cut = path.find_last_of(L"\\/:");
    return cut == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, cut + 1));
}

std::wstring WithBackslashes(std::wstring path) {
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

bool IsAbsolutePath(std::wstring_view path) {
    const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
        path[1] == L':' && slash(path[2]))
        return true;
    return path.size() >= 3 && slash(path[0]) && slash(path[1]) && !slash(path[2]);
}

bool LongNameMatches(std::wstring_view name, std::wstring_view pattern) {
    const size_t cut = pattern.find_last_of(L"\\/:");
    if (cut != std::wstring_view::npos) pattern.remove_prefix(cut + 1);
    if (pattern.size() < 3 || pattern.substr(0, 2) != L"*." || pattern.find_first_of(L"*?", 2) != std::wstring_view::npos)
        return true;
    const std::wstring_view ext = pattern.substr(1);  // ".dmp"
    const size_t dot = name.rfind(L'.');
    return dot != std::wstring_view::npos && SameTextAscii(name.substr(dot), ext);
}

bool IsToolFolderName(std::wstring_view name) {
    const std::wstring_view prefix = kToolFolderPrefix;
    if (name.size() != prefix.size() + 32 || name.substr(0, prefix.size()) != prefix) return false;
    for (wchar_t c : name.substr(prefix.size()))
        if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return false;
    return true;
}

}  // namespace ravenlock
