#include "online/web_address.h"

#include <cwctype>

namespace ravenlock {

namespace {

// An address longer than this is not a real article or invite.
constexpr size_t kMaxAddress = 2048;

bool SafeCharacter(wchar_t c) {
    if (c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F)) return false;
    switch (c) {
        case L'"': case L'<': case L'>': case L'\\': case L'^': case L'`': case L'{': case L'|': case L'}':
        case 0x00A0: case 0x2028: case 0x2029: case 0xFEFF:
            return false;
        default: return true;
    }
}

}  // namespace

bool IsSafeHttpsAddress(const std::wstring& address) {
    constexpr std::wstring_view scheme = L"https://";
    if (address.size() <= scheme.size() || address.size() > kMaxAddress) return false;
    for (size_t i = 0; i < scheme.size(); ++i)
        if (static_cast<wchar_t>(std::towlower(address[i])) != scheme[i]) return false;
    for (wchar_t c : address)
        if (!SafeCharacter(c)) return false;
    // A host must follow: "https:///x" or "https://?x" have none.
    const wchar_t first = address[scheme.size()];
    return first != L'/' && first != L'?' && first != L'#' && first != L'@' && first != L':';
}

bool IsDigitsOnly(const std::wstring& text) {
    if (text.empty()) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    return true;
}

std::wstring DigitsOf(const std::wstring& text) {
    std::wstring digits;
    for (wchar_t c : text)
        if (c >= L'0' && c <= L'9') digits.push_back(c);
    return digits;
}

}  // namespace ravenlock
