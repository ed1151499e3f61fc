#include "ui/modal_wait.h"

#include <windows.h>

#include <exception>
#include <system_error>
#include <thread>

namespace ravenlock::ui {

namespace {

// Drops the mouse and keyboard messages queued for this thread's windows, typed or
// clicked or posted by another program alike; true when the application was told to quit
// meanwhile (the request is kept for the main loop).
bool DropInput(WPARAM& quitCode) {
    static constexpr UINT kRanges[][2] = {
        {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}, {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
    bool quit = false;
    MSG msg;
    for (const auto& range : kRanges) {
        while (PeekMessageW(&msg, nullptr, range[0], range[1], PM_REMOVE)) {
            if (msg.message == WM_QUIT) quit = true, quitCode = msg.wParam;
        }
    }
    // Whatever other input there is (raw input, for one).
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
        if (msg.message == WM_QUIT) quit = true, quitCode = msg.wParam;
    }
    return quit;
}

bool PaintPending(WPARAM& quitCode) {
    bool quit = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
        if (msg.message == WM_QUIT) quit = true, quitCode = msg.wParam;
        else DispatchMessageW(&msg);
    }
    return quit;
}

// Waits under way on the UI thread (one, or nested ones).
int& WaitDepth() {
    static int depth = 0;
    return depth;
}

}  // namespace

bool WaitInProgress() { return WaitDepth() > 0; }

void RunWhilePainting(const std::function<void()>& work) {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::exception_ptr error;
    std::thread worker;
    if (done) {
        try {
            worker = std::thread([&]() noexcept {
                try {
                    work();
                } catch (...) {
                    error = std::current_exception();
                }
                SetEvent(done);
            });
        } catch (const std::system_error&) {
        }
    }
    if (!worker.joinable()) {
        // No thread to be had: the old way, the window waits unpainted.
        if (done) CloseHandle(done);
        work();
        return;
    }

    ++WaitDepth();
    const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR before = SetCursor(hourglass);
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        SetCursor(hourglass);
        // Sent messages are answered inside the wait itself; the time-out keeps us asking
        // for messages now and then, which is what tells Windows that we still respond.
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &done, 100, QS_PAINT | QS_INPUT | QS_SENDMESSAGE,
                                                       MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) break;
        quit |= DropInput(quitCode);
        quit |= PaintPending(quitCode);
    }
    worker.join();
    --WaitDepth();
    CloseHandle(done);
    SetCursor(before);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    if (error) std::rethrow_exception(error);
}

}  // namespace ravenlock::ui
