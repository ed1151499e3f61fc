#pragma once
// Helpers of the platform tests: the build's bin folder, scratch folders, stand-in
// processes started and cleaned up by the test, and bounded polling.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Folder of the running test program, with a trailing backslash; the program, the
// stubs and the tests all land there.
std::wstring BinDir();

// Polls until the condition holds or the time is up; returns the last answer.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(20));

// A scratch folder under %TEMP%, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& Path() const { return path_; }  // with a trailing backslash
private:
    std::wstring path_;
};

// A process started by a test; terminated (if still running) when the object dies.
class ChildProcess {
public:
    ChildProcess(const std::wstring& exe, const std::wstring& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool HasExited(DWORD waitMs = 0) const;

private:
    PROCESS_INFORMATION info_{};
};

// Working set of one process in MiB, read independently of the code under test.
uint64_t WorkingSetMiBOf(DWORD pid);
// Process ids in snapshot order whose executable name equals name exactly.
std::vector<DWORD> ProcessIdsNamed(const std::wstring& name);

std::vector<uint8_t> LoadTestResource(const wchar_t* name);

}  // namespace testing_support
