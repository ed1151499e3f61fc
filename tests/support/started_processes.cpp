#include "started_processes.h"

#include <windows.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace ravenlock::testing {
namespace {

struct Start {
    std::wstring program;  // file name of the program, empty until read
    std::wstring arguments;
    bool done = false;
};

std::mutex lock;
std::vector<std::shared_ptr<Start>> starts;

bool Read(HANDLE process, const void* at, void* into, size_t size) {
    SIZE_T got = 0;
    return ReadProcessMemory(process, at, into, size, &got) && got == size;
}

std::wstring FileNamePart(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The command line from the process's parameter block, once the new process has set it
// up; empty while it has not.
std::wstring CommandLineOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG size = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &size) != 0 ||
        !basic.PebBaseAddress)
        return {};
    PRTL_USER_PROCESS_PARAMETERS remote = nullptr;
    if (!Read(process, &basic.PebBaseAddress->ProcessParameters, &remote, sizeof(remote)) || !remote) return {};
    RTL_USER_PROCESS_PARAMETERS params{};
    if (!Read(process, remote, &params, sizeof(params))) return {};
    const UNICODE_STRING& line = params.CommandLine;
    if (line.Length == 0 || line.Length % 2 != 0) return {};
    // Until the block is normalized, its buffers are offsets from its start.
    ULONG flags = 0;
    std::memcpy(&flags, params.Reserved1 + 8, sizeof(flags));
    const auto* buffer = reinterpret_cast<const char*>(line.Buffer);
    if (!(flags & 1)) buffer = reinterpret_cast<const char*>(remote) + reinterpret_cast<uintptr_t>(line.Buffer);
    std::wstring text(line.Length / 2, L'\0');
    if (!Read(process, buffer, text.data(), line.Length)) return {};
    return text;
}

void Follow(DWORD id, std::shared_ptr<Start> start) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    std::wstring line;
    if (process) {
        // The new process sets its parameters up before it loads anything; a tool that
        // lives for a moment still shows them for far longer than this loop needs.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while ((line = CommandLineOf(process)).empty() && WaitForSingleObject(process, 0) == WAIT_TIMEOUT &&
               std::chrono::steady_clock::now() < giveUp)
            Sleep(1);
        if (line.empty()) line = CommandLineOf(process);
        CloseHandle(process);
    }
    std::lock_guard<std::mutex> guard(lock);
    if (line.empty()) {
        start->arguments = L"(unread)";
    } else {
        int argc = 0;
        wchar_t** argv = CommandLineToArgvW(line.c_str(), &argc);
        for (int i = 0; argv && i < argc; ++i) {
            if (i == 0) {
                start->program = FileNamePart(argv[0]);
                continue;
            }
            if (i > 1) start->arguments += L' ';
            start->arguments += argv[i];
        }
        LocalFree(argv);
    }
    start->done = true;
}

void Listen(HANDLE port) {
    for (;;) {
        DWORD message = 0;
        ULONG_PTR key = 0;
        LPOVERLAPPED data = nullptr;
        if (!GetQueuedCompletionStatus(port, &message, &key, &data, INFINITE)) continue;
        if (message != JOB_OBJECT_MSG_NEW_PROCESS) continue;
        const auto id = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(data));
        if (id == GetCurrentProcessId()) continue;
        auto start = std::make_shared<Start>();
        {
            std::lock_guard<std::mutex> guard(lock);
            starts.push_back(start);
        }
        std::thread(Follow, id, start).detach();
    }
}

}  // namespace

void WatchStartedProcesses() {
    static std::once_flag once;
    std::call_once(once, [] {
        HANDLE job = CreateJobObjectW(nullptr, nullptr);
        HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT link{};
        link.CompletionKey = job;
        link.CompletionPort = port;
        if (!job || !port ||
            !SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &link, sizeof(link)) ||
            !AssignProcessToJobObject(job, GetCurrentProcess()))
            throw std::runtime_error("could not watch the processes this test starts");
        std::thread(Listen, port).detach();
    });
}

std::vector<std::wstring> StartedArguments(const std::wstring& programName) {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::wstring> found;
    for (const auto& s : starts) {
        if (!s->done) continue;
        if (s->program.empty() || CompareStringOrdinal(s->program.c_str(), -1, programName.c_str(), -1, TRUE) == CSTR_EQUAL)
            found.push_back(s->arguments);
    }
    return found;
}

StartsOf::StartsOf(std::wstring programName) : program_(std::move(programName)) {
    WatchStartedProcesses();
    earlier_ = StartedArguments(program_).size();
}

std::vector<std::wstring> StartsOf::Arguments() const {
    const auto all = StartedArguments(program_);
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(earlier_, all.size())), all.end()};
}

std::string StartsOf::Text() const {
    std::wstring text;
    for (const auto& a : Arguments()) text += L"[" + a + L"] ";
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return "starts of " + std::string(program_.begin(), program_.end()) + ": " + utf8;
}

}  // namespace ravenlock::testing
