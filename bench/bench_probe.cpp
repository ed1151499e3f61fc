// The benchmark's hands and stopwatch inside Wine: starts a program, waits for its
// window, and prints what one run measured as "name=value" lines for scripts/bench.sh.
//
//   bench_probe start    EXE CLASS          time to a shown window and to its tray icon (when it
//                                           has one); working set 3 s after start
//   bench_probe idle     EXE CLASS SECONDS  CPU while the window is hidden (closed to the tray)
//   bench_probe follow   EXE CLASS SECONDS  CPU while the program follows a running game
//   bench_probe stall    EXE CLASS SECONDS  longest answer to a sent message after the window shows
//   bench_probe download EXE CLASS news|codes  the same, during a download from a silent service
//   bench_probe install  EXE CLASS ARCHIVE  the same, while the Mods tab installs the archive
//                                           (chosen in its file dialog) until its closing message
//
// Every run ends the program it started (and, for "follow", the game and Steam stand-ins).
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/control_ids.h"
#include "tray_icon_probe.h"

namespace {

using namespace ravenlock;

double NowMs() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

[[noreturn]] void Fail(const char* what) {
    std::printf("error=%s\n", what);
    std::fflush(stdout);
    std::exit(2);
}

struct Started {
    PROCESS_INFORMATION pi{};
    double t0 = 0;
    HWND window = nullptr;
    double visibleMs = 0;
};

struct FindArgs {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
    const wchar_t* title = nullptr;  // any when none
};

// A shown top-level window of the process with that class (and title).
HWND ShownWindowOf(DWORD pid, const wchar_t* cls, const wchar_t* title = nullptr) {
    FindArgs args{pid, cls, nullptr, title};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* a = reinterpret_cast<FindArgs*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            wchar_t text[64] = {};
            if (a->title) GetWindowTextW(hwnd, text, 64);
            if (owner == a->pid && wcscmp(name, a->cls) == 0 && IsWindowVisible(hwnd) &&
                (!a->title || wcscmp(text, a->title) == 0)) {
                a->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&args));
    return args.found;
}

Started Start(const wchar_t* exe, const wchar_t* cls) {
    Started s;
    std::wstring command = L"\"" + std::wstring(exe) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    s.t0 = NowMs();
    if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &s.pi))
        Fail("cannot-start");
    while (NowMs() - s.t0 < 30000) {
        if ((s.window = ShownWindowOf(s.pi.dwProcessId, cls))) break;
        if (WaitForSingleObject(s.pi.hProcess, 1) == WAIT_OBJECT_0) Fail("program-ended");
    }
    if (!s.window) Fail("no-window");
    s.visibleMs = NowMs() - s.t0;
    return s;
}

// Time from the start until the window's tray icon exists; -1 when none came within the limit.
double TrayIconMs(const Started& s, double limitMs) {
    while (NowMs() - s.t0 < limitMs) {
        if (testing::TrayIconPresent(s.window)) return NowMs() - s.t0;
        Sleep(1);
    }
    return -1;
}

void SleepUntil(double t) {
    const double left = t - NowMs();
    if (left > 0) Sleep(static_cast<DWORD>(left));
}

// Ends every process of this executable name (the game and Steam stand-ins).
void EndAll(const wchar_t* name) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
        if (_wcsicmp(e.szExeFile, name) != 0) continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, e.th32ProcessID)) {
            TerminateProcess(h, 0);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
}

bool Runs(const wchar_t* name) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W e{};
    e.dwSize = sizeof(e);
    bool found = false;
    for (BOOL ok = Process32FirstW(snap, &e); ok && !found; ok = Process32NextW(snap, &e))
        found = _wcsicmp(e.szExeFile, name) == 0;
    CloseHandle(snap);
    return found;
}

void End(Started& s) {
    TerminateProcess(s.pi.hProcess, 0);
    WaitForSingleObject(s.pi.hProcess, 10000);
    CloseHandle(s.pi.hProcess);
    CloseHandle(s.pi.hThread);
}

// The script reads the program from Linux at a mark; it gets a moment before anything ends.
void Mark(const char* name) {
    std::printf("mark=%s\n", name);
    std::fflush(stdout);
    Sleep(1500);
}

// Sends WM_NULL again and again for a while; the longest wait for an answer.
double LongestStall(HWND window, double forMs) {
    double longest = 0;
    const double until = NowMs() + forMs;
    while (NowMs() < until) {
        DWORD_PTR result = 0;
        const double t = NowMs();
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
        longest = std::max(longest, NowMs() - t);
        Sleep(10);
    }
    return longest;
}

HWND PageChild(HWND main, int page, int id) { return GetDlgItem(GetDlgItem(main, page), id); }

bool WaitFor(bool (*condition)(HWND), HWND hwnd, double limitMs) {
    const double until = NowMs() + limitMs;
    while (NowMs() < until) {
        if (condition(hwnd)) return true;
        Sleep(20);
    }
    return false;
}

void PrintTrace() {
    // The program's own start-up steps, when it was asked for them.
    const char* path = std::getenv("RAVENLOCK_STARTUP_TRACE");
    if (!path) return;
    FILE* f = std::fopen(path, "r");
    if (!f) return;
    char line[256];
    while (std::fgets(line, sizeof line, f)) std::printf("trace %s", line);
    std::fclose(f);
    std::remove(path);
}

void SetScenario(const char* name) {
    const char* path = std::getenv("RAVENLOCK_SCENARIO_FILE");
    if (!path) Fail("no-scenario-file");
    FILE* f = std::fopen(path, "w");
    if (!f) Fail("scenario-file");
    std::fprintf(f, "%s\n", name);
    std::fclose(f);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) Fail("usage");
    const std::wstring mode = argv[1];
    const wchar_t* exe = argv[2];
    const wchar_t* cls = argv[3];
    const double seconds = argc > 4 ? _wtof(argv[4]) : 0;

    // A trace left by an earlier run would pass for this one's.
    if (const char* trace = std::getenv("RAVENLOCK_STARTUP_TRACE")) std::remove(trace);
    Started s = Start(exe, cls);
    if (mode == L"start") {
        // Watched from the window on; the memory is still read at 3 s, and a tray icon not
        // there by then is waited for afterwards.
        double trayMs = TrayIconMs(s, 3000);
        SleepUntil(s.t0 + 3000);
        PROCESS_MEMORY_COUNTERS mem{};
        mem.cb = sizeof(mem);
        GetProcessMemoryInfo(s.pi.hProcess, &mem, sizeof(mem));
        Mark("memory");
        std::printf("visible_ms=%.1f\nworking_set_kib=%llu\n", s.visibleMs,
                    static_cast<unsigned long long>(mem.WorkingSetSize / 1024));
        if (trayMs < 0) trayMs = TrayIconMs(s, 15000);
        if (trayMs >= 0) std::printf("tray_ms=%.1f\ntray_after_visible_ms=%.1f\n", trayMs, trayMs - s.visibleMs);
        PrintTrace();
    } else if (mode == L"idle" || mode == L"follow") {
        if (mode == L"idle") {
            SleepUntil(s.t0 + 3000);
            PostMessageW(s.window, WM_CLOSE, 0, 0);  // to the tray
        } else {
            HWND run = PageChild(s.window, ids::kPageFirst + ids::kTabGame, ids::kRunGameButton);
            if (!WaitFor([](HWND h) { return IsWindowEnabled(h) != FALSE; }, run, 20000)) Fail("run-button-disabled");
            PostMessageW(run, BM_CLICK, 0, 0);
            const double until = NowMs() + 20000;
            while (!Runs(L"Fallout76.exe") && NowMs() < until) Sleep(50);
            if (!Runs(L"Fallout76.exe")) Fail("no-game");
        }
        Sleep(3000);  // let start-up work and the first ticks settle
        // Wine gives no CPU times of another process: the script reads them from Linux at the marks.
        const double t = NowMs();
        Mark("begin");
        Sleep(static_cast<DWORD>(seconds * 1000) - 1500);
        const double wall = NowMs() - t;
        Mark("end");
        std::printf("wall_ms=%.1f\n", wall);
        EndAll(L"Fallout76.exe");
        EndAll(L"Steam.exe");
    } else if (mode == L"stall") {
        Sleep(1000);  // the first paint and the rest of start-up are not the stall we look for
        std::printf("stall_ms=%.1f\n", LongestStall(s.window, seconds * 1000));
    } else if (mode == L"download") {
        const std::wstring what = argc > 4 ? argv[4] : L"";
        HWND label;
        if (what == L"news") {
            label = PageChild(s.window, ids::kPageFirst + ids::kTabGame, ids::kNewsLabel0);
            if (!WaitFor([](HWND h) { return GetWindowTextLengthW(h) > 0; }, label, 20000)) Fail("no-news");
        } else {
            PostMessageW(GetDlgItem(s.window, ids::kTabButtonFirst + ids::kTabResources), BM_CLICK, 0, 0);
            label = PageChild(s.window, ids::kPageFirst + ids::kTabResources, ids::kLaunchCodesLabel);
            if (!WaitFor([](HWND h) { return IsWindowVisible(h) != FALSE; }, label, 20000)) Fail("no-codes-label");
        }
        SetScenario("slow");
        // The label's own click (it answers the button's release).
        PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Sleep(100);
        std::printf("stall_ms=%.1f\n", LongestStall(s.window, 4000));
        SetScenario("operational");
    } else if (mode == L"install") {
        const std::wstring archive = argc > 4 ? argv[4] : L"";
        PostMessageW(GetDlgItem(s.window, ids::kTabButtonFirst + ids::kTabMods), BM_CLICK, 0, 0);
        HWND button = PageChild(s.window, ids::kPageFirst + ids::kTabMods, ids::kModsInstallButton);
        if (!WaitFor([](HWND h) { return IsWindowVisible(h) != FALSE; }, button, 20000)) Fail("no-install-button");
        PostMessageW(button, BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        for (const double until = NowMs() + 20000; !dialog && NowMs() < until; Sleep(20))
            dialog = ShownWindowOf(s.pi.dwProcessId, L"#32770", L"Установить мод");
        if (!dialog) Fail("no-file-dialog");
        HWND field = GetDlgItem(dialog, 0x47C);  // the file-name box, or the plain field
        if (!field) field = GetDlgItem(dialog, 0x480);
        DWORD_PTR ignored = 0;
        if (!field || !SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(archive.c_str()),
                                           SMTO_ABORTIFHUNG, 5000, &ignored))
            Fail("no-file-name-field");
        const double t = NowMs();
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // The UI thread is asked all along, until the install's closing message shows.
        double longest = 0;
        HWND message = nullptr;
        while (!(message = ShownWindowOf(s.pi.dwProcessId, L"#32770", L"Моды")) && NowMs() - t < 300000) {
            DWORD_PTR result = 0;
            const double asked = NowMs();
            SendMessageTimeoutW(s.window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
            longest = std::max(longest, NowMs() - asked);
            Sleep(10);
        }
        if (!message) Fail("no-closing-message");
        std::printf("install_stall_ms=%.1f\ninstall_in_program_ms=%.1f\n", longest, NowMs() - t);
        PostMessageW(message, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        Sleep(500);
    } else {
        Fail("usage");
    }
    End(s);
    std::fflush(stdout);
    return 0;
}
