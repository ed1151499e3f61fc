#include "platform/store_rules.h"

#include <cstdint>
#include <cwctype>

#include "platform/game_edition.h"

namespace ravenlock {

namespace {

uint32_t ReadU32(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

// A path relative to a drive's root that stays on that drive.
bool StaysOnDrive(const std::wstring& path) {
    if (path.empty() || path.size() > 240) return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring_view part(path.data() + start, end - start);
        // Windows drops a part's trailing dots and blanks: "..." or ". ." would climb too.
        if (!part.empty() && (part.back() == L'.' || part.back() == L' ')) return false;
        start = end + 1;
    }
    for (wchar_t c : path)
        if (c < 0x20 || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|')
            return false;
    return true;
}

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

}  // namespace

std::vector<std::wstring> ParseGamingRoot(std::string_view bytes) {
    if (bytes.size() < 8 || bytes.size() > kGamingRootMaxBytes || bytes.substr(0, 4) != "RGBX") return {};
    const uint32_t count = ReadU32(bytes, 4);
    if (count > kGamingRootMaxFolders) return {};
    std::vector<std::wstring> folders;
    size_t at = 8;
    for (uint32_t i = 0; i < count; ++i) {
        std::wstring path;
        bool ended = false;
        while (at + 1 < bytes.size()) {
            const auto unit = static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) |
                                                   (static_cast<unsigned char>(bytes[at + 1]) << 8));
            at += 2;
            if (unit == 0) {
                ended = true;
                break;
            }
            path += unit;
        }
        if (!ended) return {};  // cut short: the count promises more than the file holds
        while (!path.empty() && (path.front() == L'\\' || path.front() == L'/')) path.erase(0, 1);
        while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
        if (!StaysOnDrive(path)) return {};
        folders.push_back(path);
    }
    return folders;
}

bool IsGamePackageName(std::wstring_view package) {
    // The family is Name_PublisherId; a full name puts version, architecture and
    // resource between the two.
    const std::wstring family = Lower(kStorePackageFamily);
    const size_t split = family.rfind(L'_');
    const std::wstring name = family.substr(0, split + 1), publisher = family.substr(split);
    const std::wstring p = Lower(package);
    if (p == family) return true;
    return p.size() > name.size() + publisher.size() && p.compare(0, name.size(), name) == 0 &&
           p.compare(p.size() - publisher.size(), publisher.size(), publisher) == 0;
}

std::wstring StoreRootFolder(std::wstring root) {
    if (root.rfind(L"\\\\?\\", 0) == 0) root.erase(0, 4);
    for (auto& c : root)
        if (c == L'/') c = L'\\';
    if (root.size() < 3 || !std::iswalpha(root[0]) || root[1] != L':' || root[2] != L'\\') return L"";
    if (!StaysOnDrive(root.substr(3)) && root.size() > 3) return L"";
    if (root.back() != L'\\') root += L'\\';
    return root;
}

}  // namespace ravenlock
