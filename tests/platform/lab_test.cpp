// The test lab itself: later tests of ANSI files, dates and read-only guards rely on
// Wine behaving like our users' Windows in these respects.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "test_support.h"

namespace {

TEST(TestLab, RunsWithTheRussianAnsiCodePage) {
    EXPECT_EQ(GetACP(), 1251u);
    wchar_t decimal[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    EXPECT_STREQ(decimal, L",");
}

TEST(TestLab, ReadOnlyFileRefusesProfileWrites) {
    testing_support::TempDir dir;
    const std::wstring ini = dir.Path() + L"Fallout76Prefs.ini";
    std::ofstream(std::filesystem::path(ini)) << "[Display]\r\niSize W=1920\r\n";
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritePrivateProfileStringW(L"Display", L"iSize W", L"2560", ini.c_str()))
        << "a read-only file took a write: is Wine running as root?";
    wchar_t value[16] = {};
    GetPrivateProfileStringW(L"Display", L"iSize W", L"", value, 16, ini.c_str());
    EXPECT_STREQ(value, L"1920");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(WritePrivateProfileStringW(L"Display", L"iSize W", L"2560", ini.c_str()));
}

}  // namespace
