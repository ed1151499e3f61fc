#include "mods/install_record.h"

#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "gameconfig/line_list.h"
#include "mods/ba2_reader.h"
#include "mods/install_rules.h"
#include "online/json_text.h"
#include "platform/app_error.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

using json = nlohmann::json;

std::string Utf8(std::wstring_view text) { return WideToUtf8(text); }

bool IsHash(const std::string& text) {
    if (text.size() != 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

std::optional<uint64_t> Size(const std::wstring& text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    uint64_t v = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - L'0');
        if (v > (UINT64_MAX - digit) / 10) return std::nullopt;
        v = v * 10 + digit;
    }
    return v;
}

// A path below the game folder that names a file: nothing that could climb out of it.
bool SafeRelativeFile(const std::wstring& path) {
    return !UnsafeEntryName(path) && path.back() != L'\\' && path.back() != L'/';
}

bool SafeKeptName(const std::wstring& name) {
    return !UnsafeEntryName(name) && name.find_first_of(L"\\/") == std::wstring::npos;
}

}  // namespace

std::string InstallRecordJson(const InstallRecord& record) {
    json files = json::array();
    for (const auto& f : record.files)
        files.push_back({{"path", Utf8(f.path)}, {"size", f.size}, {"sha256", f.sha256}});
    json replaced = json::array();
    for (const auto& k : record.replaced) replaced.push_back({{"path", Utf8(k.path)}, {"kept", Utf8(k.kept)}});
    const json doc = {{"source", Utf8(record.sourceName)},
                      {"installed", Utf8(record.installedAt)},
                      {"files", files},
                      {"replaced", replaced}};
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::optional<InstallRecord> ReadInstallRecord(std::string_view text) {
    try {
        const json doc = ParseJsonReply(text);
        if (!doc.is_object()) return std::nullopt;
        InstallRecord record;
        record.sourceName = JsonMemberText(doc, "source");
        record.installedAt = JsonMemberText(doc, "installed");
        if (!ParseRecordTime(record.installedAt)) return std::nullopt;
        const json& files = JsonMember(doc, "files");
        const json& replaced = JsonMember(doc, "replaced");
        if (!files.is_array() || !replaced.is_array()) return std::nullopt;
        for (const json& f : files) {
            if (!f.is_object() || !JsonMember(f, "sha256").is_string()) return std::nullopt;
            RecordedFile file{JsonMemberText(f, "path"), 0, JsonMember(f, "sha256").get<std::string>()};
            const auto size = Size(JsonMemberText(f, "size"));
            if (!size || !IsHash(file.sha256) || !SafeRelativeFile(file.path)) return std::nullopt;
            // A number written as a string is not a number.
            if (JsonMember(f, "size").is_string()) return std::nullopt;
            file.size = *size;
            record.files.push_back(std::move(file));
        }
        for (const json& k : replaced) {
            if (!k.is_object()) return std::nullopt;
            KeptFile kept{JsonMemberText(k, "path"), JsonMemberText(k, "kept")};
            if (!SafeRelativeFile(kept.path) || !SafeKeptName(kept.kept) || SameName(kept.kept, kInstallRecordFile))
                return std::nullopt;
            record.replaced.push_back(std::move(kept));
        }
        return record;
    } catch (const AppError&) {
        return std::nullopt;
    } catch (const json::exception&) {
        return std::nullopt;
    }
}

std::optional<RecordTime> ParseRecordTime(std::wstring_view text) {
    // Exactly "YYYY-MM-DDTHH:MM:SSZ".
    if (text.size() != 20) return std::nullopt;
    const wchar_t* shape = L"0000-00-00T00:00:00Z";
    for (size_t i = 0; i < text.size(); ++i) {
        if (shape[i] == L'0' ? (text[i] < L'0' || text[i] > L'9') : text[i] != shape[i]) return std::nullopt;
    }
    auto num = [&](size_t at, size_t n) {
        int v = 0;
        for (size_t i = at; i < at + n; ++i) v = v * 10 + (text[i] - L'0');
        return v;
    };
    RecordTime t{num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)};
    if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59)
        return std::nullopt;
    return t;
}

std::wstring FormatRecordTime(const RecordTime& t) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

bool RecordPathIs(std::wstring_view recordPath, std::wstring_view dataRelative, std::wstring_view fileName) {
    return ArchivePathKey(recordPath) == ArchivePathKey(std::wstring(dataRelative) + std::wstring(fileName));
}

}  // namespace ravenlock
