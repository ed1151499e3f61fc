#include "test_support.h"

#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <stdexcept>
#include <thread>

namespace testing_support {

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = std::wstring(base) + L"ravenlock-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
    // Double-zero-terminated list for SHFileOperation.
    std::wstring from = path_.substr(0, path_.size() - 1);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& args) {
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
        throw std::runtime_error("could not start a stand-in process");
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    if (!HasExited()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::HasExited(DWORD waitMs) const {
    return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
}

uint64_t WorkingSetMiBOf(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) return 0;
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof(c);
    const uint64_t mib = GetProcessMemoryInfo(h, &c, sizeof(c)) ? c.WorkingSetSize >> 20 : 0;
    CloseHandle(h);
    return mib;
}

std::vector<DWORD> ProcessIdsNamed(const std::wstring& name) {
    std::vector<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
        if (name == e.szExeFile) ids.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return ids;
}

std::vector<uint8_t> LoadTestResource(const wchar_t* name) {
    HRSRC res = FindResourceW(nullptr, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return {};
    HGLOBAL data = LoadResource(nullptr, res);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(nullptr, res));
}

}  // namespace testing_support
