// Stand-in for the Discord client's updater, placed where the sandbox's Discord record
// points: records its whole command line and ends, so that tests can see how the
// program asked for the client.
//   Update.exe --processStart Discord.exe
#include <windows.h>

#include "stub_common.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    sandbox::AppendLog(sandbox::kDiscordLog, GetCommandLineW());
    return 0;
}
