// Stand-in for Windows' own Explorer (C:\windows\explorer.exe) in the Microsoft Store world:
// records its command line in C:\sandbox\appsfolder.log and, given the game package's
// shell:AppsFolder address, starts the Store's game the way Windows activates the
// package. The game's folder is where the sandbox's .GamingRoot leads (stub_common.h);
// tests steer the start through the same files as the stub Steam's.
//   explorer.exe shell:AppsFolder\BethesdaSoftworks.Fallout76-PC_3275kfvn8vcwc!<application id>
#include <windows.h>

#include <cwctype>

#include "stub_common.h"

namespace {

constexpr wchar_t kActivationStart[] = L"shell:appsfolder\\bethesdasoftworks.fallout76-pc_3275kfvn8vcwc!";

std::wstring Lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

void StartStoreGame() {
    if (GetFileAttributesW(sandbox::kNoGameFile) != INVALID_FILE_ATTRIBUTES) return;
    std::wstring cmd = std::wstring(L"\"") + sandbox::kStoreGameExe + L"\"";
    const std::wstring extra = sandbox::FirstLineOf(sandbox::kGameArgumentsFile);
    if (!extra.empty()) cmd += L" " + extra;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(sandbox::kStoreGameExe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        sandbox::AppendLog(sandbox::kAppsFolderLog, L"could not start " + std::wstring(sandbox::kStoreGameExe));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = sandbox::Arguments();
    const std::wstring start = kActivationStart;
    if (args.size() == 1 && Lower(args[0]).compare(0, start.size(), start) == 0 && args[0].size() > start.size())
        StartStoreGame();
    // Logged last, so that whoever sees the line also finds the game already started.
    sandbox::AppendLog(sandbox::kAppsFolderLog, GetCommandLineW());
    return 0;
}
