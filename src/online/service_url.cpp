#include "online/service_url.h"

namespace ravenlock {

std::wstring RebaseUrl(const std::wstring& url, const std::wstring& base) {
    const auto baseScheme = base.find(L"://");
    if (base.empty() || baseScheme == std::wstring::npos || baseScheme == 0 || baseScheme + 3 >= base.size()) return url;
    std::wstring authority = base;
    // Only scheme and host (and port) of the base count; a trailing slash or path is ignored.
    const auto basePath = authority.find(L'/', baseScheme + 3);
    if (basePath != std::wstring::npos) authority.resize(basePath);
    const auto scheme = url.find(L"://");
    if (scheme == std::wstring::npos) return url;
    const auto path = url.find(L'/', scheme + 3);
    return authority + (path == std::wstring::npos ? L"" : url.substr(path));
}

}  // namespace ravenlock
