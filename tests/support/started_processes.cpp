#include "started_processes.h"

#include <windows.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <stdexcept>
#include <thread>

namespace ravenlock::testing {
namespace {

struct Start {
    std::wstring program;  // file name of the program, empty until read
    std::wstring arguments;
    std::wstring line;  // the whole command line
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

// The program file's name as the system knows it; empty while it does not yet.
std::wstring ImageNameOf(HANDLE process) {
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return QueryFullProcessImageNameW(process, 0, path, &size) ? FileNamePart(std::wstring(path, size)) : L"";
}

// The program's name and its arguments, from a command line.
std::pair<std::wstring, std::wstring> Split(const std::wstring& line) {
    std::pair<std::wstring, std::wstring> parts;
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(line.c_str(), &argc);
    for (int i = 0; argv && i < argc; ++i) {
        if (i == 0) {
            parts.first = FileNamePart(argv[0]);
            continue;
        }
        if (i > 1) parts.second += L' ';
        parts.second += argv[i];
    }
    LocalFree(argv);
    return parts;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void Follow(DWORD id, std::shared_ptr<Start> start) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    std::wstring image;
    std::optional<std::pair<std::wstring, std::wstring>> read;
    std::wstring whole;
    if (process) {
        // A block read while the new process is still being set up may not be its own yet:
        // only a command line that names the process's own program file counts.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            const bool ended = WaitForSingleObject(process, 0) != WAIT_TIMEOUT;
            if (image.empty()) image = ImageNameOf(process);
            const std::wstring line = CommandLineOf(process);
            if (!line.empty() && !image.empty()) {
                auto parts = Split(line);
                if (SameName(parts.first, image) || SameName(parts.first + L".exe", image)) {
                    read = std::move(parts);
                    whole = line;
                    break;
                }
            }
            if (ended || std::chrono::steady_clock::now() > giveUp) break;
            Sleep(1);
        }
        CloseHandle(process);
    }
    std::lock_guard<std::mutex> guard(lock);
    if (read) {
        start->program = image;
        start->arguments = read->second;
        start->line = whole;
    } else {
        start->program = image;
        start->arguments = L"(unread)";
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

namespace {
template <typename Field>
std::vector<std::wstring> Started(const std::wstring& programName, Field field) {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<std::wstring> found;
    for (const auto& s : starts) {
        if (!s->done) continue;
        if (s->program.empty() || SameName(s->program, programName)) found.push_back((*s).*field);
    }
    return found;
}
}  // namespace

std::vector<std::wstring> StartedArguments(const std::wstring& programName) {
    return Started(programName, &Start::arguments);
}

std::vector<std::wstring> StartedCommandLines(const std::wstring& programName) {
    return Started(programName, &Start::line);
}

StartsOf::StartsOf(std::wstring programName) : program_(std::move(programName)) {
    WatchStartedProcesses();
    earlier_ = StartedArguments(program_).size();
}

std::vector<std::wstring> StartsOf::Arguments() const {
    const auto all = StartedArguments(program_);
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(earlier_, all.size())), all.end()};
}

std::vector<std::wstring> StartsOf::CommandLines() const {
    const auto all = StartedCommandLines(program_);
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(earlier_, all.size())), all.end()};
}

std::string StartsOf::Text() const {
    std::wstring text;
    {
        std::lock_guard<std::mutex> guard(lock);
        for (const auto& s : starts)
            text += L"{" + s->program + L"|" + s->arguments + (s->done ? L"" : L"|pending") + L"} ";
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return "starts of " + std::string(program_.begin(), program_.end()) + ": " + utf8;
}

}  // namespace ravenlock::testing
