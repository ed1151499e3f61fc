#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "gameconfig/game_files.h"
#include "gameconfig/ini_file.h"
#include "gameconfig/prefs_file.h"
#include "platform/app_error.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::TempDir;

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

TEST(IniFile, ReadsKeysByTheProfileRules) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76.ini";
    WriteBytes(path,
               "[weather]\r\nBFOGENABLED=1 \r\n"
               "[General]\r\nsQuoted=\"hello world\"\r\nsSingle='x'\r\nsSpaced =  two words  \r\n"
               "sLong=" + std::string(3000, 'a') + "\r\nsTrue=true\r\n");
    const IniFile ini(path);
    const struct {
        std::wstring section, key, value;
    } cases[] = {
        {L"Weather", L"bFogEnabled", L"1"},  // other letter case, trailing blank dropped
        {L"GENERAL", L"squoted", L"hello world"},
        {L"General", L"sSingle", L"x"},
        {L"General", L"sSpaced", L"two words"},
        {L"General", L"sLong", std::wstring(2047, L'a')},
        {L"General", L"sTrue", L"true"},  // compared exactly by callers: not "1"
        {L"General", L"sMissing", L""},
        {L"Missing", L"sQuoted", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ini.ReadString(c.section, c.key), c.value) << c.section << L"/" << c.key;
    EXPECT_EQ(IniFile(dir.Path() + L"absent.ini").ReadString(L"General", L"sQuoted"), L"");
}

TEST(IniFile, WritesKeysInPlaceAtSectionEndOrInANewSection) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76Prefs.ini";
    WriteBytes(path, "[Display]\r\niSize W = 1920\r\niSize H=1080\r\n\r\n[Grass]\r\nbAllowCreateGrass=1\r\n");
    const IniFile ini(path);
    ini.WriteString(L"display", L"ISIZE W", L"2560");  // existing key: rewritten without blanks
    ini.WriteString(L"Display", L"bFull Screen", L"1");  // new key: inside its section
    ini.WriteString(L"Pipboy", L"fPipboyEffectColorR", L"0.1");  // new section: at the end
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("iSize W=2560\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("1920"), std::string::npos) << text;
    const auto newKey = text.find("bFull Screen=1\r\n"), grass = text.find("[Grass]");
    ASSERT_NE(newKey, std::string::npos) << text;
    EXPECT_LT(newKey, grass) << text;
    EXPECT_GT(newKey, text.find("iSize H=1080")) << text;
    const std::string tail = "[Pipboy]\r\nfPipboyEffectColorR=0.1\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;

    // A missing file in an existing folder is created.
    const IniFile fresh(dir.Path() + L"Fallout76Custom.ini");
    fresh.WriteString(L"General", L"sLanguage", L"en");
    EXPECT_EQ(fresh.ReadString(L"General", L"sLanguage"), L"en");
}

TEST(IniFile, Utf16FileStaysUtf16) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76Custom.ini";
    const std::wstring content = L"[General]\r\nsName=Убежище\r\n";
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(content.data()), content.size() * sizeof(wchar_t));
    WriteBytes(path, bytes);
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(L"General", L"sName"), L"Убежище");
    ini.WriteString(L"General", L"bDisable", L"1");
    const std::string after = ReadBytes(path);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.substr(0, 2), "\xFF\xFE");
    const std::wstring wide(reinterpret_cast<const wchar_t*>(after.data() + 2), (after.size() - 2) / 2);
    EXPECT_NE(wide.find(L"bDisable=1"), std::wstring::npos);
    EXPECT_NE(wide.find(L"sName=Убежище"), std::wstring::npos);
}

TEST(IniFile, RefusedWriteRaisesTheExactMessage) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76.ini";
    WriteBytes(path, "[General]\r\nsLanguage=ru\r\n");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring missingFolder = dir.Path() + L"nowhere\\Fallout76.ini";
    for (const std::wstring& target : {path, missingFolder}) {
        try {
            IniFile(target).WriteString(L"General", L"sLanguage", L"en");
            ADD_FAILURE() << "the write to " << target << " was not refused";
        } catch (const AppError& e) {
            EXPECT_EQ(e.Message(), L"Unable to write to " + target);
        }
    }
    EXPECT_EQ(ReadBytes(path), "[General]\r\nsLanguage=ru\r\n");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(IniFile, ListsEveryKeyOfALongSection) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76.ini";
    std::string text = "[Archive]\r\n";
    for (int i = 0; i < 400; ++i) text += "sResourceArchive" + std::to_string(i) + "List=x\r\n";  // ~9000 characters of names
    text += "[Other]\r\nkey=1\r\n";
    WriteBytes(path, text);
    const auto keys = IniFile(path).ReadSectionKeys(L"archive");
    ASSERT_EQ(keys.size(), 400u);
    EXPECT_EQ(keys.front(), L"sResourceArchive0List");
    EXPECT_EQ(keys.back(), L"sResourceArchive399List");
    EXPECT_TRUE(IniFile(path).ReadSectionKeys(L"Missing").empty());
}

TEST(IniFile, OneReadOfASectionGivesWhatKeyByKeyReadsGive) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76.ini";
    std::string text = "[General]\r\nsLanguage=ru\r\n[Archive]\r\n; a comment\r\n";
    text += "sQuoted = \"two words\" \r\nsSingle='x'\r\n  sSpaced  =  a b  \r\nsLong=" + std::string(3000, 'a') + "\r\n";
    for (int i = 0; i < 400; ++i) text += "sResourceArchive" + std::to_string(i) + "List=SeventySix - " + std::to_string(i) + ".ba2\r\n";
    text += "[Other]\r\nkey=1\r\n";
    WriteBytes(path, text);
    const IniFile ini(path);
    const auto entries = ini.ReadSection(L"archive");
    const auto keys = ini.ReadSectionKeys(L"archive");
    ASSERT_EQ(entries.size(), keys.size());
    ASSERT_EQ(entries.size(), 404u);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(entries[i].key, keys[i]) << i;
        EXPECT_EQ(entries[i].value, ini.ReadString(L"Archive", keys[i])) << keys[i];
    }
    EXPECT_TRUE(ini.ReadSection(L"Missing").empty());
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

// The attributes that the guard sets or must remove. Wine reports every file as "archive"
// and Windows reports a file without attributes as "normal"; neither tells anything here.
DWORD Significant(const std::wstring& path) {
    return Attributes(path) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL);
}

TEST(PrefsFile, AFileFarLargerThanAnyRealOneIsRefusedWithAMessage) {
    TempDir dir;
    const std::wstring path = dir.Path() + L"Fallout76Prefs.ini";
    std::string line = "[Display]\r\n";
    std::string text;
    while (text.size() <= kMaxPrefsFileBytes) text += line + "iSize W=1920\r\n";
    WriteBytes(path, text);
    LineList list;
    try {
        LoadLineList(list, path);
        ADD_FAILURE() << "a file of " << text.size() << " bytes was loaded into " << list.Lines().size() << " lines";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Message(), L"Файл \"" + path + L"\" больше 4 МБ: это не файл настроек игры, он не открыт.");
    }
    // Just under the bound it is read.
    text.resize(kMaxPrefsFileBytes);
    WriteBytes(path, text);
    EXPECT_NO_THROW(LoadLineList(list, path));
}

TEST(GameIniFiles, GuardSetsExactlyReadOnlyOrNothingAndSkipsTheRest) {
    TempDir dir;
    const std::wstring folder = dir.Path().substr(0, dir.Path().size() - 1);
    const std::wstring main = GameIniPath(folder, GameIni::Main), prefs = GameIniPath(folder, GameIni::Prefs);
    const std::wstring custom = GameIniPath(folder, GameIni::Custom);
    const std::wstring backup = BackupIniPath(folder, GameIni::Main);
    for (const auto& p : {main, prefs, backup}) WriteBytes(p, "[General]\r\n");
    ASSERT_TRUE(SetFileAttributesW(main.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SetFileAttributesW(backup.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(backup, folder + L"\\Backup_Fallout76.ini");

    ASSERT_EQ(Significant(main), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    SetGameIniAttributes(folder, false);
    EXPECT_EQ(Significant(main), 0u);
    EXPECT_EQ(Significant(prefs), 0u);
    SetGameIniAttributes(folder, true);
    EXPECT_EQ(Significant(main), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Significant(prefs), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Attributes(custom), INVALID_FILE_ATTRIBUTES);  // a missing file is not created
    EXPECT_EQ(Significant(backup), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));  // backups are never guarded
    SetGameIniAttributes(folder, false);
}

TEST(GameIniFiles, CustomIniIsCreatedOnlyWhenMissingAndTheFolderExists) {
    const std::wstring program = testing_support::BinDir() + L"Fallout76Ravenlock.exe";
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    TempDir dir;
    const std::wstring folder = dir.Path() + L"My Games\\Fallout 76";
    CreateCustomIniIfMissing(folder, module);  // no folder: nothing
    EXPECT_EQ(Attributes(GameIniPath(folder, GameIni::Custom)), INVALID_FILE_ATTRIBUTES);

    std::filesystem::create_directories(std::filesystem::path(folder));
    CreateCustomIniIfMissing(folder, module);
    EXPECT_EQ(ReadBytes(GameIniPath(folder, GameIni::Custom)), "[General]");

    WriteBytes(GameIniPath(folder, GameIni::Custom), "");  // an existing empty file stays empty
    CreateCustomIniIfMissing(folder, module);
    EXPECT_EQ(ReadBytes(GameIniPath(folder, GameIni::Custom)), "");
    FreeLibrary(module);
}

}  // namespace
}  // namespace ravenlock
