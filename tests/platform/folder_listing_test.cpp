// Folder listings by pattern: what the system matches by a file's short name stays out.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iostream>

#include "platform/file_system.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::TempDir;

std::vector<std::wstring> SystemMatches(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderListing, AnExtensionPatternTakesOnlyLongNamesWithThatExtension) {
    TempDir dir;
    for (const wchar_t* name : {L"Fallout76_crash.dmp", L"x.dmpold", L"OLD.DMP", L"photo.png", L"photo.pngx"}) {
        HANDLE f = CreateFileW((dir.Path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }
    const struct {
        const wchar_t* pattern;
        std::vector<std::wstring> names;
    } cases[] = {
        {L"*.dmp", {L"Fallout76_crash.dmp", L"OLD.DMP"}},
        {L"*.png", {L"photo.png"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.pattern)));
        std::vector<std::wstring> listed;
        for (const FolderEntry& e : ListFolder(dir.Path() + c.pattern)) listed.push_back(e.name);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, c.names);
        if (SystemMatches(dir.Path() + c.pattern) == c.names)
            std::cout << "[   NOTE   ] the system matched no short name here: only the rule was tried\n";
    }
}

}  // namespace
}  // namespace ravenlock
