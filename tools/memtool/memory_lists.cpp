#include "memory_lists.h"

#include <windows.h>

namespace memtool {
namespace {

// Information class and commands of the memory-list interface (ntdll, not in the SDK headers).
constexpr ULONG kSystemMemoryListInformation = 80;
constexpr int kMemoryEmptyWorkingSets = 2;
constexpr int kMemoryPurgeStandbyList = 4;

// The reply to the query; page counts are pointer-sized on every architecture.
struct SystemMemoryListInformation {
    ULONG_PTR zeroPageCount;
    ULONG_PTR freePageCount;
    ULONG_PTR modifiedPageCount;
    ULONG_PTR modifiedNoWritePageCount;
    ULONG_PTR badPageCount;
    ULONG_PTR pageCountByPriority[8];  // the standby list, by page priority
    ULONG_PTR repurposedPagesByPriority[8];
    ULONG_PTR modifiedPageCountPageFile;
};

using NtSetSystemInformationFn = LONG(NTAPI*)(ULONG, PVOID, ULONG);
using NtQuerySystemInformationFn = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// Looked up at run time: undocumented exports may be absent (older systems, Wine).
template <typename Fn>
Fn NtdllFunction(const char* name) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

bool EnablePrivilege(const wchar_t* name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueW(nullptr, name, &tp.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr) &&
              // AdjustTokenPrivileges succeeds even when the token lacks the privilege.
              GetLastError() != ERROR_NOT_ALL_ASSIGNED;
    CloseHandle(token);
    return ok;
}

}  // namespace

Result RunMemoryCommand(Action action) {
    if (!EnablePrivilege(SE_PROF_SINGLE_PROCESS_NAME)) return {Outcome::NoPrivilege, 0};
    if (action == Action::EmptyWorkingSets) {
        // Trimming other processes may also need this one; the token of an administrator
        // normally has it, and the system says so if it is really missing.
        EnablePrivilege(SE_INCREASE_QUOTA_NAME);
    }
    auto set = NtdllFunction<NtSetSystemInformationFn>("NtSetSystemInformation");
    if (!set) return {Outcome::Unsupported, 0};
    int command = action == Action::PurgeStandby ? kMemoryPurgeStandbyList : kMemoryEmptyWorkingSets;
    return ClassifyStatus(static_cast<uint32_t>(set(kSystemMemoryListInformation, &command, sizeof command)));
}

void PrepareMemoryQuery() { EnablePrivilege(SE_PROF_SINGLE_PROCESS_NAME); }

MemoryFigures QueryMemoryFigures() {
    MemoryFigures f;
    MEMORYSTATUSEX ms{};
    ms.dwLength = sizeof ms;
    if (GlobalMemoryStatusEx(&ms)) {
        f.total = ms.ullTotalPhys;
        f.available = ms.ullAvailPhys;
        f.loadPercent = ms.dwMemoryLoad;
    }
    static const auto query = NtdllFunction<NtQuerySystemInformationFn>("NtQuerySystemInformation");
    SystemMemoryListInformation lists{};
    ULONG returned = 0;
    if (query && query(kSystemMemoryListInformation, &lists, sizeof lists, &returned) >= 0 &&
        returned >= offsetof(SystemMemoryListInformation, repurposedPagesByPriority)) {
        SYSTEM_INFO si{};
        GetSystemInfo(&si);
        uint64_t pages[8];
        for (int i = 0; i < 8; ++i) pages[i] = lists.pageCountByPriority[i];
        f.standby = StandbyBytes(pages, si.dwPageSize);
    }
    return f;
}

}  // namespace memtool
