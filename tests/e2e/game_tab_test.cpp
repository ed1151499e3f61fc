// What the game tab tells about the installation: the versions of the game and Steam
// and the remembered Steam login.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "driver.h"
#include "sandbox.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

class GameTab : public SandboxTest {
protected:
    // Starts the program and waits until the label on the game tab reads as expected.
    void ExpectLabel(int labelId, const std::wstring& expected) {
        Program program;
        HWND window = program.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        HWND label = PageControl(window, ids::kPageFirst + ids::kTabGame, labelId);
        ASSERT_NE(label, nullptr) << "no label " << labelId << " on the game tab";
        EXPECT_TRUE(WaitFor([&] { return TextOf(label) == expected; })) << "shows \"" << TextOf(label) << "\"";
    }
};

TEST_F(GameTab, VersionLabelsShowTheVersionsOfGameAndSteam) {
    const struct {
        const wchar_t* gameStub;
        int label;
        const wchar_t* text;
    } cases[] = {
        {L"Fallout76.exe", ids::kVersionGameLabel, L"Версия игры: 1.7.23.4"},
        {L"Fallout76.exe", ids::kVersionSteamLabel, L"Версия Steam: 9.0.12.7"},
        {L"Fallout76_noversion.exe", ids::kVersionGameLabel, L"Версия игры: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameStub);
        Reset();
        ASSERT_TRUE(CopyStub(c.gameStub, kGameExe));
        ExpectLabel(c.label, c.text);
    }
}

TEST_F(GameTab, LoginLineShowsSteamsRememberedLogin) {
    const struct {
        bool remembered;
        const wchar_t* text;
    } cases[] = {
        {true, L"Логин: vault_dweller"},
        {false, L"Логин: Нет данных"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Reset();
        if (!c.remembered) {
            ASSERT_TRUE(DeleteValue(kSteamKey, L"AutoLoginUser"));
        }
        ExpectLabel(ids::kLabel13, c.text);
    }
}

}  // namespace
}  // namespace e2e
