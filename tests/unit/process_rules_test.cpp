#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/process_rules.h"

namespace ravenlock {
namespace {

TEST(ProcessRules, WantedNameIsTheFileNamePart) {
    const struct {
        std::wstring in, out;
    } cases[] = {
        {L"Fallout76.exe", L"Fallout76.exe"},
        {L"C:\\Games\\Fallout76\\Fallout76.exe", L"Fallout76.exe"},
        {L"D:/Steam/steam.exe", L"steam.exe"},
        {L"C:RAMMap.exe", L"RAMMap.exe"},
        {L"C:\\Games\\", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessFileName(c.in), c.out) << c.in;
}

TEST(ProcessRules, OnlyAsciiLettersAreFolded) {
    const struct {
        std::wstring wanted, running;
        bool match;
    } cases[] = {
        {L"Fallout76.exe", L"Fallout76.exe", true},
        {L"fallout76.exe", L"Fallout76.exe", true},
        {L"FALLOUT76.EXE", L"fallout76.exe", true},
        {L"Fallout76.ex", L"Fallout76.exe", false},
        {L"Fallout76.exe", L"Fallout76.exe ", false},
        {L"Ёжик.exe", L"Ёжик.exe", true},
        {L"ёжик.exe", L"Ёжик.exe", false},   // Cyrillic case must match
        {L"ÉTÉ.EXE", L"été.exe", false},      // and so must Latin-1
        {L"[a].exe", L"{A}.exe", false},      // neighbours of the letter ranges stay apart
        {L"@.exe", L"`.exe", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessNameMatches(c.wanted, c.running), c.match) << c.wanted << L" / " << c.running;
}

TEST(ProcessRules, WorkingSetIsFlooredToWholeMebibytes) {
    const struct {
        uint64_t bytes, mib;
    } cases[] = {
        {0, 0}, {1'048'575, 0}, {1'048'576, 1}, {2'097'151, 1}, {5'000'000'000ull, 4768},
        {UINT64_MAX, UINT64_MAX >> 20},
    };
    for (const auto& c : cases) EXPECT_EQ(WorkingSetToMiB(c.bytes), c.mib) << c.bytes;
}

TEST(ProcessRules, FileVersionIsFourDecimalParts) {
    EXPECT_EQ(FormatFileVersion(0x00010007, 0x00170004), L"1.7.23.4");
    EXPECT_EQ(FormatFileVersion(0, 0), L"0.0.0.0");
    EXPECT_EQ(FormatFileVersion(0xFFFF0000, 0x0000FFFF), L"65535.0.0.65535");
}

TEST(Paths, AnExtensionPatternMatchesTheLongNameExactly) {
    const struct {
        const wchar_t* name;
        const wchar_t* pattern;
        bool matches;
    } cases[] = {
        {L"Fallout76_crash.dmp", L"C:\\Games\\*.dmp", true},
        {L"OLD.DMP", L"C:\\Games\\*.dmp", true},
        {L"x.dmpold", L"C:\\Games\\*.dmp", false},  // found by its short name X~1.DMP
        {L"x.dmp.bak", L"*.dmp", false},
        {L"dmp", L"*.dmp", false},
        {L"photo.png", L"D:\\Photos\\*.png", true},
        {L"photo.pngx", L"D:\\Photos\\*.png", false},
        {L"anything.txt", L"C:\\x\\*", true},  // not an extension pattern: the system decides
        {L"a.b", L"C:\\x\\a?b", true},
    };
    for (const auto& c : cases) EXPECT_EQ(LongNameMatches(c.name, c.pattern), c.matches) << testing::PrintToString(std::wstring(c.name));
}

}  // namespace
}  // namespace ravenlock
