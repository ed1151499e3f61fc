// Stand-in for the Windows tools the program hands files and folders to (Explorer, the
// disk check, Paint, the picture viewer): records its whole command line in
// C:\sandbox\<its own file name>.log, lower case, and ends, so that tests can read what
// the program asked for.
#include <windows.h>

#include <cwctype>
#include <string>

#include "stub_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    name = name.substr(name.find_last_of(L'\\') + 1);
    name = name.substr(0, name.find_last_of(L'.'));
    for (auto& c : name) c = static_cast<wchar_t>(std::towlower(c));
    sandbox::AppendLog(sandbox::LogOf(name), GetCommandLineW());
    return 0;
}
