#include "platform/file_system.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/app_error.h"
#include "platform/late_libraries.h"
#include "platform/paths.h"

namespace ravenlock {

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReparsePoint(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring OwnExecutablePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

std::wstring SystemProgramPath(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, n < MAX_PATH ? n : 0) + L"\\" + fileName;
}

std::wstring WindowsProgramPath(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, n < MAX_PATH ? n : 0) + L"\\" + fileName;
}

namespace {

// The shell's folder by its CSIDL; empty when it cannot be had, the shell itself included.
std::wstring ShellFolder(int csidl) {
    const late::Shell32Api* shell = late::TryShell32();
    wchar_t path[MAX_PATH] = {};
    if (!shell || FAILED(shell->SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return L"";
    return path;
}

}  // namespace

std::wstring DocumentsFolder() { return ShellFolder(CSIDL_PERSONAL); }

std::wstring LocalAppDataFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA); }

std::vector<FolderEntry> ListFolder(const std::wstring& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!LongNameMatches(name, pattern)) continue;  // matched by its short name only
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, found.ftLastWriteTime,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::wstring SystemErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = n ? std::wstring(text, n) : L"Ошибка " + std::to_wstring(code);
    LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) result.pop_back();
    return result;
}

namespace {
[[noreturn]] void ThrowFileError(const wchar_t* what, const std::wstring& path, DWORD code) {
    throw AppError(std::wstring(what) + L" \"" + path + L"\". " + SystemErrorText(code));
}
}  // namespace

std::string ReadWholeFile(const std::wstring& path, uint64_t maxBytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) ThrowFileError(L"Cannot open file", path, GetLastError());
    std::string bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    if (static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        CloseHandle(f);
        ThrowFileError(L"Cannot open file", path, ERROR_FILE_TOO_LARGE);
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    const BOOL ok = bytes.empty() || ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(f);
    if (!ok) ThrowFileError(L"Cannot open file", path, error);
    bytes.resize(got);
    return bytes;
}

namespace {
constexpr wchar_t kNewSuffix[] = L".ravenlock-new";
constexpr wchar_t kOldSuffix[] = L".ravenlock-old";

// Writes the bytes to a file of that name, made anew and flushed; 0 or the error code.
DWORD WriteFreshFile(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ok = ok && FlushFileBuffers(f);
    const DWORD error = ok ? 0 : (GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    CloseHandle(f);
    if (error) DeleteFileW(path.c_str());
    return error;
}
}  // namespace

void ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring temp = path + kNewSuffix;
    DWORD error = WriteFreshFile(temp, bytes);
    if (error) ThrowFileError(L"Cannot create file", path, error);
    bool ok;
    // Over an existing file ReplaceFile keeps what a rename would drop: its security
    // descriptor, attributes and creation time.
    if (!FileExists(path)) {
        ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
    } else {
        // A file someone holds open is refused before ReplaceFile tries, which may
        // leave a stray file of its own beside it when it fails half-way.
        HANDLE target = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ok = target != INVALID_HANDLE_VALUE;
        if (ok) CloseHandle(target);
        ok = ok && ReplaceFileW(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    }
    error = GetLastError();
    if (!ok) {
        DeleteFileW(temp.c_str());
        ThrowFileError(L"Cannot create file", path, error);
    }
}

void ChangeFilesTogether(const std::vector<FileChange>& changes) {
    const size_t n = changes.size();
    std::vector<bool> written(n), aside(n), placed(n);
    const auto fresh = [&](size_t i) { return changes[i].path + kNewSuffix; };
    const auto old = [&](size_t i) { return changes[i].path + kOldSuffix; };
    // Undoes what was done so far and says which files stay changed when that fails too.
    const auto undo = [&](size_t failed, DWORD error) {
        std::vector<std::wstring> changed;
        for (size_t i = 0; i < n; ++i) {
            const std::wstring& path = changes[i].path;
            bool back = true;
            if (placed[i]) back = DeleteFileW(path.c_str()) != FALSE;
            if (back && aside[i]) back = MoveFileExW(old(i).c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
            if (!back) changed.push_back(path);
            if (written[i] && !placed[i]) DeleteFileW(fresh(i).c_str());
        }
        throw FileSetError(L"Cannot create file \"" + changes[failed].path + L"\". " + SystemErrorText(error),
                           std::move(changed));
    };
    for (size_t i = 0; i < n; ++i) {
        if (!changes[i].bytes) continue;
        if (const DWORD error = WriteFreshFile(fresh(i), *changes[i].bytes)) undo(i, error);
        written[i] = true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (GetFileAttributesW(changes[i].path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        // A file someone holds without sharing its deletion is refused here, before any moves in.
        if (!MoveFileExW(changes[i].path.c_str(), old(i).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            undo(i, GetLastError());
        aside[i] = true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!written[i]) continue;
        if (!MoveFileExW(fresh(i).c_str(), changes[i].path.c_str(), MOVEFILE_WRITE_THROUGH)) undo(i, GetLastError());
        placed[i] = true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!aside[i]) continue;
        SetFileAttributesW(old(i).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(old(i).c_str());  // a stray copy at worst; the set itself is whole
    }
}

}  // namespace ravenlock
