#pragma once
// Starting things through the shell, and finding, measuring, re-prioritising and
// ending processes by executable name. Nothing is cached (but for the watch, which
// says so) and nothing is reported: failures come back as "nothing started", 0 or false.
#include <cstdint>
#include <string>
#include <utility>

namespace ravenlock {

void RunProgram(const std::wstring& target);
void RunProgramWithParams(const std::wstring& target, const std::wstring& parameters);
// Opens Explorer on the file's folder with the file selected.
void ShowInExplorer(const std::wstring& path);

bool ProcessExists(const std::wstring& name);
int32_t GetProcessCount();
uint64_t GetProcessMemoryMB(const std::wstring& name);
bool SetProcessPriority(const std::wstring& name, uint32_t priorityClass);
void KillProcess(const std::wstring& name);

// Follows a process by executable name from one look to the next. A snapshot finds it
// (the last match in snapshot order, as GetProcessMemoryMB reads); from then on a handle
// to it answers how much memory it holds and, once signalled, that it has ended. Only
// while no process is known does a look take a snapshot.
class ProcessWatch {
public:
    struct Reading {
        bool runs = false;
        uint64_t memoryMB = 0;  // 0 when the process cannot be read
    };
    explicit ProcessWatch(std::wstring name) : name_(std::move(name)) {}
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;
    Reading Look();
    // Follows another name from the next look on (the game's edition changed).
    void Follow(const std::wstring& name);

private:
    std::wstring name_;
    void* process_ = nullptr;  // the known process, or nothing
};

}  // namespace ravenlock
