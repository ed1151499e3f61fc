#include <gtest/gtest.h>

#include <optional>

#include "platform/app_error.h"
#include "platform/charset.h"
#include "platform/text.h"

namespace ravenlock {
namespace {

struct RoundTrip {
    const char* utf8;
    std::wstring wide;
};

TEST(Utf8, ConvertsBothWays) {
    const RoundTrip cases[] = {
        {"", L""},
        {"Fallout 76", L"Fallout 76"},
        {"\xD0\x92\xD0\xB5\xD1\x80\xD1\x81\xD0\xB8\xD1\x8F", L"Версия"},
        {"\xE2\x82\xAC", L"\u20AC"},                          // three bytes
        {"\xF0\x9F\x98\x80", std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}},  // surrogate pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.utf8), c.wide) << c.utf8;
        EXPECT_EQ(WideToUtf8(c.wide), c.utf8) << c.utf8;
    }
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
    const struct {
        std::string in;
        std::wstring out;
    } cases[] = {
        {"a\xFF" "b", L"a\uFFFDb"},                 // byte that never starts a sequence
        {"\xD0", L"\uFFFD"},                         // truncated at the end
        {"\xD0" "A", L"\uFFFDA"},                    // continuation missing
        {"\xC0\xAF", L"\uFFFD"},                     // overlong '/'
        {"\xED\xA0\x80", L"\uFFFD"},                 // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD"},             // above U+10FFFF
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.in), c.out);
    EXPECT_EQ(WideToUtf8(std::wstring{wchar_t(0xD800), L'x'}), "\xEF\xBF\xBDx");  // lone surrogate
}

TEST(AppError, CarriesTheUsersTextInBothForms) {
    const AppError e(L"Значение «SteamExe»");
    EXPECT_EQ(e.Message(), L"Значение «SteamExe»");
    EXPECT_STREQ(e.what(), WideToUtf8(L"Значение «SteamExe»").c_str());
}

TEST(RegistryValueText, EndsAtTheFirstZero) {
    const struct {
        std::wstring stored, text;
    } cases[] = {
        {std::wstring(L"C:\\Steam\0", 9), L"C:\\Steam"},
        {L"no terminator", L"no terminator"},
        {std::wstring(L"a\0b\0\0", 5), L"a"},  // stray text after the zero is not the value
        {std::wstring(L"\0", 1), L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(RegistryValueText(c.stored), c.text) << c.text;
}

TEST(Charset, ReadFromTheContentTypeQuotedOrNot) {
    const struct {
        std::wstring type, charset;
        std::optional<unsigned> codePage;
    } cases[] = {
        {L"text/html; charset=windows-1251", L"windows-1251", 1251u},
        {L"text/html; charset=\"windows-1251\"", L"windows-1251", 1251u},  // quoted: was read as UTF-8
        {L"text/html;Charset=\"KOI8-R\"; format=flowed", L"koi8-r", 20866u},
        {L"text/html; charset=cp1251 ; x=1", L"cp1251", 1251u},
        {L"text/html; charset=utf-8", L"utf-8", std::nullopt},
        {L"text/html; xcharset=windows-1251", L"", std::nullopt},
        {L"text/html; charset=\"windows-1251", L"windows-1251", 1251u},  // no closing quote
        {L"text/html", L"", std::nullopt},
        {L"", L"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharsetOfContentType(c.type), c.charset) << c.type;
        EXPECT_EQ(CodePageOfCharset(CharsetOfContentType(c.type)), c.codePage) << c.type;
    }
}

}  // namespace
}  // namespace ravenlock
