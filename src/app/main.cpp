// Program entry: the single-instance rule, the hidden application window that owns the
// forms (so that there is no taskbar button), the main and news windows, the loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "platform/startup_trace.h"
#include "ui/dispatch.h"
#include "ui/ui_thread.h"
#include "ui/window.h"
#include "ui/window_scale.h"

namespace {

// The hidden top-level window that owns every form, as the toolkit's application window.
class ApplicationWindow : public ravenlock::ui::Window {
public:
    void Create() {
        CreateRaw(L"RavenlockApplication", WS_EX_TOOLWINDOW, WS_POPUP, ravenlock::ui::ApplicationTitle(), 0, 0, 0, 0,
                  nullptr, nullptr);
    }
};

// One copy per user session.
constexpr wchar_t kSingleInstanceMutex[] = L"Local\\Fallout76Ravenlock.SingleInstance";

// The first copy may still be making its window: give it a few seconds.
void ShowFirstCopy() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (HWND running = FindWindowW(ravenlock::ids::kMainWindowClass, ravenlock::ids::kMainWindowCaption)) {
            ShowWindow(running, SW_SHOWNORMAL);
            return;
        }
        Sleep(100);
    }
}

// As the runtime split the command line for the wide entry point (the shell's splitter
// would load the shell before the window).
std::wstring FirstArgument() { return (__wargv && __argc > 1 && __wargv[1]) ? __wargv[1] : L""; }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace ravenlock;
    startup_trace::Begin();
    // 1. A second copy shows the first copy's window and ends. The mutex decides, since
    // two quick starts would both miss a window that neither has made yet; it lives
    // as long as the process.
    CreateMutexW(nullptr, FALSE, kSingleInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ShowFirstCopy();
        return 0;
    }
    // We scale ourselves for each monitor's DPI; the manifest says so too.
    ui::DeclarePerMonitorDpiAwareness();
    // COM comes with the first shell start or dialog that wants it (platform/late_libraries.h).
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    ui::InitUiThreadHandOver();

    // 2. The owner of all forms stays hidden.
    ApplicationWindow application;
    application.Create();
    ShowWindow(application.Handle(), SW_HIDE);

    // 3. The main window; the start-up steps the first paint needs run before it is shown,
    // the others (tray icon, hotkey, start-up sound, news, status check) are posted after it.
    auto mainWindow = std::make_unique<MainWindow>();
    mainWindow->Create(application.Handle(), FirstArgument());
    startup_trace::Step("classes and pages");
    ui::RunHandler(mainWindow->Handle(), [&] { mainWindow->FormCreate(); });
    // 4. The news and journal windows, hidden, come after the first paint (StartUpContinued).
    startup_trace::Step("start-up sequence");
    mainWindow->ShowAfterCreate();
    startup_trace::Step("first paint");
    mainWindow->PostStartUpContinuation();

    // 6. Until the application is told to terminate.
    if (!mainWindow->Terminated()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(mainWindow->Handle(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    // Workers still running are abandoned: their hand-overs fail from here on.
    ui::ShutdownUiThreadHandOver();
    mainWindow.reset();  // destroys the window: FormDestroy runs (~MainWindow)
    return 0;
}
