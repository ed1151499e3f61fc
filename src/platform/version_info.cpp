#include "platform/version_info.h"

#include <windows.h>

#include <vector>

#include "platform/process_rules.h"

namespace ravenlock {

std::wstring GetFileVersionString(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return L"";
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return L"";
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
        len < sizeof(VS_FIXEDFILEINFO))
        return L"";
    return FormatFileVersion(info->dwFileVersionMS, info->dwFileVersionLS);
}

}  // namespace ravenlock

namespace ravenlock {

std::wstring GameVersionOf(const GameEdition& edition) {
    // The Store's executable is encrypted and cannot be read: its package says the version.
    if (edition.Kind == EditionKind::Store) return edition.StoreVersion;
    return GetFileVersionString(edition.ExecutablePath());
}

}  // namespace ravenlock
