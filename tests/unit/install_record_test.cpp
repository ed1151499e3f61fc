// The install record (mod.json): what is written reads back the same, and a record that
// was tampered with or broken reads as none, so that removal never acts on it.
#include <gtest/gtest.h>

#include <string>

#include "mods/install_record.h"

namespace ravenlock {
namespace {

const std::string kHash(64, 'a');
const std::string kOtherHash = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

TEST(InstallRecord, WrittenRecordsReadBack) {
    const struct {
        const char* what;
        InstallRecord record;
    } cases[] = {
        {"one archive", {L"mod.zip", L"2026-12-11T10:30:00Z", {{L"Data\\Mod.ba2", 1234, kHash}}, {}}},
        {"archive, strings and a replaced file",
         {L"Большой мод v2.7z", L"2026-01-31T23:59:59Z",
          {{L"Data\\Мод - Main.ba2", 0, kHash}, {L"Data\\Strings\\mod_ru.strings", 18446744073709551615ull, kOtherHash}},
          {{L"Data\\Мод - Main.ba2", L"replaced-1"}}}},
        {"nothing written", {L"x.ba2", L"2000-02-29T00:00:00Z", {}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string json = InstallRecordJson(c.record);
        const auto back = ReadInstallRecord(json);
        ASSERT_TRUE(back.has_value()) << json;
        EXPECT_EQ(*back, c.record);
    }
}

TEST(InstallRecord, TheFileIsUtf8JsonWithTheNamedMembers) {
    const std::string json =
        InstallRecordJson({L"Мод.zip", L"2026-12-11T10:30:00Z", {{L"Data\\Мод.ba2", 5, kHash}}, {{L"Data\\Мод.ba2", L"replaced-1"}}});
    EXPECT_NE(json.find("\"source\": \"\xD0\x9C\xD0\xBE\xD0\xB4.zip\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"installed\": \"2026-12-11T10:30:00Z\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"size\": 5"), std::string::npos) << json;
    EXPECT_NE(json.find("\"sha256\": \"" + kHash + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"kept\": \"replaced-1\""), std::string::npos) << json;
}

TEST(InstallRecord, HostileOrBrokenRecordsReadAsNone) {
    const std::string h = "\"" + kHash + "\"";
    const auto record = [&](const std::string& files, const std::string& replaced = "[]") {
        return "{\"source\":\"m.zip\",\"installed\":\"2026-12-11T10:30:00Z\",\"files\":" + files +
               ",\"replaced\":" + replaced + "}";
    };
    const std::string goodFile = "[{\"path\":\"Data\\\\m.ba2\",\"size\":1,\"sha256\":" + h + "}]";
    ASSERT_TRUE(ReadInstallRecord(record(goodFile)).has_value()) << "the table's base must be a good record";
    const struct {
        const char* what;
        std::string json;
    } cases[] = {
        {"empty", ""},
        {"not JSON", "mod.json"},
        {"cut off", record(goodFile).substr(0, 60)},
        {"an array", "[1,2]"},
        {"files missing", "{\"source\":\"m.zip\",\"installed\":\"2026-12-11T10:30:00Z\",\"replaced\":[]}"},
        {"files not an array", record("{}")},
        {"source an object", "{\"source\":{},\"installed\":\"2026-12-11T10:30:00Z\",\"files\":[],\"replaced\":[]}"},
        {"time not a time", "{\"source\":\"m\",\"installed\":\"yesterday\",\"files\":[],\"replaced\":[]}"},
        {"month 13", "{\"source\":\"m\",\"installed\":\"2026-13-11T10:30:00Z\",\"files\":[],\"replaced\":[]}"},
        {"path climbs out", record("[{\"path\":\"Data\\\\..\\\\..\\\\victim.txt\",\"size\":1,\"sha256\":" + h + "}]")},
        {"absolute path", record("[{\"path\":\"C:\\\\Windows\\\\win.ini\",\"size\":1,\"sha256\":" + h + "}]")},
        {"UNC path", record("[{\"path\":\"\\\\\\\\server\\\\share\\\\x\",\"size\":1,\"sha256\":" + h + "}]")},
        {"rooted path", record("[{\"path\":\"\\\\x.ba2\",\"size\":1,\"sha256\":" + h + "}]")},
        {"a folder, not a file", record("[{\"path\":\"Data\\\\\",\"size\":1,\"sha256\":" + h + "}]")},
        {"device name", record("[{\"path\":\"Data\\\\NUL.ba2\",\"size\":1,\"sha256\":" + h + "}]")},
        {"negative size", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":-1,\"sha256\":" + h + "}]")},
        {"size as text", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":\"1\",\"sha256\":" + h + "}]")},
        {"size too large", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":99999999999999999999999,\"sha256\":" + h + "}]")},
        {"fractional size", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":1.5,\"sha256\":" + h + "}]")},
        {"short hash", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":1,\"sha256\":\"abc\"}]")},
        {"upper-case hash", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":1,\"sha256\":\"" + std::string(64, 'A') + "\"}]")},
        {"hash a number", record("[{\"path\":\"Data\\\\m.ba2\",\"size\":1,\"sha256\":12}]")},
        {"file entry a string", record("[\"Data\\\\m.ba2\"]")},
        {"kept name with a folder", record(goodFile, "[{\"path\":\"Data\\\\m.ba2\",\"kept\":\"..\\\\x\"}]")},
        {"kept name a path", record(goodFile, "[{\"path\":\"Data\\\\m.ba2\",\"kept\":\"sub\\\\x\"}]")},
        {"kept as the record itself", record(goodFile, "[{\"path\":\"Data\\\\m.ba2\",\"kept\":\"MOD.JSON\"}]")},
        {"replaced path climbs out", record(goodFile, "[{\"path\":\"..\\\\boot.ini\",\"kept\":\"replaced-1\"}]")},
        {"deep nesting", std::string(100000, '[') + std::string(100000, ']')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(ReadInstallRecord(c.json).has_value()) << c.json.substr(0, 300);
    }
}

TEST(InstallRecord, PathsNameDataFilesWithoutLetterCaseOrSeparatorMattering) {
    const struct {
        const wchar_t* path;
        const wchar_t* file;
        bool same;
    } cases[] = {
        {L"Data\\Mod.ba2", L"Mod.ba2", true},
        {L"data/MOD.BA2", L"mod.ba2", true},
        {L"Data\\Strings\\Mod.ba2", L"Mod.ba2", false},
        {L"Data\\Mod.ba2", L"Mod.ba", false},
        {L"Other\\Mod.ba2", L"Mod.ba2", false},
    };
    for (const auto& c : cases) EXPECT_EQ(RecordPathIs(c.path, L"Data\\", c.file), c.same) << testing::PrintToString(std::wstring(c.path));
}

}  // namespace
}  // namespace ravenlock
