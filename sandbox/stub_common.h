#pragma once
// Shared bits of the sandbox stand-ins: command-line options and the "hold memory,
// then wait" behaviour.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace sandbox {

std::vector<std::wstring> Arguments();
// The value after "--name", or fallback.
std::wstring Option(const std::vector<std::wstring>& args, const std::wstring& name, const std::wstring& fallback);
bool HasFlag(const std::vector<std::wstring>& args, const std::wstring& name);

// Commits and touches the given amount of memory so that it counts in the working set.
void HoldMemory(uint64_t mebibytes);
// Sleeps for the given time; forever when it is 0.
void Linger(uint32_t milliseconds);

// The logs in which the stand-ins record what they were asked to do; the tests read them.
inline constexpr wchar_t kSteamLog[] = L"C:\\sandbox\\steam.log";
inline constexpr wchar_t kBrowserLog[] = L"C:\\sandbox\\browser.log";
inline constexpr wchar_t kDiscordLog[] = L"C:\\sandbox\\discord.log";
// The log of the logging stand-in named so (explorer, chkdsk, mspaint, photoviewer).
inline std::wstring LogOf(const std::wstring& stubName) { return L"C:\\sandbox\\" + stubName + L".log"; }

// How the stub Steam starts the game, for tests that need a particular game: the first
// line of this file is appended to the game's command line (e.g. "--hold-mb 96").
inline constexpr wchar_t kGameArgumentsFile[] = L"C:\\sandbox\\steam-game-arguments.txt";
// While this file exists the stub Steam starts no game at all, as a Steam that never
// gets the game going.
inline constexpr wchar_t kNoGameFile[] = L"C:\\sandbox\\steam-starts-no-game";

// The Microsoft Store world (installed on demand): the game where the sandbox's
// .GamingRoot on drive X: leads, and the log of the stand-in for Windows' Explorer, which
// activates the game's package.
inline constexpr wchar_t kStoreGameFolder[] = L"X:\\XboxGames\\Fallout 76\\Content\\";
inline constexpr wchar_t kStoreGameExe[] = L"X:\\XboxGames\\Fallout 76\\Content\\Project76_GamePass.exe";
inline constexpr wchar_t kAppsFolderLog[] = L"C:\\sandbox\\appsfolder.log";

// The first line of a text file (UTF-8), without its line end; "" when it cannot be read.
std::wstring FirstLineOf(const std::wstring& path);

// Appends one UTF-8 line to a log file, creating the file and its folder when missing.
void AppendLog(const std::wstring& path, const std::wstring& line);

}  // namespace sandbox
