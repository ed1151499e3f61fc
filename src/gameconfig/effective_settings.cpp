#include "gameconfig/effective_settings.h"

#include <algorithm>

#include "gameconfig/ini_section.h"

namespace ravenlock {

namespace {

// The name of a "[name]" header line, trimmed; nothing for any other line.
std::optional<std::wstring> HeaderName(std::wstring_view line) {
    const std::wstring_view text = TrimBlanks(line);
    if (text.empty() || text.front() != L'[') return std::nullopt;
    const auto close = text.find(L']');
    return std::wstring(TrimBlanks(text.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1)));
}

bool IsComment(std::wstring_view line) {
    const std::wstring_view text = TrimBlanks(line);
    return text.empty() || text.front() == L';';
}

}  // namespace

EffectiveSettings::EffectiveSettings(const std::vector<SettingsFileBytes>& files, const AnsiCodec& ansi) {
    for (const auto& source : files) {
        File file{source.name, {}};
        if (source.bytes) {
            LineList list;
            list.Load(*source.bytes, ansi);
            // Lines above the first header belong to a section without a name.
            file.sections.push_back({L"", {}});
            for (const auto& line : list.Lines()) {
                if (auto header = HeaderName(line)) {
                    file.sections.push_back({std::move(*header), {}});
                } else if (!IsComment(line)) {
                    auto entry = ParseEntryLine(line);
                    file.sections.back().entries.push_back({std::move(entry.key), std::move(entry.value)});
                }
            }
        }
        files_.push_back(std::move(file));
    }
}

std::optional<std::wstring> EffectiveSettings::ValueIn(const File& file, std::wstring_view section,
                                                       std::wstring_view key) {
    for (const auto& s : file.sections) {
        if (!SameName(s.name, section)) continue;
        for (const auto& e : s.entries)
            if (SameName(e.key, key)) return e.value;
        return std::nullopt;  // a repeated section is not read
    }
    return std::nullopt;
}

std::vector<KeySetting> EffectiveSettings::SettersOf(std::wstring_view section, std::wstring_view key) const {
    std::vector<KeySetting> setters;
    for (size_t i = 0; i < files_.size(); ++i)
        if (auto value = ValueIn(files_[i], section, key)) setters.push_back({i, std::move(*value)});
    return setters;
}

std::optional<KeySetting> EffectiveSettings::OverrideOf(size_t file, std::wstring_view section,
                                                        std::wstring_view key) const {
    auto setters = SettersOf(section, key);
    if (setters.empty() || setters.back().file <= file) return std::nullopt;
    return std::move(setters.back());
}

std::vector<std::optional<KeySetting>> EffectiveSettings::LineOverrides(size_t file,
                                                                       const std::vector<std::wstring>& lines) const {
    std::vector<std::optional<KeySetting>> overrides;
    overrides.reserve(lines.size());
    std::wstring section;  // lines above the first header belong to a section without a name
    for (const auto& line : lines) {
        if (auto header = HeaderName(line)) {
            section = std::move(*header);
            overrides.emplace_back();
        } else if (IsComment(line)) {
            overrides.emplace_back();
        } else {
            // Every line of the key counts, a repeated one too: whichever the game reads
            // from this file, the later file's value is the one it uses.
            overrides.push_back(OverrideOf(file, section, ParseEntryLine(line).key));
        }
    }
    return overrides;
}

std::wstring OverriddenHint(const std::wstring& fileName, std::wstring_view section, std::wstring_view key,
                            std::wstring_view value) {
    return L"Не действует: значение задано в " + fileName + L" ([" + std::wstring(section) + L"] " +
           std::wstring(key) + L"=" + std::wstring(value) + L")";
}

std::wstring RemoveOverrideCaption(const std::wstring& fileName) { return L"Убрать перекрытие из " + fileName; }

std::wstring EffectiveValueNote(const std::wstring& fileName, std::wstring_view value) {
    return L"Действует: " + std::wstring(value) + L" из " + fileName;
}

std::vector<std::wstring> WithoutKey(const std::vector<std::wstring>& lines, std::wstring_view section,
                                     std::wstring_view key) {
    std::vector<std::wstring> kept;
    bool inSection = SameName(section, L"");  // lines above the first header
    bool sectionSeen = inSection;
    for (const auto& line : lines) {
        if (auto header = HeaderName(line)) {
            inSection = !sectionSeen && SameName(*header, section);
            sectionSeen = sectionSeen || inSection;
        } else if (inSection && !IsComment(line) && SameName(ParseEntryLine(line).key, key)) {
            continue;
        }
        kept.push_back(line);
    }
    return kept;
}

std::vector<std::wstring> WithKeyValue(const std::vector<std::wstring>& lines, std::wstring_view section,
                                       std::wstring_view key, std::wstring_view value) {
    std::vector<std::wstring> result = lines;
    bool inSection = SameName(section, L"");  // lines above the first header
    bool sectionSeen = inSection;
    std::optional<size_t> lastOfSection;  // the section's header or last non-blank line
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& line = lines[i];
        if (auto header = HeaderName(line)) {
            inSection = !sectionSeen && SameName(*header, section);
            sectionSeen = sectionSeen || inSection;
            if (inSection) lastOfSection = i;
            continue;
        }
        if (!inSection) continue;
        if (!TrimBlanks(line).empty()) lastOfSection = i;
        if (!IsComment(line) && SameName(ParseEntryLine(line).key, key)) {
            const size_t eq = line.find(L'=');
            if (eq == std::wstring::npos) {
                result[i] = line + L"=" + std::wstring(value);
            } else {
                const size_t start = std::min(line.find_first_not_of(L" \t", eq + 1), line.size());
                result[i] = line.substr(0, start) + std::wstring(value);
            }
            return result;
        }
    }
    const std::wstring entry = std::wstring(key) + L"=" + std::wstring(value);
    if (sectionSeen) {
        result.insert(result.begin() + static_cast<std::ptrdiff_t>(lastOfSection ? *lastOfSection + 1 : 0), entry);
    } else {
        result.push_back(L"[" + std::wstring(section) + L"]");
        result.push_back(entry);
    }
    return result;
}

}  // namespace ravenlock
