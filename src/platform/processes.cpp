#include "platform/processes.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/file_system.h"
#include "platform/late_libraries.h"
#include "platform/process_rules.h"

namespace ravenlock {

namespace {

struct Handle {
    HANDLE h;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle() {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return h && h != INVALID_HANDLE_VALUE; }
};

// Walks a fresh snapshot; visit returns false to stop the walk.
template <class Visit>
void WalkProcesses(Visit&& visit) {
    Handle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snap.Valid()) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32FirstW(snap.h, &entry); ok; ok = Process32NextW(snap.h, &entry)) {
        if (!visit(entry)) return;
    }
}

// Calls onMatch(pid) for every process whose executable name matches.
template <class OnMatch>
void ForEachMatching(const std::wstring& name, OnMatch&& onMatch) {
    const std::wstring wanted = ProcessFileName(name);
    WalkProcesses([&](const PROCESSENTRY32W& e) {
        const std::wstring_view exe(e.szExeFile, wcsnlen(e.szExeFile, MAX_PATH));
        if (ProcessNameMatches(wanted, exe)) return onMatch(e.th32ProcessID);
        return true;
    });
}

constexpr wchar_t kShellStarts[] = L"открытие программ, папок и адресов";

// The shell's start of a file, folder, address or program; COM first, as the shell asks.
void ShellStart(const std::wstring& target, const wchar_t* parameters, int show) {
    late::ComForThisThread(kShellStarts);
    late::Shell32(kShellStarts).ShellExecuteW(nullptr, L"Open", target.c_str(), parameters, nullptr, show);
}

}  // namespace

void RunProgram(const std::wstring& target) { RunProgramWithParams(target, L""); }

void RunProgramWithParams(const std::wstring& target, const std::wstring& parameters) {
    if (target.empty()) return;
    ShellStart(target, parameters.empty() ? nullptr : parameters.c_str(), SW_SHOWNORMAL);
}

void ShowInExplorer(const std::wstring& path) {
    RunProgramWithParams(WindowsProgramPath(L"explorer.exe"), L" /Select, \"" + path + L"\"");
}

bool ProcessExists(const std::wstring& name) {
    bool found = false;
    ForEachMatching(name, [&](DWORD) {
        found = true;
        return false;
    });
    return found;
}

int32_t GetProcessCount() {
    int32_t count = 0;
    WalkProcesses([&](const PROCESSENTRY32W&) {
        ++count;
        return true;
    });
    return count;
}

namespace {

// Limited information is all GetProcessMemoryInfo needs from Windows 7 on, and it is
// granted for more processes than full information and memory reading.
constexpr DWORD kReadAccess = PROCESS_QUERY_LIMITED_INFORMATION;

uint64_t WorkingSetMiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return (process && GetProcessMemoryInfo(process, &counters, sizeof(counters)))
               ? WorkingSetToMiB(counters.WorkingSetSize)
               : 0;
}

// The last match in snapshot order decides.
DWORD LastMatchingId(const std::wstring& name, bool& found) {
    DWORD last = 0;
    found = false;
    ForEachMatching(name, [&](DWORD pid) {
        last = pid;
        found = true;
        return true;
    });
    return last;
}

}  // namespace

uint64_t GetProcessMemoryMB(const std::wstring& name) {
    bool found = false;
    const DWORD pid = LastMatchingId(name, found);
    if (!found) return 0;
    Handle process(OpenProcess(kReadAccess, FALSE, pid));
    return process.Valid() ? WorkingSetMiB(process.h) : 0;
}

ProcessWatch::~ProcessWatch() {
    if (process_) CloseHandle(process_);
}

void ProcessWatch::Follow(const std::wstring& name) {
    if (name == name_) return;
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    name_ = name;
}

ProcessWatch::Reading ProcessWatch::Look() {
    if (process_ && WaitForSingleObject(process_, 0) != WAIT_TIMEOUT) {
        // It has ended: forget it, and look afresh (another copy may run, or a new one).
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (!process_) {
        bool found = false;
        const DWORD pid = LastMatchingId(name_, found);
        if (!found) return {};
        process_ = OpenProcess(SYNCHRONIZE | kReadAccess, FALSE, pid);
        // A process we may not open still runs; the next look takes a snapshot again.
        if (!process_) return {true, 0};
    }
    return {true, WorkingSetMiB(process_)};
}

bool SetProcessPriority(const std::wstring& name, uint32_t priorityClass) {
    bool matched = false;
    ForEachMatching(name, [&](DWORD pid) {
        Handle process(OpenProcess(PROCESS_SET_INFORMATION, FALSE, pid));
        if (process.Valid()) SetPriorityClass(process.h, priorityClass);
        matched = true;
        return true;
    });
    return matched;
}

void KillProcess(const std::wstring& name) {
    if (!ProcessExists(name)) return;
    const std::wstring params = L" /IM " + name + L" /F";
    ShellStart(SystemProgramPath(L"taskkill.exe"), params.c_str(), SW_HIDE);
}

}  // namespace ravenlock
