#pragma once
// The sandbox world the end-to-end tests run in (scripts/make-sandbox-prefix.sh builds
// it): where the stand-ins live, their logs, the registry records, and the fixture
// that puts everything back as the script left it before each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "stub_common.h"

namespace e2e::sandbox {

inline constexpr wchar_t kSteamExe[] = L"C:\\Program Files (x86)\\Steam\\Steam.exe";
inline constexpr wchar_t kGameExe[] = L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Fallout76\\Fallout76.exe";
// Steam's record as Steam writes it: forward slashes, lower case.
inline constexpr wchar_t kSteamKey[] = L"Software\\Valve\\Steam";
inline constexpr wchar_t kSteamExeAsRecorded[] = L"c:/program files (x86)/steam/steam.exe";
inline constexpr wchar_t kSteamLogin[] = L"vault_dweller";
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\HALCYRA\\Fallout76Ravenlock";
// A folder that each test starts with empty, for copies, renamed files and the like.
inline constexpr wchar_t kScratch[] = L"C:\\sandbox\\scratch\\";
// The game's folder, which also holds its screenshots and crash dumps.
inline constexpr wchar_t kGameFolder[] = L"C:\\Program Files (x86)\\Steam\\steamapps\\common\\Fallout76\\";
// Discord's record and the stub updater it points at.
inline constexpr wchar_t kDiscordKey[] = L"SOFTWARE\\Discord\\Modules\\discord_game_sdk";
inline constexpr wchar_t kDiscordUpdater[] = L"C:\\sandbox\\AppData\\Local\\Discord\\Update.exe";
using ::sandbox::kBrowserLog;
using ::sandbox::kDiscordLog;
using ::sandbox::kGameArgumentsFile;
using ::sandbox::kNoGameFile;
using ::sandbox::kSteamLog;
using ::sandbox::LogOf;
// The logging stand-ins: the disk check and Paint in the system folder, Explorer and the
// picture viewer registered for .png files. Each logs its command line to LogOf(name).
inline constexpr const wchar_t* kLoggingStubs[] = {L"explorer", L"chkdsk", L"mspaint", L"photoviewer"};

// Ends every program, stand-in and browser the tests may have started.
void EndStartedProcesses();
// The folders (with a closing backslash) that the program makes in %TEMP% for its
// memory tool's copies, a random name each.
std::vector<std::wstring> ToolFolders();
// The Wine user's temporary folder, long form, with a closing backslash.
std::wstring TempFolder();
// Ids of running processes whose executable name equals name, ignoring case.
std::vector<DWORD> ProcessesNamed(const std::wstring& name);
// The full path of a running process's executable; "" when it cannot be read.
std::wstring ImagePathOf(DWORD pid);

// The lines of a stand-in's log; none when the log does not exist.
std::vector<std::wstring> LogLines(const std::wstring& log);

// Copies a stand-in from the build's bin folder (e.g. "Fallout76.exe") to path.
bool CopyStub(const std::wstring& stub, const std::wstring& path);
// Moves the file to the scratch folder, so that it is missing where it was.
bool RenameAway(const std::wstring& path);

// <Documents>\My Games\Fallout 76\ with a trailing backslash.
std::wstring ProfileFolder();
// Where the program keeps its restore points of the game's files:
// <LocalAppData>\Fallout76Ravenlock\Restore points\ with a trailing backslash.
std::wstring RestorePointsFolder();
// Removes that folder with every point in it (or a file standing in its place).
void RemoveRestorePoints();

// Values under HKEY_CURRENT_USER.
std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name);
bool WriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value);
bool DeleteValue(const std::wstring& key, const std::wstring& name);
bool KeyExists(const std::wstring& key);
// Number of values in the key; -1 when the key does not exist.
int ValueCount(const std::wstring& key);

// Switches the stand-in web services to a scenario (sandbox/services/stand_in.py) by
// writing its name into the file RAVENLOCK_SCENARIO_FILE names; false without that file.
bool SetScenario(const std::wstring& name);
// How many requests for paths starting with this one the stand-in services have answered
// (or dropped) so far.
int ServiceRequests(const std::wstring& pathStart);

// Whether the stand-in web services are there to use: their address and scenario file
// are known and the address takes a connection. When they are not, the reason.
std::optional<std::string> StandInServicesMissing();
// True when the test command started the stand-in services (RAVENLOCK_SERVICES_STARTED):
// a test that needs them then fails without them instead of skipping.
bool StandInServicesPromised();

// Puts the profile folder (INI files, backups, photos) and the game folder's screenshots
// and crash dumps back as the script made them, from its copy in C:\sandbox\pristine.
void RestoreGameFiles();

// The Microsoft Store world (scripts/make-sandbox-prefix.sh keeps it aside): the game on
// drive X: where the Xbox app's .GamingRoot leads, its package manifest, the edition's own
// INI files in the profile folder, the GamingServices record, and the stand-in for
// Windows' Explorer that activates the package (it logs to kAppsFolderLog).
using ::sandbox::kAppsFolderLog;
using ::sandbox::kStoreGameExe;
using ::sandbox::kStoreGameFolder;
inline constexpr wchar_t kGamingServicesKey[] =
    L"SOFTWARE\\Microsoft\\GamingServices\\PackageRepository\\Root\\{5B3F1C7E-2A44-4C1B-9E0D-7F6A8B9C0D11}\\0";
inline constexpr wchar_t kStoreActivation[] = L"shell:AppsFolder\\BethesdaSoftworks.Fallout76-PC_3275kfvn8vcwc!";
struct StoreWorld {
    bool registryEntry = true;                   // the GamingServices record
    std::optional<std::string> gamingRootBytes;  // another .GamingRoot than the Xbox app's; "" none
    std::optional<std::string> manifestBytes;    // another manifest; "" none
};
void InstallStoreWorld(const StoreWorld& world = {});
// The Xbox app's .GamingRoot naming the given libraries (RGBX, count, UTF-16 paths).
std::string GamingRootOf(const std::vector<std::wstring>& libraries);

// Ends started processes, deletes the program's settings key, restores Steam's record
// and the stand-ins' files, empties the scratch folder, clears the logs, puts the
// stand-in web services back to "operational", lets the stub Steam start the game as it
// comes, puts the game's files back, removes the program's restore points and the
// Microsoft Store world.
void Reset();

}  // namespace e2e::sandbox

namespace e2e {

// Every end-to-end test starts from the sandbox as the script made it and leaves no
// process behind.
class SandboxTest : public ::testing::Test {
protected:
    void SetUp() override { sandbox::Reset(); }
    void TearDown() override { sandbox::EndStartedProcesses(); }
};

}  // namespace e2e
