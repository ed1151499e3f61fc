#include <gtest/gtest.h>
#include <windows.h>

#include "platform/app_error.h"
#include "platform/steam_record.h"

namespace ravenlock {
namespace {

// Each test starts without Steam's record and leaves none behind (the test prefix is ours).
class SteamRecordTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Valve"); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Valve"); }

    static void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam", 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(k);
    }
    static void PutString(const wchar_t* name, const std::wstring& text) {
        Put(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
};

TEST_F(SteamRecordTest, ReadsPathAndLoginAsSteamWroteThem) {
    PutString(L"SteamExe", L"c:/program files (x86)/steam/steam.exe");
    PutString(L"AutoLoginUser", L"vault_dweller");
    EXPECT_EQ(GetSteamExePath(), L"c:/program files (x86)/steam/steam.exe");
    EXPECT_EQ(GetSteamLogin(), L"vault_dweller");
}

TEST_F(SteamRecordTest, MissingRecordGivesEmptyPathAndNoData) {
    EXPECT_EQ(GetSteamExePath(), L"");
    EXPECT_EQ(GetSteamLogin(), L"Нет данных");
    PutString(L"AutoLoginUser", L"");  // present but empty is no login either
    EXPECT_EQ(GetSteamLogin(), L"Нет данных");
    // Nothing is created by reading.
    HKEY k = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam\\Missing", 0, KEY_READ, &k),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(SteamRecordTest, ValueOfAnotherTypeIsAnErrorNamingIt) {
    const DWORD number = 7;
    Put(L"SteamExe", REG_DWORD, &number, sizeof(number));
    Put(L"AutoLoginUser", REG_BINARY, "ab", 2);
    try {
        GetSteamExePath();
        FAIL() << "no error for a REG_DWORD SteamExe";
    } catch (const AppError& e) {
        EXPECT_NE(e.Message().find(L"SteamExe"), std::wstring::npos) << e.what();
    }
    try {
        GetSteamLogin();
        FAIL() << "no error for a REG_BINARY AutoLoginUser";
    } catch (const AppError& e) {
        EXPECT_NE(e.Message().find(L"AutoLoginUser"), std::wstring::npos) << e.what();
    }
}

}  // namespace
}  // namespace ravenlock
