// Stand-in for the web browser, registered for http and https in the sandbox prefix:
// records each address it is given and ends, so that tests can see what the program
// asked the shell to open without anything leaving the machine.
//   RavenlockBrowser.exe ADDRESS...
#include <windows.h>

#include "stub_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    for (const auto& address : sandbox::Arguments()) sandbox::AppendLog(sandbox::kBrowserLog, address);
    return 0;
}
