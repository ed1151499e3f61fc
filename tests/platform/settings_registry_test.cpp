#include <gtest/gtest.h>
#include <windows.h>

#include "app/settings_registry.h"
#include "platform/app_error.h"

namespace ravenlock {
namespace {

bool KeyExists(const wchar_t* path) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

// What actually lies in the registry, read without the code under test.
DWORD RawType(const wchar_t* name) {
    DWORD type = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_ANY, &type, nullptr, nullptr);
    return type;
}

class SettingsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\HALCYRA");
        ASSERT_TRUE(settings_.Open());
    }
    void TearDown() override {
        settings_.Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\HALCYRA");
    }
    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, type, data, size), ERROR_SUCCESS);
    }
    SettingsRegistry settings_;
};

TEST_F(SettingsRegistryTest, OpenCreatesAnEmptyKey) {
    EXPECT_TRUE(KeyExists(kSettingsKey));
    DWORD values = 99;
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &k), ERROR_SUCCESS);
    RegQueryInfoKeyW(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(k);
    EXPECT_EQ(values, 0u);
}

TEST_F(SettingsRegistryTest, StringsRoundTripAndEmptyStaysPresent) {
    const std::wstring texts[] = {L"C:\\Games\\Fallout76\\Fallout76.exe", L"D:\\Игры\\Steam\\Steam.exe",
                                  L"123456789012345678", L""};
    for (const auto& text : texts) {
        settings_.WriteString(L"SteamExePath", text);
        EXPECT_EQ(settings_.ReadString(L"SteamExePath"), text);
        EXPECT_TRUE(settings_.ValueExists(L"SteamExePath"));
        EXPECT_EQ(RawType(L"SteamExePath"), static_cast<DWORD>(REG_SZ));
    }
    EXPECT_EQ(settings_.ReadString(L"DiscordServerID"), L"");
    EXPECT_FALSE(settings_.ValueExists(L"DiscordServerID"));
}

TEST_F(SettingsRegistryTest, BooleansAreDwordsZeroOrOne) {
    settings_.WriteBool(L"GameProcessHighPriority", true);
    EXPECT_TRUE(settings_.ReadBool(L"GameProcessHighPriority"));
    DWORD raw = 0, size = sizeof(raw);
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"GameProcessHighPriority", RRF_RT_REG_DWORD, nullptr, &raw, &size);
    EXPECT_EQ(raw, 1u);
    settings_.WriteBool(L"GameProcessHighPriority", false);
    EXPECT_FALSE(settings_.ReadBool(L"GameProcessHighPriority"));
    EXPECT_TRUE(settings_.ValueExists(L"GameProcessHighPriority"));

    const DWORD seven = 7;  // any non-zero number is on
    PutRaw(L"FreeRAMCacheBeforeStartingGame", REG_DWORD, &seven, sizeof(seven));
    EXPECT_TRUE(settings_.ReadBool(L"FreeRAMCacheBeforeStartingGame"));
}

TEST_F(SettingsRegistryTest, ExistsForEveryValueType) {
    const DWORD one = 1;
    PutRaw(L"AsDword", REG_DWORD, &one, sizeof(one));
    PutRaw(L"AsString", REG_SZ, L"x", 4);
    PutRaw(L"AsBinary", REG_BINARY, "\x01\x02", 2);
    PutRaw(L"AsEmptyBinary", REG_BINARY, nullptr, 0);
    for (const wchar_t* name : {L"AsDword", L"AsString", L"AsBinary", L"AsEmptyBinary"})
        EXPECT_TRUE(settings_.ValueExists(name)) << name;
    EXPECT_FALSE(settings_.ValueExists(L"Fallout76ExePath"));
}

TEST_F(SettingsRegistryTest, WrongTypeIsAnErrorThatNamesTheValue) {
    const DWORD number = 76;
    PutRaw(L"Fallout76ExePath", REG_DWORD, &number, sizeof(number));
    PutRaw(L"GameProcessHighPriority", REG_SZ, L"1", 4);
    const struct {
        const wchar_t* name;
        bool asBool;
    } cases[] = {{L"Fallout76ExePath", false}, {L"GameProcessHighPriority", true}};
    for (const auto& c : cases) {
        try {
            if (c.asBool)
                settings_.ReadBool(c.name);
            else
                settings_.ReadString(c.name);
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const AppError& e) {
            EXPECT_NE(e.Message().find(c.name), std::wstring::npos) << e.what();
        }
    }
}

TEST_F(SettingsRegistryTest, ClosedStoreReadsNothingAndRefusesWrites) {
    settings_.WriteString(L"SteamExePath", L"C:\\Steam\\Steam.exe");
    SettingsRegistry closed;  // never opened, as after a failed open at start-up
    EXPECT_EQ(closed.ReadString(L"SteamExePath"), L"");
    EXPECT_FALSE(closed.ValueExists(L"SteamExePath"));
    EXPECT_THROW(closed.WriteString(L"SteamExePath", L"x"), AppError);
    EXPECT_THROW(closed.WriteBool(L"GameProcessHighPriority", true), AppError);
    EXPECT_EQ(settings_.ReadString(L"SteamExePath"), L"C:\\Steam\\Steam.exe");
}

LRESULT CALLBACK CountCloses(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_USERDATA) + 1);
        return 0;  // like the main window: a close request does not destroy it
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(SettingsRegistryTest, ResetRemovesTheKeyKeepsTheParentAndAsksTheWindowToClose) {
    settings_.WriteString(L"Fallout76ExePath", L"C:\\Games\\Fallout76.exe");
    settings_.WriteBool(L"GameProcessHighPriority", true);
    HKEY nested = nullptr;  // deleted too
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\HALCYRA\\Fallout76Ravenlock\\Nested", &nested), ERROR_SUCCESS);
    RegCloseKey(nested);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\HALCYRA\\Other", L"Keep", REG_SZ, L"me", 6);

    WNDCLASSW wc{};
    wc.lpfnWndProc = CountCloses;
    wc.lpszClassName = L"RavenlockResetProbe";
    RegisterClassW(&wc);
    HWND probe = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(probe, nullptr);

    ResetSettings(probe);
    EXPECT_FALSE(KeyExists(kSettingsKey));
    EXPECT_TRUE(KeyExists(L"SOFTWARE\\HALCYRA"));
    EXPECT_TRUE(KeyExists(L"SOFTWARE\\HALCYRA\\Other"));
    EXPECT_EQ(GetWindowLongPtrW(probe, GWLP_USERDATA), 1);
    DestroyWindow(probe);

    // A second reset of a key that is already gone is no failure.
    EXPECT_NO_THROW(ResetSettings(nullptr));
    // The next start creates the key afresh, without values.
    SettingsRegistry again;
    ASSERT_TRUE(again.Open());
    EXPECT_FALSE(again.ValueExists(L"Fallout76ExePath"));
}

}  // namespace
}  // namespace ravenlock
