#include "platform/charset.h"

namespace ravenlock {

std::wstring CharsetOfContentType(std::wstring_view contentType) {
    std::wstring type;
    for (wchar_t c : contentType) type.push_back(c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c);
    // A parameter begins after ";" and blanks; "xcharset=" is some other parameter.
    for (size_t at = type.find(L"charset="); at != std::wstring::npos; at = type.find(L"charset=", at + 1)) {
        const size_t before = type.find_last_not_of(L" \t", at == 0 ? std::wstring::npos : at - 1);
        if (before != std::wstring::npos && type[before] != L';') continue;
        std::wstring value = type.substr(at + 8);
        if (!value.empty() && value.front() == L'"') {
            value.erase(0, 1);
            return value.substr(0, value.find(L'"'));
        }
        return value.substr(0, value.find_first_of(L"; \t"));
    }
    return L"";
}

std::optional<unsigned> CodePageOfCharset(std::wstring_view charset) {
    const struct {
        const wchar_t* name;
        unsigned codePage;
    } known[] = {{L"windows-1251", 1251}, {L"cp1251", 1251}, {L"koi8-r", 20866}, {L"iso-8859-1", 28591},
                 {L"windows-1252", 1252}};
    for (const auto& k : known)
        if (charset == k.name) return k.codePage;
    return std::nullopt;
}

}  // namespace ravenlock
