#include "disk_files.h"

#include <fstream>
#include <iterator>

#include "sandbox.h"

namespace e2e {

namespace {

std::string Encode(UINT codePage, const std::wstring& text) {
    if (text.empty()) return "";
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::wstring Decode(UINT codePage, const std::string& bytes) {
    if (bytes.empty()) return L"";
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

std::wstring Trim(const std::wstring& s) {
    const auto first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return L"";
    return s.substr(first, s.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

bool ExistsAsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool DeleteFileAnyway(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path.c_str()) != 0;
}

std::string Cp1251(const std::wstring& text) { return Encode(1251, text); }
std::string Utf8(const std::wstring& text) { return Encode(CP_UTF8, text); }

std::string AnsiLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    return Cp1251(text);
}

std::wstring ProfilePath(const std::wstring& name) { return sandbox::ProfileFolder() + name; }

bool WriteProfileFile(const std::wstring& name, const std::vector<std::wstring>& lines) {
    return WriteBytes(ProfilePath(name), AnsiLines(lines));
}

IniEntries ReadIniEntries(const std::wstring& path) {
    IniEntries entries;
    const auto bytes = ReadBytes(path);
    if (!bytes) return entries;
    const std::wstring text = Decode(1251, *bytes);
    std::wstring section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            section = line.substr(1, line.find(L']') - 1);
            continue;
        }
        const auto eq = line.find(L'=');
        if (eq == std::wstring::npos) continue;
        entries[{section, Trim(line.substr(0, eq))}] = Trim(line.substr(eq + 1));
    }
    return entries;
}

FileLock::FileLock(const std::wstring& path)
    : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

FileLock::~FileLock() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

std::optional<DWORD> ReadDword(const std::wstring& key, const std::wstring& name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local) {
    FILETIME localTime{}, utc{};
    if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utc)) return false;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = SetFileTime(file, nullptr, nullptr, &utc) != 0;
    CloseHandle(file);
    return ok;
}

}  // namespace e2e
