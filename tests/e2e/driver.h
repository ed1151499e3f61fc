#pragma once
// Drives the real program from outside, as a user would: starts it, finds its windows
// and controls by class, caption and id, reads what they show, clicks, answers its
// message boxes and file dialogs and takes screenshots. Everything that waits polls
// with a limit, so a program that never reacts fails the test instead of hanging it.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// How long the program gets to react to anything (start-up, a click, a dialog).
inline constexpr std::chrono::milliseconds kPatience = 15s;

// Polls until the condition holds or the time is up; returns the last answer.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);

// Folder of the running test program, with a trailing backslash: the build's bin
// folder, which holds the program and the stand-ins.
std::wstring BinDir();

// --- windows of any process --------------------------------------------------------

std::wstring ClassOf(HWND window);
// The window text through WM_GETTEXT, which also works for controls of another process.
std::wstring TextOf(HWND window);
bool IsShown(HWND window);  // the window and all its parents are visible
bool IsEnabled(HWND window);
DWORD ProcessOf(HWND window);
// A child by control id; nullptr when the parent is nullptr or has no such child.
HWND Control(HWND parent, int id);
// True once the window's thread has handled everything posted to it before.
bool Sync(HWND window);

// Input is posted, not sent: a click may open a modal box, and a sent message would
// only return once that box is closed.
void Click(HWND button);  // BM_CLICK
void PostClose(HWND window);  // WM_CLOSE
void PostSysCommand(HWND window, WPARAM command);  // WM_SYSCOMMAND, e.g. SC_CLOSE
void PostCommand(HWND window, int id);  // WM_COMMAND as from a menu item
// WM_HOTKEY as Windows sends it for a registered hotkey (MOD_* flags and virtual key).
void PostHotKey(HWND window, int id, UINT modifiers, UINT virtualKey);

// A command line split into its arguments as a started program parses it.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// --- the program --------------------------------------------------------------------

// One started copy of Fallout76Ravenlock.exe from BinDir(); terminated on destruction
// when it is still running. A dialog of it still open then fails the running test:
// every box the program opens must have been seen and answered.
class Program {
public:
    // Started in its own folder unless a working folder is named.
    explicit Program(const std::wstring& arguments = L"", const std::wstring& workingFolder = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool IsRunning() const;
    // Waits for the end of the process; false when it still runs at the limit.
    bool WaitForExit(std::chrono::milliseconds limit = kPatience) const;
    // The exit code once the process has ended, STILL_ACTIVE before.
    DWORD ExitCode() const;
    void Kill();

    // The main window of this process ("TMainForm", "Fallout 76 Ravenlock"), shown or
    // not; nullptr when it has none.
    HWND MainWindow() const;
    // Waits until the main window is shown with every tab's controls made (all but the first
    // tab make theirs after the first paint); nullptr at the limit or when the process ends.
    HWND WaitForMainWindow(std::chrono::milliseconds limit = kPatience) const;

    // Dialog boxes ("#32770": message boxes, file dialogs) of this process, shown or
    // not: a box made but never shown is as much in the user's way.
    std::vector<HWND> Dialogs() const;
    // Waits for a shown dialog box with this exact title; nullptr at the limit or when
    // the process ends.
    HWND WaitForDialog(const std::wstring& title, std::chrono::milliseconds limit = kPatience) const;
    // Waits for a shown message box (a dialog box with the message static); nullptr at
    // the limit or when the process ends.
    HWND WaitForMessageBox(std::chrono::milliseconds limit = kPatience) const;

private:
    PROCESS_INFORMATION info_{};
};

// Every top-level window of the main window's class and caption, of any process.
std::vector<HWND> MainWindows();
// A control of a tab page of the main window: the page is the main window's child with
// the page id, the control the page's child with the control id.
HWND PageControl(HWND mainWindow, int pageId, int controlId);

// --- message boxes and file dialogs ---------------------------------------------------

bool IsMessageBox(HWND dialog);
// The message of a message box: the text of its static control 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses a button of a message box or dialog (IDOK, IDYES, IDNO, IDCANCEL, ...).
void Answer(HWND dialog, int buttonId);

// Types a full path into the file-name field of a standard open or save dialog and
// presses OK; false when the dialog has no such field or refused the text.
bool ChooseFile(HWND fileDialog, const std::wstring& path);
void CancelDialog(HWND dialog);

// --- screenshots ------------------------------------------------------------------------

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
    size_t DistinctColours() const;
};

// What the screen shows of the window (clipped to the screen), once two captures in a
// row agree, so that a paint still in progress is not caught half-way.
Picture CaptureWindow(HWND window);
// Writes a PNG file; false when the file could not be written.
bool SavePng(const Picture& picture, const std::wstring& path);
// The folder that screenshots go to (RAVENLOCK_SCREENSHOT_DIR) with a trailing
// backslash; "" when it is not set.
std::wstring ScreenshotDir();

}  // namespace e2e
