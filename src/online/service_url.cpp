#include "online/service_url.h"

namespace ravenlock {

namespace {

bool IsLoopbackHost(std::wstring_view authority) {
    if (authority.starts_with(L"[::1]")) return authority.size() == 5 || authority[5] == L':';
    const std::wstring_view host = authority.substr(0, authority.find(L':'));
    if (host == L"localhost") return true;
    if (!host.starts_with(L"127.")) return false;
    int dots = 0;
    for (wchar_t c : host) {
        if (c == L'.') ++dots;
        else if (c < L'0' || c > L'9') return false;
    }
    return dots == 3 && host.back() != L'.' && host.find(L"..") == std::wstring_view::npos;
}

}  // namespace

std::wstring RebaseUrl(const std::wstring& url, const std::wstring& base) {
    const auto baseScheme = base.find(L"://");
    if (base.empty() || baseScheme == std::wstring::npos || baseScheme == 0 || baseScheme + 3 >= base.size()) return url;
    std::wstring authority = base;
    // Only scheme and host (and port) of the base count; a trailing slash or path is ignored.
    const auto basePath = authority.find(L'/', baseScheme + 3);
    if (basePath != std::wstring::npos) authority.resize(basePath);
    if (!IsLoopbackHost(std::wstring_view(authority).substr(baseScheme + 3))) return url;
    const auto scheme = url.find(L"://");
    if (scheme == std::wstring::npos) return url;
    const auto path = url.find(L'/', scheme + 3);
    return authority + (path == std::wstring::npos ? L"" : url.substr(path));
}

}  // namespace ravenlock
