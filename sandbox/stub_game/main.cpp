// Stand-in for Fallout76.exe: holds a chosen working set and lives until it is killed
// or its time is up.
//   Fallout76.exe [--hold-mb N] [--lifetime-ms N]
#include <windows.h>

#include "stub_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = sandbox::Arguments();
    sandbox::HoldMemory(std::wcstoull(sandbox::Option(args, L"--hold-mb", L"0").c_str(), nullptr, 10));
    sandbox::Linger(static_cast<uint32_t>(std::wcstoul(sandbox::Option(args, L"--lifetime-ms", L"0").c_str(), nullptr, 10)));
    return 0;
}
