// The mod installer for real: the archives of our fixture script (tools/fixtures) staged,
// committed into a game folder in a scratch folder, and removed again. What is asserted
// is what lands on disk: Data's files and their bytes, the record, and that nothing is
// left anywhere else (above all, no temporary folder and nothing outside the game folder).
#include <gtest/gtest.h>
#include <windows.h>

#include <wincrypt.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "mods/mod_install.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::BinDir;
using testing_support::TempDir;
using Paths = std::set<std::wstring>;

std::wstring Fixture(const wchar_t* name) { return BinDir() + L"mod-fixtures\\" + name; }

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Every file and folder below root, relative to it ("Data\\x.ba2", "Data\\Strings\\").
void ListInto(const std::wstring& root, const std::wstring& below, Paths& out) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + below + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.insert(below + name + L"\\");
            ListInto(root, below + name + L"\\", out);
        } else {
            out.insert(below + name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

Paths Tree(const std::wstring& root) {
    Paths paths;
    ListInto(root, L"", paths);
    return paths;
}

// SHA-256 by the older CryptoAPI, not by the installer's own BCrypt path.
std::string Sha256Of(const std::string& bytes) {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::string hex;
    if (CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        if (CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) {
            BYTE digest[32];
            DWORD size = sizeof digest;
            if (CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
                CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
                for (BYTE b : digest) {
                    hex += "0123456789abcdef"[b >> 4];
                    hex += "0123456789abcdef"[b & 15];
                }
            }
            CryptDestroyHash(hash);
        }
        CryptReleaseContext(provider, 0);
    }
    return hex;
}

// A game folder with the game's own archive in Data, and a records folder beside it.
class ModInstall : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(game().c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(data().c_str(), nullptr));
        WriteBytes(data() + kGameArchive, "the game's own");
    }
    std::wstring game() const { return root_.Path() + L"Game\\"; }
    std::wstring data() const { return game() + L"Data\\"; }
    std::wstring records() const { return root_.Path() + L"Records\\"; }

    StagedInstall Stage(const std::vector<std::wstring>& sources, const std::atomic<bool>& cancel) {
        return StageMods(sources, data(), [](const StageProgress&) {}, cancel);
    }
    StagedInstall Stage(const std::vector<std::wstring>& sources) { return Stage(sources, notCancelled_); }
    // Stages and commits; the commit's error must be empty.
    CommitResult Install(const std::vector<std::wstring>& sources, const std::vector<std::wstring>& skip = {}) {
        StagedInstall staged = Stage(sources);
        CommitResult result = CommitStaged(staged, skip, records());
        EXPECT_EQ(result.error, L"");
        return result;
    }
    // The game folder holds Data and what is expected in it, and nothing else: no
    // temporary folder is left, nothing landed beside Data.
    void ExpectGameFolder(const Paths& inData) {
        Paths expected{L"Data\\", std::wstring(L"Data\\") + kGameArchive};
        for (const auto& p : inData) expected.insert(L"Data\\" + p);
        EXPECT_EQ(Tree(game()), expected);
        EXPECT_EQ(ReadBytes(data() + kGameArchive), "the game's own");
    }
    // The folders of the records now kept.
    Paths RecordFolders() const {
        Paths folders;
        for (const auto& p : Tree(records()))
            if (p.back() == L'\\' && std::count(p.begin(), p.end(), L'\\') == 1) folders.insert(p);
        return folders;
    }

    static constexpr wchar_t kGameArchive[] = L"SeventySix - Interface.ba2";
    TempDir root_;
    std::atomic<bool> notCancelled_{false};
};

std::vector<std::wstring> LeftOutNames(const StagedInstall& staged, bool refused) {
    std::vector<std::wstring> names;
    for (const auto& left : staged.leftOut)
        if (left.refused == refused) names.push_back(left.entry);
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ModInstall, EachFixtureLandsInDataOrIsRefusedWithNothingLeftBehind) {
    const struct {
        const char* what;
        std::vector<const wchar_t*> sources;
        Paths inData;                       // below Data afterwards
        // Entries named as refused, as libarchive names them ("\\" in a zip's names reads as "/").
        std::vector<std::wstring> refused;
        std::vector<std::wstring> notInstalled;
        std::wstring error;                 // part of the first source's error; "" none
    } cases[] = {
        {"a good zip", {L"GoodMod.zip"}, {L"GoodMod.ba2", L"Strings\\", L"Strings\\GoodMod_en.strings"}, {},
         {L"meshes/loose.nif", L"readme.txt", L"tools/helper.dll", L"tools/setup.exe"}, L""},
        {"a good 7z", {L"SevenMod.7z"},
         {L"SevenMod - Main.ba2", L"SevenMod - Textures.ba2", L"Strings\\", L"Strings\\SevenMod_ru.strings"}, {},
         {L"readme.txt"}, L""},
        {"a hostile zip", {L"Hostile.zip"}, {L"Safe.ba2"}, {L"../x.ba2", L"C:/x.ba2", L"CON.ba2", L"link.ba2"}, {}, L""},
        {"two archives that share a file", {L"ConflictA.ba2", L"ConflictB.ba2"}, {L"ConflictA.ba2", L"ConflictB.ba2"}, {}, {}, L""},
        {"a truncated zip", {L"Truncated.zip"}, {}, {}, {}, L"Архив не читается"},
        {"a truncated 7z", {L"Truncated.7z"}, {}, {}, {}, L"Архив не читается"},
        {"text named .zip", {L"NotAnArchive.zip"}, {}, {}, {}, L"Архив не читается"},
        {"text named .ba2", {L"Fake.ba2"}, {}, {}, {}, L"не читается как архив .ba2"},
        {"sizes claimed past 8 GiB", {L"SizeBomb.zip"}, {}, {}, {}, L"больше 8 ГБ"},
        {"a thousandfold packed entry", {L"RatioBomb.7z"}, {}, {}, {}, L"степень сжатия"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::wstring> sources;
        for (const wchar_t* s : c.sources) sources.push_back(Fixture(s));
        StagedInstall staged = Stage(sources);
        ASSERT_EQ(staged.sources.size(), sources.size());
        if (c.error.empty()) {
            EXPECT_EQ(staged.sources[0].error, L"");
        } else {
            EXPECT_NE(staged.sources[0].error.find(c.error), std::wstring::npos) << testing::PrintToString(staged.sources[0].error);
            EXPECT_TRUE(staged.sources[0].files.empty());
        }
        EXPECT_EQ(LeftOutNames(staged, true), c.refused);
        EXPECT_EQ(LeftOutNames(staged, false), c.notInstalled);
        const CommitResult result = CommitStaged(staged, {}, records());
        EXPECT_EQ(result.error, L"");
        ExpectGameFolder(c.inData);
        // Clean up for the next case by the records, as a user would.
        for (const auto& name : result.newArchives) EXPECT_TRUE(RemoveRecordedMod(records(), game(), name).recorded);
        RemoveDirectoryW((data() + L"Strings").c_str());  // the one folder an install may leave, empty
        ExpectGameFolder({});
        EXPECT_TRUE(RecordFolders().empty());
    }
    // Nothing of the hostile archive landed outside the game folder either.
    EXPECT_EQ(Tree(root_.Path()), (Paths{L"Game\\", L"Game\\Data\\", std::wstring(L"Game\\Data\\") + kGameArchive, L"Records\\"}));
}

TEST_F(ModInstall, TheRecordNamesEachFileWithItsSizeAndHash) {
    const CommitResult result = Install({Fixture(L"GoodMod.zip")});
    EXPECT_EQ(result.newArchives, std::vector<std::wstring>{L"GoodMod.ba2"});
    const Paths folders = RecordFolders();
    ASSERT_EQ(folders.size(), 1u);
    const std::string json = ReadBytes(records() + *folders.begin() + L"mod.json");
    EXPECT_NE(json.find("\"source\": \"GoodMod.zip\""), std::string::npos) << json;
    for (const wchar_t* file : {L"GoodMod.ba2", L"Strings\\GoodMod_en.strings"}) {
        const std::string bytes = ReadBytes(data() + file);
        std::string path = "Data\\\\";
        for (const wchar_t* c = file; *c; ++c) path += *c == L'\\' ? std::string("\\\\") : std::string(1, static_cast<char>(*c));
        const std::string entry = "\"path\": \"" + path + "\",\n      \"sha256\": \"" + Sha256Of(bytes) + "\",\n      \"size\": " +
                                  std::to_string(bytes.size());
        EXPECT_NE(json.find(entry), std::string::npos) << entry << "\n" << json;
    }
    EXPECT_TRUE(HasInstallRecord(records(), L"goodmod.BA2"));
    EXPECT_FALSE(HasInstallRecord(records(), L"Other.ba2"));
    const auto origin = InstallOriginOf(records(), L"GoodMod.ba2");
    ASSERT_TRUE(origin.has_value());
    EXPECT_EQ(origin->sourceName, L"GoodMod.zip");
    EXPECT_TRUE(std::regex_match(origin->installedAt, std::wregex(L"\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d"))) << testing::PrintToString(origin->installedAt);
}

TEST_F(ModInstall, AReplacedFileIsKeptAndComesBackOnRemoval) {
    WriteBytes(data() + L"Replacement.ba2", "the player's older archive");
    SetFileAttributesW((data() + L"Replacement.ba2").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string fresh = ReadBytes(Fixture(L"Replacement.ba2"));
    const struct {
        const char* what;
        std::vector<std::wstring> skip;
        std::string afterInstall;
    } cases[] = {
        {"replacement accepted", {}, fresh},
        {"replacement declined", {L"replacement.BA2"}, "the player's older archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StagedInstall staged = Stage({Fixture(L"Replacement.ba2")});
        ASSERT_EQ(staged.sources.at(0).files.size(), 1u);
        EXPECT_TRUE(staged.sources[0].files[0].replaces);
        EXPECT_EQ(CommitStaged(staged, c.skip, records()).error, L"");
        EXPECT_EQ(ReadBytes(data() + L"Replacement.ba2"), c.afterInstall);
        ExpectGameFolder({L"Replacement.ba2"});
        const RemoveResult removed = RemoveRecordedMod(records(), game(), L"Replacement.ba2");
        EXPECT_EQ(removed.recorded, c.skip.empty());
        EXPECT_EQ(removed.error, L"");
        EXPECT_EQ(removed.restored, c.skip.empty() ? std::vector<std::wstring>{L"Data\\Replacement.ba2"} : std::vector<std::wstring>{});
        EXPECT_EQ(ReadBytes(data() + L"Replacement.ba2"), "the player's older archive");
        EXPECT_TRUE(RecordFolders().empty());
    }
}

TEST_F(ModInstall, AChangedFileStaysAndIsNamedTheRestGoes) {
    Install({Fixture(L"GoodMod.zip")});
    WriteBytes(data() + L"GoodMod.ba2", "edited by the player");
    const RemoveResult removed = RemoveRecordedMod(records(), game(), L"GoodMod.ba2");
    EXPECT_TRUE(removed.recorded);
    EXPECT_EQ(removed.changedLeft, std::vector<std::wstring>{L"Data\\GoodMod.ba2"});
    ExpectGameFolder({L"GoodMod.ba2", L"Strings\\"});
    EXPECT_EQ(ReadBytes(data() + L"GoodMod.ba2"), "edited by the player");
    EXPECT_TRUE(RecordFolders().empty());
    EXPECT_FALSE(HasInstallRecord(records(), L"GoodMod.ba2"));
}

TEST_F(ModInstall, AnArchiveOfAManyArchiveModGoesAloneTheLastTakesTheRest) {
    Install({Fixture(L"SevenMod.7z")});
    EXPECT_TRUE(RemoveRecordedMod(records(), game(), L"SevenMod - Main.ba2").recorded);
    ExpectGameFolder({L"SevenMod - Textures.ba2", L"Strings\\", L"Strings\\SevenMod_ru.strings"});
    EXPECT_TRUE(HasInstallRecord(records(), L"SevenMod - Textures.ba2"));
    EXPECT_FALSE(HasInstallRecord(records(), L"SevenMod - Main.ba2"));
    EXPECT_TRUE(RemoveRecordedMod(records(), game(), L"SevenMod - Textures.ba2").recorded);
    ExpectGameFolder({L"Strings\\"});
    EXPECT_TRUE(RecordFolders().empty());
}

TEST_F(ModInstall, CancelStopsAndRemovesWhatWasWritten) {
    std::atomic<bool> cancel{false};
    int reports = 0;
    StagedInstall staged = StageMods({Fixture(L"SevenMod.7z"), Fixture(L"GoodMod.zip")}, data(),
                                     [&](const StageProgress& p) {
                                         ++reports;
                                         EXPECT_FALSE(p.currentFile.empty());
                                         cancel = true;  // half way: at the first entry
                                     },
                                     cancel);
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(staged.cancelled);
    EXPECT_EQ(CommitStaged(staged, {}, records()).newArchives, std::vector<std::wstring>{});
    ExpectGameFolder({});
    EXPECT_TRUE(RecordFolders().empty());
}

TEST_F(ModInstall, AFailureHalfWayTakesOutWhatWasMovedAndKeepsWhatWasThere) {
    StagedInstall staged = Stage({Fixture(L"GoodMod.zip")});
    ASSERT_EQ(staged.sources.at(0).files.size(), 2u);
    // A file appears where the second one goes, after the user was asked about replacements.
    ASSERT_TRUE(CreateDirectoryW((data() + L"Strings").c_str(), nullptr));
    WriteBytes(data() + L"Strings\\GoodMod_en.strings", "appeared meanwhile");
    const CommitResult result = CommitStaged(staged, {}, records());
    EXPECT_NE(result.error.find(L"GoodMod_en.strings"), std::wstring::npos) << testing::PrintToString(result.error);
    EXPECT_TRUE(result.newArchives.empty());
    ExpectGameFolder({L"Strings\\", L"Strings\\GoodMod_en.strings"});
    EXPECT_EQ(ReadBytes(data() + L"Strings\\GoodMod_en.strings"), "appeared meanwhile");
    EXPECT_TRUE(RecordFolders().empty());
}

TEST_F(ModInstall, TheGameArchiveNameIsNeverWritten) {
    const std::wstring source = root_.Path() + kGameArchive;
    ASSERT_TRUE(CopyFileW(Fixture(L"ConflictA.ba2").c_str(), source.c_str(), TRUE));
    StagedInstall staged = Stage({source});
    EXPECT_NE(staged.sources.at(0).error, L"");
    CommitStaged(staged, {}, records());
    ExpectGameFolder({});
}

TEST_F(ModInstall, TempFoldersAnEarlierRunLeftAreRemovedAndNothingElse) {
    const std::wstring stale = L".Fallout76Ravenlock-install-0000abcd-7\\";
    ASSERT_TRUE(CreateDirectoryW((game() + stale).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((game() + stale + L"inner").c_str(), nullptr));
    WriteBytes(game() + stale + L"1.part", "half written");
    SetFileAttributesW((game() + stale).c_str(), FILE_ATTRIBUTE_HIDDEN);
    // This process's own (an install under way) and names of another shape stay.
    wchar_t own[64];
    swprintf(own, 64, L".Fallout76Ravenlock-install-%08lx-0\\", GetCurrentProcessId());
    const Paths kept{own, L".Fallout76Ravenlock-install-0000abcd-\\", L".Fallout76Ravenlock-install-notours\\",
                     L".Fallout76Ravenlock-install-0000abcg-1\\"};
    for (const auto& folder : kept) ASSERT_TRUE(CreateDirectoryW((game() + folder).c_str(), nullptr));

    RemoveLeftoverStaging(data());
    Paths expected = kept;
    expected.insert({L"Data\\", std::wstring(L"Data\\") + kGameArchive});
    EXPECT_EQ(Tree(game()), expected);
}

TEST_F(ModInstall, ARecycledFileLeavesItsFolder) {
    const std::wstring path = data() + L"NotOurs.ba2";
    WriteBytes(path, "someone else's");
    EXPECT_EQ(RecycleFile(path), L"");
    ExpectGameFolder({});
    EXPECT_NE(RecycleFile(path), L"") << "a file that is not there cannot be recycled";
    EXPECT_FALSE(RemoveRecordedMod(records(), game(), L"NotOurs.ba2").recorded);
}

}  // namespace
}  // namespace ravenlock
