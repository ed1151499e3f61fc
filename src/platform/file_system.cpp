#include "platform/file_system.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/app_error.h"
#include "platform/late_libraries.h"

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
        entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, found.ftLastWriteTime});
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

void ReplaceWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring temp = path + L".ravenlock-new";
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) ThrowFileError(L"Cannot create file", path, GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    ok = ok && FlushFileBuffers(f);
    DWORD error = GetLastError();
    CloseHandle(f);
    if (ok) {
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
    }
    if (!ok) {
        DeleteFileW(temp.c_str());
        ThrowFileError(L"Cannot create file", path, error);
    }
}

}  // namespace ravenlock
