#include "exit_checks.h"

#include <gtest/gtest.h>

#include "launch_common.h"
#include "tray_icon_probe.h"

namespace e2e {

namespace {
constexpr int kProbeHotKeyId = 0x77;
}

bool ClearHotKeyAtom() {
    // An atom goes when its count reaches zero; a bound keeps a stuck table from looping.
    for (int i = 0; i < 10000; ++i) {
        const ATOM atom = GlobalFindAtomW(kHotKeyAtom);
        if (!atom) return true;
        GlobalDeleteAtom(atom);
    }
    return false;
}

bool HotKeyAtomExists() { return GlobalFindAtomW(kHotKeyAtom) != 0; }

bool HotKeyFree() {
    if (!RegisterHotKey(nullptr, kProbeHotKeyId, kHotKeyModifiers, kHotKeyKey)) return false;
    UnregisterHotKey(nullptr, kProbeHotKeyId);
    return true;
}

bool TrayIconPresent(HWND owner) { return ravenlock::testing::TrayIconPresent(owner); }

void ExpectHeld(HWND window) {
    // Both come from the start-up steps posted after the first paint.
    EXPECT_TRUE(WaitFor([] { return HotKeyAtomExists(); })) << "the program added no atom " << "FalloutCloseForce";
    EXPECT_TRUE(WaitFor([] { return !HotKeyFree(); })) << "CTRL+SHIFT+F is not held by the program";
    EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(window); })) << "the notification area has no icon of ours";
}

void ExpectCleanedUp(HWND window) {
    EXPECT_FALSE(HotKeyAtomExists()) << "the atom FalloutCloseForce outlives the program";
    EXPECT_TRUE(HotKeyFree()) << "CTRL+SHIFT+F stays taken after the exit";
    EXPECT_FALSE(TrayIconPresent(window)) << "the notification area still holds the program's icon";
}

}  // namespace e2e
