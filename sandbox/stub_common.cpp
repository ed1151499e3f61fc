#include "stub_common.h"

#include <windows.h>
#include <shellapi.h>

namespace sandbox {

std::vector<std::wstring> Arguments() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

std::wstring Option(const std::vector<std::wstring>& args, const std::wstring& name, const std::wstring& fallback) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name) return args[i + 1];
    return fallback;
}

bool HasFlag(const std::vector<std::wstring>& args, const std::wstring& name) {
    for (const auto& a : args)
        if (a == name) return true;
    return false;
}

void HoldMemory(uint64_t mebibytes) {
    if (mebibytes == 0) return;
    const SIZE_T bytes = static_cast<SIZE_T>(mebibytes) << 20;
    // Let the working set grow to what we are about to touch.
    SetProcessWorkingSetSize(GetCurrentProcess(), bytes + (16u << 20), bytes + (64u << 20));
    auto* p = static_cast<volatile char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!p) return;
    for (SIZE_T i = 0; i < bytes; i += 4096) p[i] = static_cast<char>(i >> 12 | 1);
}

void Linger(uint32_t milliseconds) {
    if (milliseconds == 0) {
        for (;;) Sleep(INFINITE);
    }
    Sleep(milliseconds);
}

void AppendLog(const std::wstring& path, const std::wstring& line) {
    const std::wstring withBreak = line + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, withBreak.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, withBreak.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    // A stub may run before anything made the log folder (e.g. in the plain test prefix).
    const size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(f);
}

std::wstring FirstLineOf(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return L"";
    std::string bytes(4096, '\0');
    DWORD read = 0;
    if (!ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    CloseHandle(f);
    bytes.resize(read);
    bytes = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (bytes.empty()) return L"";
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring line(n > 0 ? n : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), line.data(), n);
    return line;
}

}  // namespace sandbox
