// What the Mods tab's actions make of the two lists (switching, moving, dragging, the
// other list, the switch-all-off kept aside and put back) and what the tab says about
// them (cells, details, the update line, the closing messages).
#include <gtest/gtest.h>

#include <string>

#include "mods/mod_edits.h"
#include "mods/mod_texts.h"

namespace ravenlock {
namespace {

using Names = std::vector<std::wstring>;

bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(ModEdits, SwitchingOnAppendsToTheMainListAndOffTakesOutOfEither) {
    const ModLists lists{{L"A.ba2", L"b.ba2"}, {L"S.ba2"}};
    const struct {
        const char* what;
        const wchar_t* name;
        bool on;
        ModLists result;
    } cases[] = {
        {"on: at the end of the main list", L"new.ba2", true, {{L"A.ba2", L"b.ba2", L"new.ba2"}, {L"S.ba2"}}},
        {"on, already listed in other letter case: unchanged", L"a.BA2", true, lists},
        {"on, in the start-up list: stays there", L"s.ba2", true, lists},
        {"off from the main list", L"a.ba2", false, {{L"b.ba2"}, {L"S.ba2"}}},
        {"off from the start-up list", L"S.BA2", false, {{L"A.ba2", L"b.ba2"}, {}}},
        {"off when in no list: unchanged", L"x.ba2", false, lists},
    };
    for (const auto& c : cases) EXPECT_EQ(WithModSwitched(lists, c.name, c.on), c.result) << c.what;
}

TEST(ModEdits, MovingStaysWithinTheListAndPassesTheGamesArchives) {
    const ModLists lists{{L"a.ba2", L"SeventySix - Startup.ba2", L"b.ba2", L"c.ba2"}, {L"s1.ba2", L"s2.ba2"}};
    const struct {
        const char* what;
        const wchar_t* name;
        int steps;
        ModLists result;
    } cases[] = {
        {"up one", L"c.ba2", -1, {{L"a.ba2", L"SeventySix - Startup.ba2", L"c.ba2", L"b.ba2"}, {L"s1.ba2", L"s2.ba2"}}},
        {"up past the game's archive", L"b.ba2", -1,
         {{L"b.ba2", L"a.ba2", L"SeventySix - Startup.ba2", L"c.ba2"}, {L"s1.ba2", L"s2.ba2"}}},
        {"down past the game's archive", L"A.BA2", 1,
         {{L"SeventySix - Startup.ba2", L"b.ba2", L"a.ba2", L"c.ba2"}, {L"s1.ba2", L"s2.ba2"}}},
        {"up at the top: unchanged", L"a.ba2", -1, lists},
        {"down at the end of the main list: not into the other", L"c.ba2", 1, lists},
        {"up at the start-up list's top: not into the other", L"s1.ba2", -1, lists},
        {"two steps stop at the end", L"a.ba2", 5,
         {{L"SeventySix - Startup.ba2", L"b.ba2", L"c.ba2", L"a.ba2"}, {L"s1.ba2", L"s2.ba2"}}},
        {"down in the start-up list", L"s1.ba2", 1, {lists.main, {L"s2.ba2", L"s1.ba2"}}},
        {"a mod that is off", L"off.ba2", -1, lists},
    };
    for (const auto& c : cases) EXPECT_EQ(WithModMoved(lists, c.name, c.steps), c.result) << c.what;
}

TEST(ModEdits, ADraggedRowKeepsToItsList) {
    const ModLists lists{{L"a.ba2", L"b.ba2", L"c.ba2"}, {L"s1.ba2", L"s2.ba2"}};
    const std::vector<RowName> rows = {{L"a.ba2", ModList::Main},     {L"b.ba2", ModList::Main},
                                       {L"c.ba2", ModList::Main},     {L"s1.ba2", ModList::StartUp},
                                       {L"s2.ba2", ModList::StartUp}, {L"off.ba2", ModList::None}};
    const struct {
        const char* what;
        size_t from, to;
        ModLists result;
    } cases[] = {
        {"first before the third", 0, 2, {{L"b.ba2", L"a.ba2", L"c.ba2"}, lists.startUp}},
        {"first to the list's end", 0, 3, {{L"b.ba2", L"c.ba2", L"a.ba2"}, lists.startUp}},
        {"last to the top", 2, 0, {{L"c.ba2", L"a.ba2", L"b.ba2"}, lists.startUp}},
        {"beyond its list: at its end", 0, 5, {{L"b.ba2", L"c.ba2", L"a.ba2"}, lists.startUp}},
        {"above its list: at its start", 4, 0, {lists.main, {L"s2.ba2", L"s1.ba2"}}},
        {"on its own place", 1, 1, lists},
        {"just below itself", 1, 2, lists},
        {"a mod that is off", 5, 0, lists},
        {"a row that is not there", 9, 0, lists},
    };
    for (const auto& c : cases) EXPECT_EQ(WithRowDragged(lists, rows, c.from, c.to), c.result) << c.what;
}

TEST(ModEdits, TheOtherListTakesTheModAtItsEnd) {
    const ModLists lists{{L"a.ba2", L"B.ba2"}, {L"s.ba2"}};
    EXPECT_EQ(WithModInList(lists, L"b.ba2", ModList::StartUp), (ModLists{{L"a.ba2"}, {L"s.ba2", L"B.ba2"}}));
    EXPECT_EQ(WithModInList(lists, L"s.ba2", ModList::Main), (ModLists{{L"a.ba2", L"B.ba2", L"s.ba2"}, {}}));
    EXPECT_EQ(WithModInList(lists, L"off.ba2", ModList::StartUp), (ModLists{lists.main, {L"s.ba2", L"off.ba2"}}));
    EXPECT_EQ(WithModInList(lists, L"a.ba2", ModList::Main), lists);
}

TEST(ModEdits, ListsKeptAsideComeBackInTheirOrder) {
    const struct {
        const char* what;
        ModLists lists;
    } kept[] = {
        {"both lists", {{L"Z.ba2", L"a.ba2", L"m.ba2"}, {L"s.ba2"}}},
        {"only the start-up list", {{}, {L"s.ba2"}}},
        {"nothing", {{}, {}}},
        {"names with blanks and odd letters", {{L"My Mod - Main.ba2", L"Ёлка.ba2"}, {}}},
    };
    for (const auto& c : kept) EXPECT_EQ(SwitchedOffLists(SwitchedOffValue(c.lists)), c.lists) << c.what;
    EXPECT_EQ(SwitchedOffValue({}), L"");
    EXPECT_EQ(SwitchedOffLists(L"garbage without keys"), ModLists{});

    const ModLists back = ListsSwitchedBackOn({{L"b.ba2", L"a.ba2"}, {L"s.ba2"}}, {{L"new.ba2", L"S.ba2"}, {L"a.ba2"}});
    EXPECT_EQ(back, (ModLists{{L"b.ba2", L"a.ba2", L"new.ba2"}, {L"s.ba2"}}))
        << "the kept order first, names switched on meanwhile after it, each once";
}

TEST(ModEdits, WhichModsAreOnAndWhichFilesVanished) {
    const ModLists lists{{L"a.ba2", L"SeventySix - Gone.ba2", L"Gone.ba2"}, {L"s.ba2"}};
    EXPECT_EQ(NamesWithoutFile(lists, {L"A.BA2", L"s.ba2"}), Names{L"Gone.ba2"});
    EXPECT_TRUE(AnyModOn(lists));
    EXPECT_FALSE(AnyModOn({{L"SeventySix - Meshes.ba2"}, {}}));
    EXPECT_FALSE(AnyModOn({}));
}

TEST(ModTexts, MegabytesWithADecimalComma) {
    const struct {
        uint64_t bytes;
        const wchar_t* text;
    } cases[] = {{0, L"0,0"}, {52428, L"0,0"}, {52429, L"0,1"}, {1048576, L"1,0"}, {12 * 1048576 + 314573, L"12,3"},
                 {10ull * 1024 * 1048576, L"10240,0"}};
    for (const auto& c : cases) EXPECT_EQ(MegabytesText(c.bytes), c.text) << c.bytes;
}

TEST(ModTexts, RowCellsSayWhatIsKnown) {
    ArchiveFacts readable;
    readable.size = 3 * 1048576;
    readable.header = Ba2Header{1, Ba2Type::General, 42, 100, 24};
    ArchiveFacts unreadable;
    unreadable.size = 1048576;
    const struct {
        const char* what;
        const wchar_t* name;
        ModList list;
        bool missing;
        const ArchiveFacts* facts;
        size_t conflicts;
        std::vector<const wchar_t*> cells;
    } cases[] = {
        {"main list with conflicts", L"a.ba2", ModList::Main, false, &readable, 2,
         {L"a.ba2", L"Основной", L"3,0", L"42", L"2"}},
        {"start-up list, none", L"s.ba2", ModList::StartUp, false, &readable, 0,
         {L"s.ba2", L"При запуске", L"3,0", L"42", L""}},
        {"off", L"o.ba2", ModList::None, false, &readable, 0, {L"o.ba2", L"", L"3,0", L"42", L""}},
        {"not an archive", L"bad.ba2", ModList::Main, false, &unreadable, 0,
         {L"bad.ba2", L"Основной", L"1,0", L"не читается", L""}},
        {"listed without a file", L"gone.ba2", ModList::Main, true, nullptr, 0,
         {L"gone.ba2", L"Основной", L"нет файла", L"", L""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowCells({c.name, c.list, c.missing}, c.facts, c.conflicts), Names(c.cells.begin(), c.cells.end()))
            << c.what;
}

TEST(ModTexts, DetailsNameTheSharedFilesByMod) {
    ArchiveFacts facts;
    facts.size = 1536;
    facts.date = L"11.12.2026 10:30";
    facts.header = Ba2Header{1, Ba2Type::Textures, 2, 100, 24};
    facts.names = {L"interface\\hudmenu.swf", L"x.dds"};
    ModConflicts conflicts;
    conflicts.takesOver[L"early.ba2"] = {L"interface\\hudmenu.swf"};
    for (int i = 0; i < 14; ++i) conflicts.takenOverBy[L"late.ba2"].push_back(L"f" + std::to_wstring(i));
    const ModRow row{L"mine.ba2", ModList::Main, false};
    const std::wstring text =
        DetailsText(row, L"C:\\Game\\Data\\mine.ba2", &facts, &conflicts, InstallOrigin{L"mine.zip", L"2026-12-11 10:30"});
    for (const wchar_t* part :
         {L"Файл: C:\\Game\\Data\\mine.ba2", L"1\u00A0536 байт", L"Дата: 11.12.2026 10:30", L"DX10", L"Файлов: 2",
          L"Заменяет файлы модов, загруженных раньше:\r\n  early.ba2 (1):\r\n    interface\\hudmenu.swf",
          L"Его файлы заменяют моды, загруженные позже:\r\n  late.ba2 (14):", L"    f11\r\n    … и ещё 2",
          L"из файла mine.zip (2026-12-11 10:30)"})
        EXPECT_TRUE(Has(text, part)) << testing::PrintToString(std::wstring(part)) << "\n" << testing::PrintToString(text);
    EXPECT_FALSE(Has(text, L"f12"));

    EXPECT_TRUE(Has(DetailsText(row, L"p", &facts, nullptr, std::nullopt), L"Общих файлов с другими включёнными модами нет."));
    EXPECT_TRUE(Has(DetailsText({L"o.ba2", ModList::None, false}, L"p", &facts, nullptr, std::nullopt), L"Мод выключен"));
    EXPECT_TRUE(Has(DetailsText({L"g.ba2", ModList::Main, true}, L"p", nullptr, nullptr, std::nullopt), L"Файла нет в папке Data"));
    ArchiveFacts broken;
    EXPECT_TRUE(Has(DetailsText(row, L"p", &broken, nullptr, std::nullopt), L"Архив не читается"));
}

TEST(ModTexts, TheUpdateLineOnlyAfterAnUpdateWithModsOn) {
    const struct {
        const wchar_t *played, *now;
        bool on, shown;
    } cases[] = {
        {L"1.7.0.1", L"1.7.1.4", true, true},  {L"1.7.0.1", L"1.7.0.1", true, false},
        {L"1.7.0.1", L"1.7.1.4", false, false}, {L"", L"1.7.1.4", true, false},  // never played with mods
        {L"1.7.0.1", L"", true, false},          // the version cannot be read now
    };
    for (const auto& c : cases) EXPECT_EQ(UpdateNotice(c.played, c.now, c.on).has_value(), c.shown) << c.played << " " << c.now;
    EXPECT_EQ(*UpdateNotice(L"1.0", L"1.1", true),
              L"Игра обновилась (1.0 → 1.1). Моды интерфейса часто перестают работать после обновления: если игра "
              L"вылетает, выключите моды.");
}

TEST(ModTexts, TheInstallMessageNamesEveryEntryLeftOut) {
    InstallOutcome o;
    o.installed = {L"good.ba2"};
    o.leftOut = {{L"C:\\dl\\mod.zip", L"../x.ba2", L"небезопасное имя", true},
                 {L"C:\\dl\\mod.zip", L"readme.txt", L"игра не загружает файлы вне архивов .ba2", false}};
    o.failedSources = {{L"C:\\dl\\broken.7z", L"архив повреждён"}};
    o.declined = {L"old.ba2"};
    const std::wstring text = InstallReport(o);
    for (const wchar_t* part : {L"Установлено:\r\n  good.ba2", L"mod.zip → ../x.ba2: небезопасное имя",
                                L"mod.zip → readme.txt: игра не загружает файлы вне архивов .ba2",
                                L"broken.7z: архив повреждён", L"old.ba2"})
        EXPECT_TRUE(Has(text, part)) << testing::PrintToString(std::wstring(part)) << "\n" << testing::PrintToString(text);
    EXPECT_LT(text.find(L"Отклонено как опасное"), text.find(L"Не установлено:")) << "refused entries first";

    InstallOutcome cancelled;
    cancelled.cancelled = true;
    EXPECT_TRUE(Has(InstallReport(cancelled), L"отменена"));
    EXPECT_TRUE(Has(InstallReport({}), L"Ничего не установлено."));

    RemoveResult removed{true, {L"Data\\Strings\\x_en.strings"}, {L"Data\\old.ba2"}, L""};
    const std::wstring gone = RemovedReport(L"x.ba2", removed);
    EXPECT_TRUE(Has(gone, L"Мод x.ba2 удалён."));
    EXPECT_TRUE(Has(gone, L"оставлены на месте:\r\n  Data\\Strings\\x_en.strings"));
    EXPECT_TRUE(Has(gone, L"заменял:\r\n  Data\\old.ba2"));
}

}  // namespace
}  // namespace ravenlock
