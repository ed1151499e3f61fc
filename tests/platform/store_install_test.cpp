// The Microsoft Store edition on a real system: its package manifest read by the system's
// XML reader, and the settings files the guard treats under that edition.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "gameconfig/game_files.h"
#include "platform/game_edition.h"
#include "platform/store_install.h"
#include "test_support.h"

namespace ravenlock {
namespace {

using testing_support::TempDir;

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// The edition in force for one test, and Steam's again afterwards.
struct EditionInForce {
    explicit EditionInForce(EditionKind kind) {
        GameEdition e;
        e.Kind = kind;
        SetCurrentEdition(e);
    }
    ~EditionInForce() { SetCurrentEdition({}); }
};

std::string Manifest(const std::string& identity, const std::string& application) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
           "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\" "
           "xmlns:uap=\"http://schemas.microsoft.com/appx/manifest/uap/windows10\">\r\n"
           "  " + identity + "\r\n"
           "  <Properties><DisplayName>Fallout 76</DisplayName></Properties>\r\n"
           "  <Applications>" + application + "</Applications>\r\n"
           "</Package>\r\n";
}

TEST(StoreManifest, VersionAndApplicationIdOrNothing) {
    const std::string identity =
        R"(<Identity Name="BethesdaSoftworks.Fallout76-PC" Publisher="CN=x" Version="1.7.23.9" ProcessorArchitecture="x64"/>)";
    const std::string application = R"(<Application Id="Game" Executable="Project76_GamePass.exe" EntryPoint="Windows.FullTrustApplication"/>)";
    const struct {
        const char* what;
        std::string bytes;  // empty: no manifest at all
        const wchar_t *appId, *version;
    } cases[] = {
        {"as the package has it", Manifest(identity, application), L"Game", L"1.7.23.9"},
        {"in UTF-16 with a byte-order mark", "", L"Game", L"1.7.23.9"},
        {"missing", "", L"", L""},
        {"not XML", "this is not a manifest <Package", L"", L""},
        {"cut in the middle", Manifest(identity, application).substr(0, 200), L"", L""},
        {"a DTD with an entity", "<!DOCTYPE Package [<!ENTITY x SYSTEM \"file:///C:/windows/win.ini\">]>" +
                                     Manifest(identity, "<Application Id=\"&x;\"/>").substr(40), L"", L""},
        {"values of the wrong shape",
         Manifest(R"(<Identity Version="1.2.3.4.5"/>)", R"(<Application Id="x y&amp;calc"/>)"), L"", L""},
        {"another root", "<Other><Identity Version=\"1.0.0.0\"/></Other>", L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        if (std::string(c.what).find("UTF-16") != std::string::npos) {
            const std::string utf8 = Manifest(identity, application);
            std::wstring wide(utf8.begin(), utf8.end());  // ASCII only
            std::string bytes = "\xff\xfe";
            for (wchar_t ch : wide) bytes += {static_cast<char>(ch & 0xff), static_cast<char>(ch >> 8)};
            const size_t at = bytes.find(std::string("u\0t\0f\0-\0" "8\0", 10));
            ASSERT_NE(at, std::string::npos);
            bytes.replace(at, 10, std::string("u\0t\0f\0-\0" "1\0" "6\0", 12));
            WriteFile(dir.Path() + L"appxmanifest.xml", bytes);
        } else if (!c.bytes.empty()) {
            WriteFile(dir.Path() + L"appxmanifest.xml", c.bytes);
        }
        const StoreManifest m = ReadStoreManifest(dir.Path());
        EXPECT_EQ(m.appId, c.appId);
        EXPECT_EQ(m.version, c.version);
    }
}

TEST(StoreManifest, AFolderHoldsTheGameOnlyWithItsDataOrExecutable) {
    TempDir dir;
    EXPECT_FALSE(HoldsStoreGame(dir.Path()));
    CreateDirectoryW((dir.Path() + L"Data").c_str(), nullptr);
    EXPECT_FALSE(HoldsStoreGame(dir.Path()));
    WriteFile(dir.Path() + L"Data\\SeventySix.esm", "TES4");
    EXPECT_TRUE(HoldsStoreGame(dir.Path()));
    TempDir other;
    WriteFile(other.Path() + L"Project76_GamePass.exe", "MZ");
    EXPECT_TRUE(HoldsStoreGame(other.Path()));
}

TEST(StoreEditionFiles, TheGuardTreatsOnlyTheEditionsOwnFiles) {
    TempDir dir;
    const std::wstring folder = dir.Path().substr(0, dir.Path().size() - 1);
    for (const char* name : {"Fallout76.ini", "Fallout76Prefs.ini", "Project76.ini", "Project76Prefs.ini",
                             "Project76Custom.ini"})
        WriteFile(dir.Path() + std::wstring(name, name + strlen(name)), "[General]\r\n");
    const EditionInForce store(EditionKind::Store);
    EXPECT_EQ(GameIniPath(folder, GameIni::Prefs), folder + L"\\Project76Prefs.ini");
    SetGameIniAttributes(folder, true);
    for (const wchar_t* name : {L"Project76.ini", L"Project76Prefs.ini", L"Project76Custom.ini"})
        EXPECT_EQ(GetFileAttributesW((dir.Path() + name).c_str()) & FILE_ATTRIBUTE_READONLY,
                  static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) << name;
    for (const wchar_t* name : {L"Fallout76.ini", L"Fallout76Prefs.ini"})
        EXPECT_EQ(GetFileAttributesW((dir.Path() + name).c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << name;
    // The effective settings come from the edition's files too.
    SetGameIniAttributes(folder, false);
    WriteFile(dir.Path() + L"Project76Custom.ini", "[Display]\r\niPresentInterval=0\r\n");
    WriteFile(dir.Path() + L"Fallout76Custom.ini", "[Display]\r\niPresentInterval=1\r\n");
    const EffectiveSettings settings = ReadEffectiveSettings(folder);
    const auto setters = settings.SettersOf(L"Display", L"iPresentInterval");
    ASSERT_EQ(setters.size(), 1u);
    EXPECT_EQ(settings.FileName(setters.back().file), L"Project76Custom.ini");
    EXPECT_EQ(setters.back().value, L"0");
}

}  // namespace
}  // namespace ravenlock
