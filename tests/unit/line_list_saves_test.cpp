// What the line list writes must read back as the same lines, in code page 1251 as our
// users have it; where it cannot promise that, the save is refused with a message and
// nothing is written.
#include <gtest/gtest.h>

#include "gameconfig/line_list.h"
#include "platform/app_error.h"
#include "support/cp1251.h"

namespace ravenlock {
namespace {

using testing::kCp1251;

std::wstring SaveError(const LineList& list) {
    try {
        list.Save(kCp1251);
    } catch (const AppError& e) {
        return e.Message();
    }
    return L"";
}

TEST(LineListSaves, FirstLineThatReadsAsAByteOrderMarkIsRefused) {
    // "юя", "яю" and "п»ї" are the marks of UTF-16 LE, UTF-16 BE and UTF-8 in code page 1251.
    for (const std::wstring first : {L"юя", L"яю", L"п»ї", L"п»їsName=1", L"юяa=b"}) {
        LineList list;
        list.SetValueOfName(first, L"");  // the smallest case: an empty list, one key
        EXPECT_EQ(SaveError(list), kLooksLikeMarkText) << first.size();
    }
    // The same letters anywhere else, or with a mark of our own, are fine.
    for (const std::string& bytes : {std::string("a=1\r\n\xFE\xFF=2\r\n"), std::string("\xEF\xBB\xBF\xD1\x8E\xD1\x8F=1\r\n"),
                                    std::string("\xFE=\xFF\r\n")}) {
        LineList list;
        list.Load(bytes, kCp1251);
        const std::string saved = list.Save(kCp1251);
        LineList again;
        again.Load(saved, kCp1251);
        EXPECT_EQ(again.Lines(), list.Lines()) << bytes;
    }
}

TEST(LineListSaves, BytesThatDidNotSurviveReadingAreNotWrittenBack) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-16 LE with an odd last byte", std::string("\xFF\xFE" "a\0=\0" "1\0" "X", 9)},
        {"UTF-16 BE with an odd last byte", std::string("\xFE\xFF\0a\0=\0" "1" "X", 9)},
        {"broken UTF-8 after a UTF-8 mark", "\xEF\xBB\xBF" "a=\xD0\r\nb=\xC0\x80\r\n"},
    };
    for (const auto& c : cases) {
        LineList list;
        list.Load(c.bytes, kCp1251);
        list.SetValueOfName(L"a", L"2");
        EXPECT_EQ(SaveError(list), kUnreadableBytesText) << c.what;
    }
    // Every other byte of code page 1251 reads and writes back as it was, 0x98 included.
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
    LineList list;
    list.Load("x" + all + "\r\n", kCp1251);
    EXPECT_EQ(list.Save(kCp1251), "x" + all + "\r\n");
}

TEST(LineListSaves, AValueTheCodePageCannotHoldIsRefusedByName) {
    LineList list;
    list.Load("[Display]\r\nsLanguage=ru\r\n", kCp1251);
    list.SetValueOfName(L"sLanguage", L"日本語");
    EXPECT_EQ(SaveError(list), std::wstring(kNotInCodePageText) + L"sLanguage=日本語");
    // A file with a UTF-8 mark holds any text.
    LineList utf8;
    utf8.Load("\xEF\xBB\xBF[Display]\r\n", kCp1251);
    utf8.SetValueOfName(L"sLanguage", L"日本語");
    EXPECT_EQ(utf8.Save(kCp1251), "\xEF\xBB\xBF[Display]\r\nsLanguage=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n");
}

}  // namespace
}  // namespace ravenlock
