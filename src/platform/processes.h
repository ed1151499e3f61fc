#pragma once
// Starting things through the shell, and finding, measuring, re-prioritising and
// ending processes by executable name. Nothing is cached and nothing is reported:
// failures come back as "nothing started", 0 or false.
#include <cstdint>
#include <string>

namespace ravenlock {

void RunProgram(const std::wstring& target);
void RunProgramWithParams(const std::wstring& target, const std::wstring& parameters);

bool ProcessExists(const std::wstring& name);
int32_t GetProcessCount();
uint64_t GetProcessMemoryMB(const std::wstring& name);
bool SetProcessPriority(const std::wstring& name, uint32_t priorityClass);
void KillProcess(const std::wstring& name);

}  // namespace ravenlock
