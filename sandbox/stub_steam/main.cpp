// Stand-in for Steam.exe: records how it was started, starts the stub game when it is
// asked to run Fallout 76 (as the registered steam: protocol handler it gets the link
// as its argument), and then stays up like the real client until it is killed or its
// time is up.
//   Steam.exe [--lifetime-ms N] [steam://rungameid/1151340] [anything else]
// Tests steer the game start through two files (stub_common.h): arguments for the game,
// and a flag that keeps the game from starting at all.
#include <windows.h>

#include "stub_common.h"

namespace {

constexpr wchar_t kRunFallout76[] = L"steam://rungameid/1151340";
// Where Steam's library keeps the game in the sandbox prefix.
constexpr wchar_t kGamePath[] = L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Fallout76\\Fallout76.exe";

void StartGame() {
    if (GetFileAttributesW(sandbox::kNoGameFile) != INVALID_FILE_ATTRIBUTES) return;
    std::wstring cmd = std::wstring(L"\"") + kGamePath + L"\"";
    const std::wstring extra = sandbox::FirstLineOf(sandbox::kGameArgumentsFile);
    if (!extra.empty()) cmd += L" " + extra;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(kGamePath, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        sandbox::AppendLog(sandbox::kSteamLog, L"could not start " + std::wstring(kGamePath));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = sandbox::Arguments();
    if (sandbox::HasFlag(args, kRunFallout76)) StartGame();
    // Logged last, so that whoever sees the line also finds the game already started.
    sandbox::AppendLog(sandbox::kSteamLog, GetCommandLineW());
    sandbox::Linger(static_cast<uint32_t>(std::wcstoul(sandbox::Option(args, L"--lifetime-ms", L"0").c_str(), nullptr, 10)));
    return 0;
}
