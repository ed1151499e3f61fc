#include <gtest/gtest.h>

#include "gameconfig/ini_section.h"
#include "gameconfig/line_list.h"
#include "gameconfig/option_rules.h"
#include "platform/app_error.h"

namespace ravenlock {
namespace {

// Latin-1 stands in for the system's ANSI code page: one byte, one character.
const AnsiCodec kLatin1{
    [](std::string_view b) {
        std::wstring w;
        for (char c : b) w.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        return w;
    },
    [](std::wstring_view w) -> std::optional<std::string> {
        std::string b;
        for (wchar_t c : w) {
            if (static_cast<uint32_t>(c) > 0xFF) return std::nullopt;
            b.push_back(static_cast<char>(c));
        }
        return b;
    }};

TEST(LineList, LoadsEveryEncodingAndLineEnd) {
    const std::vector<std::wstring> three = {L"[Display]", L"", L"iSize W=1920"};
    const struct {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"ANSI, CR LF, trailing break", "[Display]\r\n\r\niSize W=1920\r\n", TextEncoding::Ansi, three},
        {"ANSI, no trailing break", "[Display]\r\n\r\niSize W=1920", TextEncoding::Ansi, three},
        {"LF only", "[Display]\n\niSize W=1920\n", TextEncoding::Ansi, three},
        {"CR only", "[Display]\r\riSize W=1920\r", TextEncoding::Ansi, three},
        {"mixed", "[Display]\r\n\riSize W=1920\n", TextEncoding::Ansi, three},
        {"blanks kept", "  a = 1 \r\n\t\t\r\n", TextEncoding::Ansi, {L"  a = 1 ", L"\t\t"}},
        {"two breaks at the end keep one blank line", "a\r\n\r\n", TextEncoding::Ansi, {L"a", L""}},
        {"empty", "", TextEncoding::Ansi, {}},
        {"UTF-8 with BOM", "\xEF\xBB\xBFsName=\xD0\xAF\r\n", TextEncoding::Utf8, {L"sName=Я"}},
        {"UTF-16 LE", std::string("\xFF\xFE" "a\0=\0\x2F\x04\r\0\n\0", 12), TextEncoding::Utf16Le, {L"a=Я"}},
        {"UTF-16 BE", std::string("\xFE\xFF\0a\0=\x04\x2F\0\r\0\n", 12), TextEncoding::Utf16Be, {L"a=Я"}},
    };
    for (const auto& c : cases) {
        LineList list;
        list.Select(0);
        list.Load(c.bytes, kLatin1);
        EXPECT_EQ(list.Lines(), c.lines) << c.what;
        EXPECT_EQ(list.Encoding(), c.encoding) << c.what;
        EXPECT_EQ(list.Selected(), -1) << c.what;
    }
}

TEST(LineList, SavesInTheRememberedEncodingWithCrLfAfterEveryLine) {
    const struct {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"ANSI gains the final break", "a=1\nb=2", "a=1\r\nb=2\r\n"},
        {"UTF-8 keeps its mark", "\xEF\xBB\xBF" "a=\xD0\xAF\r\n", "\xEF\xBB\xBF" "a=\xD0\xAF\r\n"},
        {"UTF-16 LE round trip", std::string("\xFF\xFE" "a\0\r\0\n\0", 8), std::string("\xFF\xFE" "a\0\r\0\n\0", 8)},
        {"UTF-16 BE round trip", std::string("\xFE\xFF\0a\0\r\0\n", 8), std::string("\xFE\xFF\0a\0\r\0\n", 8)},
        {"blank lines kept", "[A]\r\n\r\n\r\n[B]", "[A]\r\n\r\n\r\n[B]\r\n"},
    };
    for (const auto& c : cases) {
        LineList list;
        list.Load(c.in, kLatin1);
        EXPECT_EQ(list.Save(kLatin1), c.out) << c.what;
    }
}

TEST(LineList, NamesValuesAndLookups) {
    LineList list;
    list.Load("[Display]\r\niMaxAnisotropy=16\r\n[Grass]\r\nfGrassStartFadeDistance = 4500\r\nIMAXANISOTROPY=2\r\n"
              "[Pipboy]\r\nfPipboyEffectColorR=0.5000\r\n",
              kLatin1);
    EXPECT_EQ(LineList::NameOf(L"fGrassStartFadeDistance = 4500"), L"fGrassStartFadeDistance ");
    EXPECT_EQ(LineList::ValueOf(L"fGrassStartFadeDistance = 4500"), L" 4500");
    EXPECT_EQ(LineList::NameOf(L"[Display]"), L"");
    EXPECT_EQ(LineList::ValueOf(L"a=b=c"), L"b=c");

    const struct {
        std::wstring name;
        std::optional<size_t> at;
    } finds[] = {
        {L"imaxanisotropy", 1},             // case ignored, the first from the top
        {L"iMaxAniso", std::nullopt},       // whole names only
        {L"fGrassStartFadeDistance", std::nullopt},  // the name has a trailing blank
        {L"fGrassStartFadeDistance ", 3},
        {L"[Display]", std::nullopt},       // a header is no entry
    };
    for (const auto& f : finds) EXPECT_EQ(list.Find(f.name), f.at) << f.name;
    EXPECT_EQ(list.ValueOfName(L"IMAXANISOTROPY"), L"16");
    EXPECT_EQ(list.ValueOfName(L"missing"), L"");
    EXPECT_EQ(list.SectionOfName(L"fPipboyEffectColorR"), L"Pipboy");
    EXPECT_EQ(list.SectionOfName(L"fGrassStartFadeDistance "), L"Grass");
    EXPECT_EQ(list.SectionOfName(L"fPipboyEffectColorG"), std::nullopt);

    list.SetValueOfName(L"fpipboyeffectcolorr", L"0.8000");  // the first match, renamed as given
    EXPECT_EQ(list.Lines()[6], L"fpipboyeffectcolorr=0.8000");
    list.SetValueOfName(L"fPipboyEffectColorG", L"1.0000");  // missing: a new last line
    EXPECT_EQ(list.Lines().back(), L"fPipboyEffectColorG=1.0000");

    EXPECT_THROW(list.ReplaceSelected(L"x=1"), AppError);
    try {
        list.ReplaceSelected(L"x=1");
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (-1)");
    }
    list.Select(1);
    list.ReplaceSelected(L"iMaxAnisotropy=0");
    EXPECT_EQ(list.Lines()[1], L"iMaxAnisotropy=0");
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_TRUE(SameName(L"Ёлка", L"ёЛКА"));
}

TEST(OptionRules, TableAndReadRules) {
    const auto& options = QuickOptions();
    ASSERT_EQ(options.size(), 22u);
    const int columnOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 16, 17, 19, 20, 60, 61};
    for (size_t i = 0; i < options.size(); ++i) EXPECT_EQ(options[i].tag, columnOrder[i]);

    const struct {
        int tag;
        std::wstring value;
        bool checked;
    } cases[] = {
        {1, L"1", true},   {1, L"0", false},  {1, L"", false},   {1, L"true", false}, {1, L"01", false},
        {14, L"TAA", true}, {14, L"taa", false}, {14, L"1", false},
        {15, L"0", true},  {15, L"BGSLogo4k.bk2", false},
        {16, L"1", false}, {16, L"0", true},  {16, L"", true},   // inverted: a missing key is checked
        {17, L"", true},   {17, L"1", false}, {17, L"yes", true},
    };
    for (const auto& c : cases) EXPECT_EQ(FillsChecked(*FindOption(c.tag), c.value), c.checked) << c.tag << L" " << c.value;
    EXPECT_EQ(FindOption(20)->keys[0].key, std::wstring(L"bFull Screen"));
    EXPECT_EQ(FindOption(18)->keys[1].section, std::wstring(L"Login"));
    EXPECT_EQ(FindOption(99), nullptr);
}

TEST(OptionRules, PipboyPositionsAndTexts) {
    const struct {
        std::wstring value;
        std::optional<int> position;
    } reads[] = {{L"0.5000", 5}, {L"0.8500", 8}, {L"1.2000", 12}, {L"0.0800", 1}, {L"2.0000", 15},
                 {L"1.5", 15},   {L"", std::nullopt}, {L"7", std::nullopt}, {L"a.5000", std::nullopt}, {L".9", std::nullopt}};
    for (const auto& r : reads) EXPECT_EQ(PipboyPosition(r.value), r.position) << r.value;
    const struct {
        int position;
        const wchar_t* text;
    } texts[] = {{1, L"0.1000"}, {5, L"0.5000"}, {9, L"0.9000"}, {10, L"1.0000"}, {12, L"1.2000"}, {15, L"1.5000"}};
    for (const auto& t : texts) EXPECT_EQ(PipboyValueText(t.position), t.text) << t.position;
}

TEST(IniSection, NulListsAndSectionEntries) {
    using L = std::vector<std::wstring>;
    EXPECT_EQ(SplitNulList(std::wstring(L"a\0bc\0\0", 6)), (L{L"a", L"bc"}));
    EXPECT_EQ(SplitNulList(std::wstring(L"a\0\0b\0", 5)), (L{L"a", L"b"}));
    EXPECT_EQ(SplitNulList(L"cut"), (L{L"cut"}));  // no final NUL
    EXPECT_TRUE(SplitNulList(std::wstring(L"\0\0", 2)).empty());

    const std::wstring section(L"a=1\0 b = \"x y\" \0;c=2\0d\0e='q'\0f=\"\0g==h\0", 39);
    const auto entries = ParseSectionEntries(section);
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"a", L"1"}, {L"b", L"x y"}, {L"d", L""}, {L"e", L"q"}, {L"f", L"\""}, {L"g", L"=h"}};
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(entries[i].key, expected[i].first) << i;
        EXPECT_EQ(entries[i].value, expected[i].second) << i;
    }
    EXPECT_EQ(ParseSectionEntries(L"k=" + std::wstring(3000, L'v'))[0].value.size(), 2047u);
}

}  // namespace
}  // namespace ravenlock
