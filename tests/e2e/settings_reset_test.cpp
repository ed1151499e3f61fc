// The settings reset behind the version line on the Resources tab: a question first, and
// on Yes the program's key goes and the program ends.
#include <gtest/gtest.h>

#include "launch_common.h"

namespace e2e {
namespace {

using namespace sandbox;

constexpr wchar_t kResetTitle[] = L"Сброс настроек";
constexpr wchar_t kResetQuestion[] = L"Сбросить настройки? В случае подтверждения приложение будет закрыто";
constexpr wchar_t kSettingsParentKey[] = L"SOFTWARE\\HALCYRA";

using SettingsReset = SandboxTest;

TEST_F(SettingsReset, VersionLineAsksAndOnlyYesRemovesTheKeyAndEndsTheProgram) {
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        Reset();
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        // A stored option, so that a kept key is told from a fresh one.
        ASSERT_TRUE(WriteDword(kSettingsKey, L"GameProcessHighPriority", 1));
        SelectTab(window, ids::kTabResources);
        HWND about = PageControl(window, ids::kPageFirst + ids::kTabResources, ids::kAboutLabel);
        ASSERT_TRUE(WaitFor([&] { return IsShown(about); })) << "the Resources tab does not show its version line";

        ClickLabel(about);
        HWND box = program.WaitForDialog(kResetTitle);
        ASSERT_NE(box, nullptr) << "no question";
        EXPECT_EQ(MessageBoxText(box), kResetQuestion);
        EXPECT_NE(Control(box, IDYES), nullptr);
        EXPECT_NE(Control(box, IDNO), nullptr);
        Answer(box, answer);

        if (answer == IDYES) {
            ASSERT_TRUE(program.WaitForExit()) << "the program goes on after the reset";
            EXPECT_EQ(program.ExitCode(), 0u);
            EXPECT_FALSE(KeyExists(kSettingsKey));
            EXPECT_TRUE(KeyExists(kSettingsParentKey));
        } else {
            EXPECT_TRUE(WaitFor([&] { return program.Dialogs().empty(); })) << "the question stays";
            EXPECT_TRUE(Sync(window));
            EXPECT_TRUE(program.IsRunning());
            EXPECT_EQ(ValueCount(kSettingsKey), 1);
        }
    }
}

}  // namespace
}  // namespace e2e
