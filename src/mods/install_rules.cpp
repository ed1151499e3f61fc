#include "mods/install_rules.h"

#include <cwctype>
#include <vector>

#include "gameconfig/line_list.h"
#include "mods/mod_lists.h"

namespace ravenlock {

namespace {

std::vector<std::wstring_view> PartsOf(std::wstring_view name) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of(L"\\/", start);
        if (end == std::wstring_view::npos) end = name.size();
        parts.push_back(name.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool IsDeviceName(std::wstring_view part) {
    // The name before the first dot counts: "CON.ba2" is the console as much as "CON".
    std::wstring base(part.substr(0, part.find(L'.')));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (auto& c : base) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device) return true;
    if (base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0))
        return (base[3] >= L'1' && base[3] <= L'9') || base[3] == L'\u00B9' || base[3] == L'\u00B2' || base[3] == L'\u00B3';
    return false;
}

bool EndsWith(std::wstring_view name, std::wstring_view suffix) {
    return name.size() >= suffix.size() && SameName(name.substr(name.size() - suffix.size()), suffix);
}

}  // namespace

std::optional<std::wstring> UnsafeEntryName(std::wstring_view name) {
    if (name.empty()) return L"пустое имя";
    if (name.size() > kMaxEntryPathLength) return L"слишком длинный путь";
    if (name.front() == L'\\' || name.front() == L'/') return L"абсолютный путь";
    if (name.find(L':') != std::wstring_view::npos) return L"имя диска или поток файла (\":\")";
    for (wchar_t c : name)
        if (c < 0x20 || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|')
            return L"недопустимый символ в имени";
    const auto parts = PartsOf(name);
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::wstring_view part = parts[i];
        // A folder entry ends in a separator: its last part is empty, and only that one may be.
        if (part.empty()) {
            if (i + 1 == parts.size() && i > 0) continue;
            return L"пустая часть пути";
        }
        if (part == L"." || part == L"..") return L"выход за пределы папки (\"..\")";
        if (part.back() == L'.' || part.back() == L' ') return L"имя оканчивается точкой или пробелом";
        if (IsDeviceName(part)) return L"зарезервированное имя устройства";
    }
    return std::nullopt;
}

EntryPlan PlanEntry(std::wstring_view name, EntryKind kind) {
    if (kind == EntryKind::Link) return {EntryPlan::Refuse, L"", L"ссылки не устанавливаются"};
    if (const auto unsafe = UnsafeEntryName(name)) return {EntryPlan::Refuse, L"", *unsafe};
    const auto parts = PartsOf(name);
    const std::wstring_view file = parts.back();
    if (kind == EntryKind::Folder || file.empty()) return {EntryPlan::Skip, L"", L""};
    const bool ba2 = EndsWith(file, L".ba2");
    bool strings = false;
    for (size_t i = 0; i + 1 < parts.size(); ++i) strings = strings || SameName(parts[i], L"Strings");
    // The game's own archives and strings are never replaced by a mod.
    if ((ba2 || strings) && IsGameArchive(file)) return {EntryPlan::Refuse, L"", L"файл игры не заменяется"};
    if (ba2) return {EntryPlan::Install, std::wstring(file), L""};
    if (strings) return {EntryPlan::Install, L"Strings\\" + std::wstring(file), L""};
    if (EndsWith(file, L".exe") || EndsWith(file, L".dll") || EndsWith(file, L".bat") || EndsWith(file, L".cmd") ||
        EndsWith(file, L".com") || EndsWith(file, L".scr") || EndsWith(file, L".ps1"))
        return {EntryPlan::Skip, L"", kReasonProgram};
    return {EntryPlan::Skip, L"", kReasonNotArchive};
}

std::optional<std::wstring> OversizedEntry(uint64_t unpacked, uint64_t packed, uint64_t totalSoFar) {
    if (unpacked > kMaxUnpackedBytes) return L"распакованный файл больше 8 ГБ";
    if (totalSoFar > kMaxUnpackedBytes || unpacked > kMaxUnpackedBytes - totalSoFar)
        return L"всё распакованное больше 8 ГБ";
    // An empty entry packs to nothing; anything else may grow at most a thousandfold.
    if (unpacked > 0 && (packed == 0 || unpacked / packed > kMaxPackRatio)) return L"слишком высокая степень сжатия";
    return std::nullopt;
}

}  // namespace ravenlock
