#include "sandbox.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <shlobj.h>
#include <winternl.h>
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver.h"

namespace e2e::sandbox {

namespace {

// Everything a test may have set running: the program, the stand-ins (also under
// other names that differ only in case, like a chosen "fallout76.EXE"), the Store's game, the browser and
// the program's memory tool.
constexpr const wchar_t* kStartedPrograms[] = {L"Fallout76Ravenlock.exe", L"Fallout76.exe", L"Steam.exe",
                                               L"RavenlockBrowser.exe", L"RAMMap.exe", L"Update.exe",
                                               L"Project76_GamePass.exe"};
constexpr wchar_t kPristine[] = L"C:\\sandbox\\pristine\\";

struct RegValue {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<RegValue> ReadAllValues(const std::wstring& key) {
    std::vector<RegValue> values;
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(k, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        RegValue v{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
        nameLength = 256;
        RegEnumValueW(k, i, name, &nameLength, nullptr, &type, v.data.data(), &size);
        values.push_back(std::move(v));
    }
    RegCloseKey(k);
    return values;
}

void WriteAllValues(const std::wstring& key, const std::vector<RegValue>& values) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& v : values)
        RegSetValueExW(k, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    RegCloseKey(k);
}

void EmptyFolder(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = folder + found.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Deletes a folder's files and subfolders, read-only ones too; the folder itself stays.
void EmptyTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyTree(path + L"\\");
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Copies a folder's files and subfolders into another (made when missing); CopyFile
// keeps the files' times, which the crash-dump list shows.
void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + name + L"\\", to + name + L"\\");
        else
            CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void DeleteMatching(const std::wstring& folder, const wchar_t* mask) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + mask).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = folder + found.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return L"";
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

}  // namespace

std::vector<DWORD> ProcessesNamed(const std::wstring& name) {
    std::vector<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
        if (_wcsicmp(name.c_str(), e.szExeFile) == 0) ids.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return ids;
}

std::wstring ImagePathOf(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!h) return L"";
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    const bool ok = QueryFullProcessImageNameW(h, 0, path, &size);
    CloseHandle(h);
    return ok ? std::wstring(path, size) : L"";
}

void EndStartedProcesses() {
    for (const wchar_t* name : kStartedPrograms) {
        for (DWORD pid : ProcessesNamed(name)) {
            HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!h) continue;
            TerminateProcess(h, 1);
            WaitForSingleObject(h, static_cast<DWORD>(kPatience.count()));
            CloseHandle(h);
        }
    }
}

std::vector<std::wstring> LogLines(const std::wstring& log) {
    std::ifstream in(log.c_str(), std::ios::binary);
    std::vector<std::wstring> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

bool CopyStub(const std::wstring& stub, const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return CopyFileW((BinDir() + stub).c_str(), path.c_str(), FALSE) != 0;
}

bool RenameAway(const std::wstring& path) {
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return MoveFileExW(path.c_str(), (std::wstring(kScratch) + name + L".away").c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::wstring ProfileFolder() {
    wchar_t documents[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    return std::wstring(documents) + L"\\My Games\\Fallout 76\\";
}

std::optional<std::wstring> ReadString(const std::wstring& key, const std::wstring& name) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

bool WriteString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteValue(const std::wstring& key, const std::wstring& name) {
    return RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str()) == ERROR_SUCCESS;
}

bool KeyExists(const std::wstring& key) { return ValueCount(key) >= 0; }

int ValueCount(const std::wstring& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
    DWORD values = 0;
    RegQueryInfoKeyW(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(k);
    return static_cast<int>(values);
}

void RestoreGameFiles() {
    const std::wstring profile = ProfileFolder();
    EmptyTree(profile);
    CopyTree(std::wstring(kPristine) + L"profile\\", profile);
    // Only what the script put there: the game and its stand-in stay.
    for (const wchar_t* mask : {L"*.png", L"*.dmp"}) DeleteMatching(kGameFolder, mask);
    CopyTree(std::wstring(kPristine) + L"game\\", kGameFolder);
}

namespace {
std::wstring Variable(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? std::wstring(value, n) : L"";
}

// A TCP connection to host:port of "http://host:port".
bool Answers(const std::wstring& base) {
    const auto colon = base.rfind(L':');
    const auto slashes = base.find(L"//");
    if (colon == std::wstring::npos || slashes == std::wstring::npos || colon < slashes) return false;
    const std::string host(base.begin() + static_cast<std::ptrdiff_t>(slashes) + 2,
                           base.begin() + static_cast<std::ptrdiff_t>(colon));
    const std::string port(base.begin() + static_cast<std::ptrdiff_t>(colon) + 1, base.end());
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    bool connected = false;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) == 0 && found) {
        SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        if (s != INVALID_SOCKET) {
            connected = connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
            closesocket(s);
        }
        freeaddrinfo(found);
    }
    WSACleanup();
    return connected;
}
}  // namespace

std::optional<std::string> StandInServicesMissing() {
    const std::wstring base = Variable(L"RAVENLOCK_SERVICE_BASE");
    if (base.empty() || Variable(L"RAVENLOCK_SCENARIO_FILE").empty())
        return "the stand-in services are not running (start the tests through scripts/test.sh)";
    if (!Answers(base)) return "the stand-in services do not answer at their address";
    return std::nullopt;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    wchar_t longer[MAX_PATH + 1] = {};
    const DWORD m = GetLongPathNameW(temp, longer, MAX_PATH + 1);
    std::wstring folder = (m > 0 && m <= MAX_PATH) ? std::wstring(longer, m) : std::wstring(temp, n);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::vector<std::wstring> ToolFolders() {
    const std::wstring folder = TempFolder();
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"Ravenlock-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return folders;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back(folder + found.cFileName + L"\\");
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return folders;
}

bool StandInServicesPromised() { return Variable(L"RAVENLOCK_SERVICES_STARTED") == L"1"; }

namespace {
std::wstring StorePristine() { return std::wstring(kPristine) + L"store\\"; }

void WriteBinary(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

void RemoveStoreWorld() {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kGamingServicesKey, KEY_WOW64_64KEY, 0);
    EmptyTree(L"X:\\");
    const std::wstring wineExplorer = StorePristine() + L"wine-explorer.exe";
    if (GetFileAttributesW(wineExplorer.c_str()) != INVALID_FILE_ATTRIBUTES)
        CopyFileW(wineExplorer.c_str(), L"C:\\windows\\explorer.exe", FALSE);
    DeleteFileW(kAppsFolderLog);
}
}  // namespace

std::string GamingRootOf(const std::vector<std::wstring>& libraries) {
    std::string bytes = "RGBX";
    const auto count = static_cast<uint32_t>(libraries.size());
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((count >> (8 * i)) & 0xff);
    for (const std::wstring& library : libraries) {
        for (wchar_t c : library) bytes += {static_cast<char>(c & 0xff), static_cast<char>((c >> 8) & 0xff)};
        bytes += std::string(2, '\0');
    }
    return bytes;
}

void InstallStoreWorld(const StoreWorld& world) {
    CopyTree(StorePristine() + L"drive\\", L"X:\\");
    CopyTree(StorePristine() + L"profile\\", ProfileFolder());
    CopyFileW((StorePristine() + L"explorer.exe").c_str(), L"C:\\windows\\explorer.exe", FALSE);
    if (world.gamingRootBytes) {
        DeleteFileW(L"X:\\.GamingRoot");
        if (!world.gamingRootBytes->empty()) WriteBinary(L"X:\\.GamingRoot", *world.gamingRootBytes);
    }
    const std::wstring manifest = std::wstring(kStoreGameFolder) + L"appxmanifest.xml";
    if (world.manifestBytes) {
        DeleteFileW(manifest.c_str());
        if (!world.manifestBytes->empty()) WriteBinary(manifest, *world.manifestBytes);
    }
    if (world.registryEntry) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGamingServicesKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr,
                            &key, nullptr) == ERROR_SUCCESS) {
            const std::wstring package = L"BethesdaSoftworks.Fallout76-PC_1.7.24.10_x64__3275kfvn8vcwc";
            const std::wstring root = L"\\\\?\\X:\\XboxGames\\Fallout 76\\Content";
            for (const auto& [name, value] : {std::pair{L"Package", package}, std::pair{L"Root", root}})
                RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    }
}

void Reset() {
    // Steam's record as the script wrote it; the first reset of the run comes before
    // any test has touched it.
    static const std::vector<RegValue> steamRecord = ReadAllValues(kSteamKey);
    EndStartedProcesses();
    // A program that a test ended leaves its memory tool's copy behind, which the next
    // test would take for its own.
    for (const std::wstring& folder : ToolFolders()) {
        EmptyTree(folder);
        RemoveDirectoryW(folder.c_str());
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    WriteAllValues(kSteamKey, steamRecord);
    CopyStub(L"Fallout76.exe", kGameExe);
    CopyStub(L"Steam.exe", kSteamExe);
    EmptyFolder(kScratch);
    DeleteFileW(kSteamLog);
    DeleteFileW(kBrowserLog);
    DeleteFileW(kDiscordLog);
    for (const wchar_t* stub : kLoggingStubs) DeleteFileW(::sandbox::LogOf(stub).c_str());
    DeleteFileW(kGameArgumentsFile);
    DeleteFileW(kNoGameFile);
    SetScenario(L"operational");
    RestoreGameFiles();
    RemoveRestorePoints();
    RemoveStoreWorld();
}

void RemoveRestorePoints() {
    const std::wstring steamPoints = RestorePointsFolder();
    if (steamPoints.empty()) return;
    // The Store edition keeps its points beside Steam's.
    for (const std::wstring& points :
         {steamPoints, steamPoints.substr(0, steamPoints.size() - 1) + L" (Microsoft Store)\\"}) {
        EmptyTree(points);
        // A test may have left a plain file where the folder goes.
        const std::wstring pointsPath = points.substr(0, points.size() - 1);
        SetFileAttributesW(pointsPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!RemoveDirectoryW(pointsPath.c_str())) DeleteFileW(pointsPath.c_str());
    }
}

std::wstring RestorePointsFolder() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return L"";
    return std::wstring(appData) + L"\\Fallout76Ravenlock\\Restore points\\";
}

bool SetScenario(const std::wstring& name) {
    wchar_t file[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"RAVENLOCK_SCENARIO_FILE", file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    out << std::string(name.begin(), name.end()) << '\n';
    return static_cast<bool>(out.flush());
}

int ServiceRequests(const std::wstring& pathStart) {
    wchar_t file[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"RAVENLOCK_SCENARIO_FILE", file, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return -1;
    const std::wstring log = std::filesystem::path(file).replace_filename(L"requests").wstring();
    int count = 0;
    for (const auto& line : LogLines(log)) count += line.rfind(pathStart, 0) == 0;
    return count;
}

}  // namespace e2e::sandbox
