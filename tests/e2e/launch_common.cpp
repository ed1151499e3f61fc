#include "launch_common.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "remote_controls.h"

namespace e2e {

HWND GameControl(HWND mainWindow, int id) { return PageControl(mainWindow, ids::kPageFirst + ids::kTabGame, id); }
HWND RunGameButton(HWND mainWindow) { return GameControl(mainWindow, ids::kRunGameButton); }
HWND ServerStatusLabel(HWND mainWindow) { return GameControl(mainWindow, ids::kServerStatusLabel); }
HWND RamLabel(HWND mainWindow) { return PageControl(mainWindow, ids::kPageFirst + ids::kTabTools, ids::kRAMLabel); }

void SelectTab(HWND mainWindow, int tab) { Click(Control(mainWindow, ids::kTabButtonFirst + tab)); }

void ClickLabel(HWND label) { PostLeftClick(label, {2, 2}); }

void ClickTrayIcon(HWND mainWindow) { PostMessageW(mainWindow, ids::kTrayCallbackMessage, 0, WM_LBUTTONUP); }

HWND OpenTrayMenu(HWND mainWindow) {
    PostMessageW(mainWindow, ids::kTrayCallbackMessage, 0, WM_RBUTTONUP);
    return WaitForPopupMenu(ProcessOf(mainWindow));
}

void PostCtrlShiftF(HWND mainWindow) {
    // Any id: the program looks at the keys only.
    PostHotKey(mainWindow, 1, kHotKeyModifiers, kHotKeyKey);
}

size_t PixelsOfColour(HWND window, uint32_t rgb) {
    const Picture shot = CaptureWindow(window);
    return static_cast<size_t>(std::count(shot.pixels.begin(), shot.pixels.end(), rgb));
}

std::optional<int> NumberAfter(const std::wstring& line, const std::wstring& prefix) {
    if (line.size() <= prefix.size() || line.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::wstring digits = line.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return std::nullopt;
    return std::stoi(digits);
}

std::vector<std::wstring> GameIniFiles() {
    const std::wstring folder = sandbox::ProfileFolder();
    return {folder + L"Fallout76.ini", folder + L"Fallout76Prefs.ini", folder + L"Fallout76Custom.ini"};
}

void MakeGameIniFilesWritable() {
    for (const auto& file : GameIniFiles()) SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool GameIniFilesReadOnly() {
    // Wine reports every file as "archive" as well; that flag tells nothing here.
    for (const auto& file : GameIniFiles()) {
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE)) != FILE_ATTRIBUTE_READONLY)
            return false;
    }
    return true;
}

void SetGameArguments(const std::wstring& arguments) {
    std::ofstream out(sandbox::kGameArgumentsFile, std::ios::binary | std::ios::trunc);
    out << std::string(arguments.begin(), arguments.end()) << "\r\n";
}

std::vector<DWORD> GameProcesses() { return sandbox::ProcessesNamed(L"Fallout76.exe"); }

bool StartGameDirectly(const std::wstring& arguments) {
    std::wstring command = std::wstring(L"\"") + sandbox::kGameExe + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(sandbox::kGameExe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

DWORD PriorityClassOf(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return 0;
    const DWORD priority = GetPriorityClass(process);
    CloseHandle(process);
    return priority;
}

int LinesWith(const std::wstring& log, const std::wstring& text) {
    int count = 0;
    for (const auto& line : sandbox::LogLines(log))
        if (line.find(text) != std::wstring::npos) ++count;
    return count;
}

bool WriteDword(const std::wstring& key, const std::wstring& name, DWORD value) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof(value)) ==
           ERROR_SUCCESS;
}

std::wstring TempToolCopy() {
    std::wstring copy = L"C:\\Ravenlock-none\\RAMMap.exe";
    for (const std::wstring& folder : sandbox::ToolFolders())
        if (FileExists(folder + L"RAMMap.exe")) copy = folder + L"RAMMap.exe";
    return copy;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> FileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedVariable::ScopedVariable(const std::wstring& name, const std::wstring& value) : name_(name) {
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size > 0) {
        std::wstring earlier(size, L'\0');
        const DWORD n = GetEnvironmentVariableW(name.c_str(), earlier.data(), size);
        earlier.resize(n);
        earlier_ = earlier;
    }
    SetEnvironmentVariableW(name.c_str(), value.c_str());
}

ScopedVariable::~ScopedVariable() {
    SetEnvironmentVariableW(name_.c_str(), earlier_ ? earlier_->c_str() : nullptr);
}

}  // namespace e2e
