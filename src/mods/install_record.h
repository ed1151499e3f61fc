#pragma once
// The record an install leaves behind (mod.json, UTF-8): which source it came from and
// when, every file written with its size and SHA-256, and the files it replaced, kept in
// the record's folder so that removing the mod puts them back. Removal trusts nothing in
// it: a record that fails these rules reads as no record at all.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

struct RecordedFile {
    std::wstring path;    // relative to the game folder ("Data\\x.ba2")
    uint64_t size = 0;
    std::string sha256;   // 64 lower-case hex digits
    bool operator==(const RecordedFile&) const = default;
};

struct KeptFile {
    std::wstring path;  // where it was, relative to the game folder
    std::wstring kept;  // its file name in the record's folder
    bool operator==(const KeptFile&) const = default;
};

struct InstallRecord {
    std::wstring sourceName;   // "mod.zip"
    std::wstring installedAt;  // UTC, "2026-12-11T10:30:00Z"
    std::vector<RecordedFile> files;
    std::vector<KeptFile> replaced;
    bool operator==(const InstallRecord&) const = default;
};

// The file's bytes.
std::string InstallRecordJson(const InstallRecord& record);
// The record, or nothing for anything that is not one: not JSON, a member missing or of
// the wrong kind, a size that is no number, a hash that is not 64 hex digits, a path that
// could leave the game folder, a kept name that could leave the record's folder.
std::optional<InstallRecord> ReadInstallRecord(std::string_view json);

// The record file's name in its folder.
inline constexpr wchar_t kInstallRecordFile[] = L"mod.json";

// The UTC time fields of a record's install time; nothing for any other text.
struct RecordTime {
    int year, month, day, hour, minute, second;
};
std::optional<RecordTime> ParseRecordTime(std::wstring_view text);
std::wstring FormatRecordTime(const RecordTime& t);  // "2026-12-11T10:30:00Z"

// Whether a record's path names this file of Data (dataRelative is Data's path relative
// to the game folder, "Data\\"): letter case ignored, "/" and "\" the same.
bool RecordPathIs(std::wstring_view recordPath, std::wstring_view dataRelative, std::wstring_view fileName);

}  // namespace ravenlock
