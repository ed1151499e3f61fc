#include "driver.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "app/control_ids.h"
#include "started_processes.h"

namespace e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kMessageStaticId = 0xFFFF;
// File-name fields of the standard dialogs: the combo box of the explorer-style
// dialog (cmb13), or the edit field of the older one (edt1).
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

struct DialogSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (ProcessOf(window) == search->pid && ClassOf(window) == L"#32770") search->found.push_back(window);
    return TRUE;
}

HWND FindMessageStatic(HWND box) {
    // GetDlgItem would do on Windows; the search by the low word also finds the static
    // when a template stored its id as -1.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetDlgCtrlID(child) & 0xFFFF) == kMessageStaticId && ClassOf(child) == L"Static") return child;
    return nullptr;
}

// For failure messages: the text as UTF-8.
std::string Narrow(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(25ms);
    }
}

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return L"";
    text.resize(copied);
    return text;
}

bool IsShown(HWND window) { return window && IsWindowVisible(window); }
bool IsEnabled(HWND window) { return window && IsWindowEnabled(window); }

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

HWND Control(HWND parent, int id) { return parent ? GetDlgItem(parent, id) : nullptr; }

bool Sync(HWND window) {
    DWORD_PTR ignored = 0;
    return window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }
void PostSysCommand(HWND window, WPARAM command) { PostMessageW(window, WM_SYSCOMMAND, command, 0); }
void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
void PostHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) {
    PostMessageW(window, WM_HOTKEY, id, MAKELPARAM(modifiers, virtualKey));
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(commandLine.c_str(), &argc);
    std::vector<std::wstring> args(argv, argv + (argv ? argc : 0));
    LocalFree(argv);
    return args;
}

Program::Program(const std::wstring& arguments, const std::wstring& workingFolder) {
    // Whatever the program starts is seen only when the program itself starts in the watch.
    ravenlock::testing::WatchStartedProcesses();
    const std::wstring exe = BinDir() + L"Fallout76Ravenlock.exe";
    std::wstring cmd = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const std::wstring folder = workingFolder.empty() ? BinDir() : workingFolder;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &info_))
        throw std::runtime_error("could not start Fallout76Ravenlock.exe");
}

Program::~Program() {
    if (IsRunning()) {
        // A box the test has just answered may still be on its way out.
        WaitFor([&] { return Dialogs().empty(); }, std::chrono::seconds(2));
        for (HWND d : Dialogs())
            ADD_FAILURE() << "a dialog of the program is still open: \"" << Narrow(TextOf(d)) << "\" "
                          << Narrow(MessageBoxText(d));
    }
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::IsRunning() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::WaitForExit(std::chrono::milliseconds limit) const {
    return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Program::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, static_cast<DWORD>(kPatience.count()));
}

HWND Program::MainWindow() const {
    for (HWND w : MainWindows())
        if (ProcessOf(w) == Id()) return w;
    return nullptr;
}

namespace {

// The tabs after the first make their controls just after the window's first paint.
bool EveryPageMade(HWND window) {
    for (int tab = 0; tab < ravenlock::ids::kTabCount; ++tab) {
        HWND page = GetDlgItem(window, ravenlock::ids::kPageFirst + tab);
        if (!page || !GetWindow(page, GW_CHILD)) return false;
    }
    return true;
}

}  // namespace

HWND Program::WaitForMainWindow(std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    WaitFor([&] { return (IsShown(found = MainWindow()) && EveryPageMade(found)) || !IsRunning(); }, limit);
    return IsShown(found) ? found : nullptr;
}

std::vector<HWND> Program::Dialogs() const {
    DialogSearch search{Id(), {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::WaitForDialog(const std::wstring& title, std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND d : Dialogs())
                if (IsWindowVisible(d) && TextOf(d) == title) return (found = d) != nullptr;
            return !IsRunning();
        },
        limit);
    return found;
}

HWND Program::WaitForMessageBox(std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND d : Dialogs())
                if (IsWindowVisible(d) && IsMessageBox(d)) return (found = d) != nullptr;
            return !IsRunning();
        },
        limit);
    return found;
}

std::vector<HWND> MainWindows() {
    std::vector<HWND> windows;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, ravenlock::ids::kMainWindowClass,
                                              ravenlock::ids::kMainWindowCaption)) != nullptr;)
        windows.push_back(w);
    return windows;
}

HWND PageControl(HWND mainWindow, int pageId, int controlId) { return Control(Control(mainWindow, pageId), controlId); }

bool IsMessageBox(HWND dialog) { return FindMessageStatic(dialog) != nullptr; }

std::wstring MessageBoxText(HWND box) { return TextOf(FindMessageStatic(box)); }

void Answer(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

bool ChooseFile(HWND fileDialog, const std::wstring& path) {
    HWND field = Control(fileDialog, kFileNameCombo);
    if (!field) field = Control(fileDialog, kFileNameEdit);
    if (!field) return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &ignored);
    if (TextOf(field) != path) return false;
    Answer(fileDialog, IDOK);
    return true;
}

void CancelDialog(HWND dialog) { Answer(dialog, IDCANCEL); }

}  // namespace e2e
