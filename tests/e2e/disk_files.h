#pragma once
// What the program leaves on disk and in the registry, read and prepared byte for byte:
// the game's INI files in their own form (ANSI, CR LF), INI entries as they stand in the
// file, locks that make a write fail, and the settings store's numbers.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

bool ExistsAsFile(const std::wstring& path);
// The whole file; nullopt when it cannot be read.
std::optional<std::string> ReadBytes(const std::wstring& path);
// Replaces the file (made writable first); false when it cannot be written.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool DeleteFileAnyway(const std::wstring& path);  // read-only too

// Text in the Russian ANSI code page (1251) and in UTF-8.
std::string Cp1251(const std::wstring& text);
std::string Utf8(const std::wstring& text);
// Lines joined as the game writes them: each followed by CR LF, in code page 1251.
std::string AnsiLines(const std::vector<std::wstring>& lines);

// A file of the game's profile folder, e.g. ProfilePath(L"Fallout76.ini").
std::wstring ProfilePath(const std::wstring& name);
bool WriteProfileFile(const std::wstring& name, const std::vector<std::wstring>& lines);

// The entries of an INI file as they stand: (section, key) -> the value with the blanks
// around it removed but quotes kept, so that a value the program wrote (which it writes
// without quotes) is told from one it left alone. Comments and other lines are ignored.
using IniEntries = std::map<std::pair<std::wstring, std::wstring>, std::wstring>;
IniEntries ReadIniEntries(const std::wstring& path);

// Holds a file open without sharing, as another program may, so that writes to it fail.
class FileLock {
public:
    explicit FileLock(const std::wstring& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// A REG_DWORD under HKEY_CURRENT_USER; nullopt when missing or of another type.
std::optional<DWORD> ReadDword(const std::wstring& key, const std::wstring& name);

// Sets a file's last-write time to a moment of local time.
bool SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local);

}  // namespace e2e
