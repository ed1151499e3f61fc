// RAMMap.exe: the launcher's memory tool.
//   RAMMap.exe -Et   empty the standby list
//   RAMMap.exe -Ew   empty the working sets of all processes
//   RAMMap.exe       a small window with the memory figures and both actions
// Exit codes: 0 done, 1 privilege not available, 2 the system call failed or is
// missing, 3 unknown switch. Switch mode never shows a window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "memory_lists.h"
#include "memtool_rules.h"
#include "memtool_window.h"

namespace {

std::vector<std::wstring> Arguments() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// We run elevated from a folder under %TEMP%: DLLs are loaded from the system folder
// only, never from beside us. Looked up by name, since Windows 7 has it only with an update.
void LoadDllsFromSystemOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    LoadDllsFromSystemOnly();
    const memtool::Switches switches = memtool::ParseSwitches(Arguments());
    if (switches.unknown) return memtool::kExitUnknownSwitch;
    if (switches.actions.empty()) return memtool::RunMemoryWindow(instance);
    std::vector<memtool::Result> results;
    for (auto action : switches.actions) results.push_back(memtool::RunMemoryCommand(action));
    return memtool::ExitCode(results);
}
