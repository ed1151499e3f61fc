// The system DLLs that the window does not need come at first use: without one of them
// the window still appears, the later start-up steps still run, and the feature that
// needed it says which DLL is missing, once, instead of taking the program down.
// Wine's own per-program switch keeps one of them out of the program.
#include <gtest/gtest.h>

#include "disk_files.h"
#include "exit_checks.h"
#include "launch_common.h"
#include "online/server_status.h"

namespace e2e {
namespace {

using LateLibraries = SandboxTest;

// Wine's own switch, for our program only: a DLL named here with an empty value is never
// loaded into it (read when a process starts).
constexpr wchar_t kOurDllSwitches[] = L"Software\\Wine\\AppDefaults\\Fallout76Ravenlock.exe\\DllOverrides";

class DisabledDll {
public:
    explicit DisabledDll(const wchar_t* dll) : dll_(dll) { EXPECT_TRUE(sandbox::WriteString(kOurDllSwitches, dll_, L"")); }
    ~DisabledDll() { sandbox::DeleteValue(kOurDllSwitches, dll_); }
    DisabledDll(const DisabledDll&) = delete;
    DisabledDll& operator=(const DisabledDll&) = delete;

private:
    std::wstring dll_;
};

TEST_F(LateLibraries, WithoutOneTheWindowComesAndTheFeatureSaysWhichIsMissing) {
    const struct {
        const wchar_t* dll;
        const wchar_t* feature;
        bool statusFails;  // the server status check cannot run without it
    } cases[] = {
        {L"winmm", L"звуковые оповещения", false},  // the start-up sound
        {L"winhttp", L"статус серверов, новости, виджет Discord и коды запуска", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.dll));
        const DisabledDll off(c.dll);
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr) << "no window without " << Utf8(c.dll);
        HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "nothing says that " << Utf8(c.dll) << " is missing";
        const std::wstring text = MessageBoxText(box);
        const std::wstring head = L"Не удалось загрузить системную библиотеку " + std::wstring(c.dll) + L".dll (код ошибки ";
        const std::wstring tail = L"), поэтому недоступно: " + std::wstring(c.feature) + L".";
        EXPECT_EQ(text.rfind(head, 0), 0u) << Utf8(text);
        EXPECT_TRUE(text.size() > head.size() + tail.size() && text.ends_with(tail)) << Utf8(text);
        Answer(box, IDOK);

        // The steps around the failing one ran all the same, and the program goes on.
        EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(window); })) << "no tray icon";
        EXPECT_TRUE(WaitFor([] { return !HotKeyFree(); })) << "CTRL+SHIFT+F is not held";
        if (c.statusFails) {
            const std::wstring failed = std::wstring(ravenlock::kStatusPrefix) + ravenlock::kParseErrorText;
            EXPECT_TRUE(WaitFor([&] { return TextOf(ServerStatusLabel(window)) == failed; }))
                << Utf8(TextOf(ServerStatusLabel(window)));
            // A paint asks for a check again; the missing DLL was said once.
            InvalidateRect(window, nullptr, FALSE);
        }
        ASSERT_TRUE(Sync(window));
        Sleep(1500);
        EXPECT_TRUE(program.Dialogs().empty()) << "a second box: \"" << Utf8(MessageBoxText(program.Dialogs().front()))
                                               << "\"";
        EXPECT_TRUE(program.IsRunning());
        for (HWND d : program.Dialogs()) Answer(d, IDOK);
        program.Kill();
    }
}

}  // namespace
}  // namespace e2e
