// Stand-in for Steam.exe: records how it was started and then stays up like the real
// client, until it is killed or its time is up.
//   Steam.exe [--lifetime-ms N] [anything else, e.g. a steam:// link]
#include <windows.h>

#include "stub_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = sandbox::Arguments();
    wchar_t log[MAX_PATH];
    if (GetEnvironmentVariableW(L"RAVENLOCK_STUB_LOG", log, MAX_PATH) > 0)
        sandbox::AppendLog(log, std::wstring(L"Steam.exe ") + GetCommandLineW());
    sandbox::Linger(static_cast<uint32_t>(std::wcstoul(sandbox::Option(args, L"--lifetime-ms", L"0").c_str(), nullptr, 10)));
    return 0;
}
