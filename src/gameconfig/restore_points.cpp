#include "gameconfig/restore_points.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

std::wstring Two(int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

// Exactly `width` decimal digits at pos.
std::optional<int> Digits(std::wstring_view text, size_t pos, size_t width) {
    if (pos + width > text.size()) return std::nullopt;
    int n = 0;
    for (size_t i = pos; i < pos + width; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        n = n * 10 + (text[i] - L'0');
    }
    return n;
}

}  // namespace

std::wstring PointFolderName(const PointStamp& s) {
    std::wstring name = std::to_wstring(s.year) + L"-" + Two(s.month) + L"-" + Two(s.day) + L" " + Two(s.hour) + L"-" +
                        Two(s.minute) + L"-" + Two(s.second);
    if (s.order > 0) name += L" #" + std::to_wstring(s.order);
    else if (s.sequence > 1) name += L" (" + std::to_wstring(s.sequence) + L")";
    return name;
}

std::optional<PointStamp> ParsePointFolderName(std::wstring_view name) {
    // yyyy-mm-dd HH-MM-SS
    static constexpr std::wstring_view kShape = L"0000-00-00 00-00-00";
    if (name.size() < kShape.size()) return std::nullopt;
    for (size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] != L'0' && name[i] != kShape[i]) return std::nullopt;
    const auto year = Digits(name, 0, 4), month = Digits(name, 5, 2), day = Digits(name, 8, 2),
               hour = Digits(name, 11, 2), minute = Digits(name, 14, 2), second = Digits(name, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    PointStamp stamp{*year, *month, *day, *hour, *minute, *second, 1};
    const std::wstring_view rest = name.substr(kShape.size());
    if (rest.empty()) return stamp;
    // " #n" with n from 1 on, no leading zero.
    if (rest.size() >= 3 && rest.substr(0, 2) == L" #" && rest[2] != L'0' && rest.size() <= 2 + 18) {
        uint64_t n = 0;
        for (wchar_t c : rest.substr(2)) {
            if (c < L'0' || c > L'9') return std::nullopt;
            n = n * 10 + static_cast<uint64_t>(c - L'0');
        }
        stamp.order = n;
        return stamp;
    }
    // " (n)" with n from 2 on, no leading zero.
    if (rest.size() < 4 || rest.substr(0, 2) != L" (" || rest.back() != L')' || rest[2] == L'0' || rest.size() > 12)
        return std::nullopt;
    const auto n = Digits(rest, 2, rest.size() - 3);
    if (!n || *n < 2) return std::nullopt;
    stamp.sequence = *n;
    return stamp;
}

std::wstring PointTimeText(const PointStamp& s) {
    return Two(s.day) + L"." + Two(s.month) + L"." + std::to_wstring(s.year) + L" " + Two(s.hour) + L":" +
           Two(s.minute) + L":" + Two(s.second);
}

std::wstring PointMenuCaption(const PointStamp& stamp, const std::wstring& action) {
    return PointTimeText(stamp) + L" — перед: " + action;
}

namespace {

std::vector<std::pair<PointStamp, std::wstring>> Stamped(const std::vector<std::wstring>& names) {
    std::vector<std::pair<PointStamp, std::wstring>> points;
    for (const auto& name : names)
        if (const auto stamp = ParsePointFolderName(name)) points.emplace_back(*stamp, name);
    // By the number of making first; the time text only among points of earlier versions.
    std::sort(points.begin(), points.end(), [](const auto& a, const auto& b) {
        if (a.first.order != b.first.order) return a.first.order > b.first.order;
        return a.first > b.first;
    });
    return points;
}

}  // namespace

std::vector<std::wstring> PointsNewestFirst(const std::vector<std::wstring>& folderNames) {
    std::vector<std::wstring> names;
    for (auto& [stamp, name] : Stamped(folderNames)) names.push_back(std::move(name));
    return names;
}

std::wstring NewPointFolderName(PointStamp at, const std::vector<std::wstring>& folderNames) {
    at.sequence = 1;
    at.order = 1;
    for (const auto& name : folderNames)
        if (const auto stamp = ParsePointFolderName(name)) at.order = std::max(at.order, stamp->order + 1);
    return PointFolderName(at);
}

std::vector<std::wstring> PointsBeyondLimit(const std::vector<std::wstring>& folderNames, size_t kept) {
    std::vector<std::wstring> names = PointsNewestFirst(folderNames);
    if (names.size() <= kept) return {};
    return std::vector<std::wstring>(names.begin() + static_cast<std::ptrdiff_t>(kept), names.end());
}

namespace {
constexpr size_t kMaxActionChars = 200;

std::wstring OneLine(std::wstring_view text) {
    std::wstring line;
    for (wchar_t c : text) line.push_back(c == L'\r' || c == L'\n' || c == L'\t' ? L' ' : c);
    return CutText(line, kMaxActionChars);
}
}  // namespace

std::string ActionFileBytes(const std::wstring& action) { return WideToUtf8(OneLine(action)); }

std::wstring ActionFromFileBytes(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const auto end = bytes.find_first_of("\r\n");
    return OneLine(Utf8ToWide(bytes.substr(0, std::min(end, bytes.size()))));
}

std::string FilesListBytes(const std::vector<std::wstring>& names) {
    std::string bytes;
    for (const auto& name : names) bytes += WideToUtf8(name) + "\r\n";
    return bytes;
}

bool FilesListNames(std::string_view bytes, const std::wstring& name) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        if (SameTextAscii(Utf8ToWide(bytes.substr(0, end)), name)) return true;
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return false;
}

}  // namespace ravenlock
