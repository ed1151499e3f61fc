#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/version_info.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::BinDir;

TEST(GetFileVersionString, ReadsTheFixedFileVersion) {
    testing_support::TempDir dir;
    {
        std::ofstream(std::filesystem::path(dir.Path() + L"notes.txt")) << "no version here";
    }
    const struct {
        std::wstring path, version;
    } cases[] = {
        {BinDir() + L"Fallout76.exe", L"1.7.23.4"},
        {BinDir() + L"Steam.exe", L"9.0.12.7"},
        {BinDir() + L"Fallout76Ravenlock.exe", L"0.1.0.0"},
        {BinDir() + L"Fallout76_noversion.exe", L""},  // an executable without version information
        {dir.Path() + L"notes.txt", L""},
        {dir.Path() + L"missing.exe", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetFileVersionString(c.path), c.version) << c.path;
}

}  // namespace
}  // namespace ravenlock
