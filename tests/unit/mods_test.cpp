// The mods' rules: the two archive lists of the custom INI file, the load order and the
// files mods take over from each other, the BA2 header and name table, and what of a
// mod's archive may be installed where.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "mods/ba2_reader.h"
#include "mods/install_rules.h"
#include "mods/mod_lists.h"
#include "mods/mod_order.h"

namespace ravenlock {
namespace {

using Lines = std::vector<std::wstring>;
using Names = std::vector<std::wstring>;

TEST(ModLists, ReadAsTheGameReadsThem) {
    const struct {
        const char* what;
        Lines lines;
        ModLists lists;
    } cases[] = {
        {"both keys", {L"[General]", L"[Archive]", L"sResourceArchive2List = A.ba2, b.ba2 ,C.ba2",
                       L"sResourceStartUpArchiveList=Start.ba2"},
         {{L"A.ba2", L"b.ba2", L"C.ba2"}, {L"Start.ba2"}}},
        {"section and key in other letter case", {L"[ARCHIVE]", L"sresourcearchive2list=x.ba2"}, {{L"x.ba2"}, {}}},
        {"a name twice is kept at its first place", {L"[Archive]", L"sResourceArchive2List=a.ba2, B.ba2, A.BA2",
                                                     L"sResourceStartUpArchiveList=b.ba2, s.ba2"},
         {{L"a.ba2", L"B.ba2"}, {L"s.ba2"}}},
        {"empty names and blanks", {L"[Archive]", L"sResourceArchive2List=, ,a.ba2,,"}, {{L"a.ba2"}, {}}},
        {"only the first section and first key count",
         {L"[Archive]", L"sResourceArchive2List=a.ba2", L"sResourceArchive2List=z.ba2", L"[Archive]",
          L"sResourceStartUpArchiveList=late.ba2"},
         {{L"a.ba2"}, {}}},
        {"keys elsewhere do not count", {L"[General]", L"sResourceArchive2List=a.ba2"}, {{}, {}}},
        {"a comment is no key", {L"[Archive]", L";sResourceArchive2List=a.ba2"}, {{}, {}}},
        {"quoted value", {L"[Archive]", L"sResourceArchive2List=\"a.ba2, b.ba2\""}, {{L"a.ba2", L"b.ba2"}, {}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadModLists(c.lines), c.lists) << c.what;
}

TEST(ModLists, WritingTouchesOnlyTheirKeys) {
    const Lines file = {L"; my notes", L"[General]", L"sIntroSequence=0", L"", L"[archive]",
                        L"bInvalidateOlderFiles=1", L"SResourceArchive2List=Old.ba2", L"", L"[Display]",
                        L"iPresentInterval=0"};
    const struct {
        const char* what;
        Lines lines;
        ModLists lists;
        Lines written;
    } cases[] = {
        {"replaced in place, spelling kept", file, {{L"Old.ba2", L"New.ba2"}, {}},
         {L"; my notes", L"[General]", L"sIntroSequence=0", L"", L"[archive]", L"bInvalidateOlderFiles=1",
          L"sResourceArchive2List=Old.ba2, New.ba2", L"", L"[Display]", L"iPresentInterval=0"}},
        {"an empty list loses its key", file, {{}, {}},
         {L"; my notes", L"[General]", L"sIntroSequence=0", L"", L"[archive]", L"bInvalidateOlderFiles=1", L"",
          L"[Display]", L"iPresentInterval=0"}},
        {"a new key goes after the section's last entry", file, {{L"Old.ba2"}, {L"S.ba2"}},
         {L"; my notes", L"[General]", L"sIntroSequence=0", L"", L"[archive]", L"bInvalidateOlderFiles=1",
          L"sResourceArchive2List=Old.ba2", L"sResourceStartUpArchiveList=S.ba2", L"", L"[Display]",
          L"iPresentInterval=0"}},
        {"no section: appended", {L"[General]"}, {{L"a.ba2"}, {}},
         {L"[General]", L"[Archive]", L"sResourceArchive2List=a.ba2"}},
        {"nothing to write into nothing", {L"[General]"}, {{}, {}}, {L"[General]"}},
    };
    for (const auto& c : cases) {
        const Lines written = WriteModLists(c.lines, c.lists);
        EXPECT_EQ(written, c.written) << c.what;
        EXPECT_EQ(ReadModLists(written), c.lists) << c.what << ": does not read back";
    }
}

TEST(ModOrder, RowsStandInLoadOrderAndTheGamesArchivesNeverShow) {
    const ModLists lists{{L"b.ba2", L"Gone.ba2", L"SeventySix - Meshes.ba2"}, {L"start.ba2"}};
    const Names data = {L"z.ba2", L"B.BA2", L"a.ba2", L"start.ba2", L"SeventySix - Textures01.ba2", L"seventysix.ba2"};
    const std::vector<ModRow> rows = RowsInLoadOrder(lists, data);
    ASSERT_EQ(rows.size(), 5u);
    const struct {
        const wchar_t* name;
        ModList list;
        bool missing;
    } expected[] = {{L"B.BA2", ModList::Main, false},
                    {L"Gone.ba2", ModList::Main, true},
                    {L"start.ba2", ModList::StartUp, false},
                    {L"a.ba2", ModList::None, false},
                    {L"z.ba2", ModList::None, false}};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].name) << i;
        EXPECT_EQ(rows[i].list, expected[i].list) << i;
        EXPECT_EQ(rows[i].missing, expected[i].missing) << i;
    }
}

TEST(ModOrder, TheModNamedLaterTakesTheSharedFilesOver) {
    const Names order = LoadOrder({{L"a.ba2", L"b.ba2"}, {L"c.ba2"}});
    ASSERT_EQ(order, (Names{L"a.ba2", L"b.ba2", L"c.ba2"}));
    const std::map<std::wstring, Names> names = {
        {L"a.ba2", {L"interface/hudmenu.swf", L"textures/a.dds"}},
        {L"b.ba2", {L"Interface\\HUDMenu.swf", L"interface\\hudmenu.swf"}},  // twice in one archive: once
        {L"c.ba2", {L"interface/hudmenu.swf", L"textures/A.dds", L"only/c.nif"}},
        {L"off.ba2", {L"only/c.nif"}},  // not enabled: no conflicts
    };
    const auto conflicts = FindConflicts(order, names);
    EXPECT_EQ(conflicts.at(L"a.ba2").takenOverBy.at(L"b.ba2"), Names{L"interface/hudmenu.swf"});
    EXPECT_EQ(conflicts.at(L"a.ba2").takenOverBy.at(L"c.ba2"), (Names{L"interface/hudmenu.swf", L"textures/a.dds"}));
    EXPECT_TRUE(conflicts.at(L"a.ba2").takesOver.empty());
    EXPECT_EQ(conflicts.at(L"c.ba2").takesOver.size(), 2u);
    EXPECT_TRUE(conflicts.at(L"c.ba2").takenOverBy.empty());
    EXPECT_EQ(conflicts.at(L"a.ba2").SharedFiles(), 2u);
    EXPECT_EQ(conflicts.at(L"b.ba2").SharedFiles(), 1u);
    EXPECT_EQ(conflicts.at(L"c.ba2").SharedFiles(), 2u);
    EXPECT_EQ(conflicts.count(L"off.ba2"), 0u);
}

std::string U32(uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string U64(uint64_t v) { return U32(static_cast<uint32_t>(v)) + U32(static_cast<uint32_t>(v >> 32)); }
std::string Name(const std::string& n) { return std::string{char(n.size()), char(n.size() >> 8)} + n; }

// An archive of the given version and type with its names (its data left out: the reader
// never looks at it).
std::string Ba2(uint32_t version, const char* type, const std::vector<std::string>& names, bool withTable = true) {
    const size_t header = version == 2 ? 32 : version == 3 ? 36 : 24;
    std::string table;
    for (const auto& n : names) table += Name(n);
    std::string bytes = "BTDX" + U32(version) + type + U32(static_cast<uint32_t>(names.size())) +
                        U64(withTable ? header + 16 : 0);
    bytes.resize(header, '\0');
    bytes += std::string(16, 'd');  // stands for the file records
    return withTable ? bytes + table : bytes;
}

TEST(Ba2Reader, HeaderAndNamesWithinTheFile) {
    const std::vector<std::string> names = {"interface/hudmenu.swf", "Textures\\x.dds"};
    const struct {
        const char* what;
        std::string bytes;
        bool readable;
        Ba2Type type;
        Names names;
    } cases[] = {
        {"general, version 1", Ba2(1, "GNRL", names), true, Ba2Type::General,
         {L"interface\\hudmenu.swf", L"Textures\\x.dds"}},
        {"textures, version 2", Ba2(2, "DX10", names), true, Ba2Type::Textures,
         {L"interface\\hudmenu.swf", L"Textures\\x.dds"}},
        {"version 3", Ba2(3, "GNRL", {"a"}), true, Ba2Type::General, {L"a"}},
        {"no name table", Ba2(1, "GNRL", names, false), true, Ba2Type::General, {}},
        {"another magic", "BSA\0" + Ba2(1, "GNRL", names).substr(4), false, {}, {}},
        {"another type", Ba2(1, "TEXT", names), false, {}, {}},
        {"unknown version", Ba2(9, "GNRL", names), false, {}, {}},
        {"shorter than a header", Ba2(1, "GNRL", names).substr(0, 20), false, {}, {}},
        {"table past the end", Ba2(1, "GNRL", {}).substr(0, 24).replace(16, 8, U64(1000)) + std::string(100, 'x'), false,
         {}, {}},
        {"count beyond the table", Ba2(1, "GNRL", names).replace(12, 4, U32(4000000000u)), false, {}, {}},
        {"a name running past the end", Ba2(1, "GNRL", names).substr(0, Ba2(1, "GNRL", names).size() - 3), false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto header = ReadBa2Header(std::string_view(c.bytes).substr(0, kBa2MaxHeaderBytes), c.bytes.size());
        std::optional<std::vector<std::wstring>> read;
        if (header) {
            const uint64_t tableBytes = Ba2NameTableBytes(*header, c.bytes.size());
            read = tableBytes == 0 ? std::optional<Names>(Names{})
                                   : ReadBa2Names(std::string_view(c.bytes).substr(header->nameTableOffset, tableBytes),
                                                  header->fileCount);
        }
        EXPECT_EQ(header && read, c.readable);
        if (!c.readable || !header || !read) continue;
        EXPECT_EQ(header->type, c.type);
        EXPECT_EQ(*read, c.names);
    }
}

TEST(InstallRules, HostileNamesAreRefusedAndNamed) {
    const struct {
        const wchar_t* name;
        EntryPlan::Action action;
        const wchar_t* target;
    } cases[] = {
        {L"MyMod.ba2", EntryPlan::Install, L"MyMod.ba2"},
        {L"MyMod/Data/MyMod - Main.BA2", EntryPlan::Install, L"MyMod - Main.BA2"},
        {L"Data\\Strings\\MyMod_en.strings", EntryPlan::Install, L"Strings\\MyMod_en.strings"},
        {L"textures/loose.dds", EntryPlan::Skip, nullptr},
        {L"readme.txt", EntryPlan::Skip, nullptr},
        {L"tools/patcher.exe", EntryPlan::Skip, nullptr},
        {L"SeventySix - Interface.ba2", EntryPlan::Refuse, nullptr},
        {L"Strings/SeventySix_en.STRINGS", EntryPlan::Refuse, nullptr},
        {L"../x.ba2", EntryPlan::Refuse, nullptr},
        {L"a/../../x.ba2", EntryPlan::Refuse, nullptr},
        {L"C:\\x.ba2", EntryPlan::Refuse, nullptr},
        {L"C:x.ba2", EntryPlan::Refuse, nullptr},
        {L"\\\\server\\share\\x.ba2", EntryPlan::Refuse, nullptr},
        {L"/etc/x.ba2", EntryPlan::Refuse, nullptr},
        {L"x.ba2:stream", EntryPlan::Refuse, nullptr},
        {L"CON.ba2", EntryPlan::Refuse, nullptr},
        {L"mods/com1/x.ba2", EntryPlan::Refuse, nullptr},
        {L"lpt9", EntryPlan::Refuse, nullptr},
        {L"x.ba2.", EntryPlan::Refuse, nullptr},
        {L"dir /x.ba2", EntryPlan::Refuse, nullptr},
        {L"a\x01.ba2", EntryPlan::Refuse, nullptr},
    };
    for (const auto& c : cases) {
        const EntryPlan plan = PlanEntry(c.name, EntryKind::File);
        EXPECT_EQ(plan.action, c.action) << std::string(c.name, c.name + wcslen(c.name));
        EXPECT_EQ(plan.target, c.target ? c.target : L"");
        EXPECT_EQ(plan.reason.empty(), plan.action == EntryPlan::Install);
    }
    EXPECT_EQ(PlanEntry(L"tools/patcher.exe", EntryKind::File).reason, kReasonProgram);
    EXPECT_EQ(PlanEntry(L"textures/loose.dds", EntryKind::File).reason, kReasonNotArchive);
    EXPECT_EQ(PlanEntry(L"x.ba2", EntryKind::Link).action, EntryPlan::Refuse);
    EXPECT_EQ(PlanEntry(std::wstring(201, L'a') + L".ba2", EntryKind::File).action, EntryPlan::Refuse);
    EXPECT_EQ(PlanEntry(L"Strings/", EntryKind::Folder).action, EntryPlan::Skip);
    EXPECT_EQ(PlanEntry(L"Data/Strings/", EntryKind::File).action, EntryPlan::Skip);  // a folder without its flag
}

TEST(InstallRules, SizeBombsAreRefused) {
    constexpr uint64_t GiB = 1024ull * 1024 * 1024;
    EXPECT_FALSE(OversizedEntry(200 * 1024 * 1024, 190 * 1024 * 1024, 0));
    EXPECT_FALSE(OversizedEntry(0, 0, 0));
    EXPECT_TRUE(OversizedEntry(9 * GiB, 9 * GiB, 0));             // one entry over 8 GiB
    EXPECT_TRUE(OversizedEntry(2 * GiB, 2 * GiB, 7 * GiB));       // the total over 8 GiB
    EXPECT_TRUE(OversizedEntry(1001 * 1024, 1024, 0));            // a thousandfold and more
    EXPECT_FALSE(OversizedEntry(1000 * 1024, 1024, 0));
}

}  // namespace
}  // namespace ravenlock
