// The lower half of the Tools tab: the system summary and the report saved from it,
// the installed mods read from [Archive] of Fallout76.ini, and the game's crash dumps.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "disk_files.h"
#include "program_test.h"
#include "remote_controls.h"

namespace e2e {
namespace {

using namespace sandbox;
namespace ids = ravenlock::ids;

constexpr wchar_t kReportDialogTitle[] = L"Пожалуйста, укажите путь для сохранения отчёта о системе";
// The summary lines in the order of the screen and of the report.
constexpr int kReportLines[] = {ids::kCPUNameLabel,    ids::kCPUFrequencyLabel,     ids::kCPUThreadsLabel,
                                ids::kRAMSpaceLabel,   ids::kGPULabel,              ids::kScreenResolutionLabel,
                                ids::kHostNameLabel,   ids::kOSNameLabel,           ids::kProcessCounterLabel};

bool AllDigits(const std::wstring& s) {
    return !s.empty() && s.find_first_not_of(L"0123456789") == std::wstring::npos;
}

class ToolsDiagnostics : public ProgramTest {
protected:
    HWND Get(int id) const { return On(ids::kTabTools, id); }
    void StartOnToolsTab() {
        ASSERT_NE(Start(), nullptr);
        ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    }
};

TEST_F(ToolsDiagnostics, SummaryLinesDescribeThisMachine) {
    ASSERT_NE(Start(), nullptr);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    wchar_t host[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD hostLength = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(host, &hostLength));

    const struct {
        int label;
        std::wstring text;
    } exact[] = {
        {ids::kCPUThreadsLabel, L"Ядер центрального процессора: " + std::to_wstring(system.dwNumberOfProcessors)},
        {ids::kRAMSpaceLabel, L"Размер оперативной памяти: " + std::to_wstring(memory.ullTotalPhys / (1024 * 1024))},
        {ids::kScreenResolutionLabel, L"Разрешение экрана: 1280 X 1024"},  // the sandbox's desktop
        {ids::kHostNameLabel, std::wstring(L"Имя ПК: ") + host},
    };
    for (const auto& e : exact) EXPECT_EQ(TextOf(Get(e.label)), e.text);

    // What Wine reports for processor, adapter and system differs between machines:
    // each line has its prefix and a value after it.
    const struct {
        int label;
        const wchar_t* prefix;
        bool (*valueFits)(const std::wstring&);
    } filled[] = {
        {ids::kCPUNameLabel, L"Центральный процессор: ", [](const std::wstring& v) { return !v.empty(); }},
        {ids::kCPUFrequencyLabel, L"Частота центрального процессора: ",
         [](const std::wstring& v) { return v.size() > 4 && v.ends_with(L" MHz") && AllDigits(v.substr(0, v.size() - 4)); }},
        {ids::kGPULabel, L"Графический процессор: ", [](const std::wstring& v) { return !v.empty(); }},
        {ids::kOSNameLabel, L"Операционная система: ",
         [](const std::wstring& v) { return v.find_first_not_of(L' ') != std::wstring::npos; }},
        {ids::kProcessCounterLabel, L"Количество процессов: ",
         [](const std::wstring& v) { return AllDigits(v) && std::stoi(v) > 0; }},
    };
    for (const auto& f : filled) {
        const std::wstring text = TextOf(Get(f.label));
        ASSERT_TRUE(text.starts_with(f.prefix)) << text;
        EXPECT_TRUE(f.valueFits(text.substr(wcslen(f.prefix)))) << text;
    }
}

TEST_F(ToolsDiagnostics, ReportHoldsTheNineSummaryLinesAndASecondSaveReplacesIt) {
    StartOnToolsTab();
    std::wstring lines;
    for (int label : kReportLines) lines += TextOf(Get(label)) + L"\r\n";
    const std::string expected = Cp1251(lines);
    const std::wstring report = std::wstring(kScratch) + L"report.txt";

    for (const bool replacing : {false, true}) {
        SCOPED_TRACE(replacing ? "second save" : "first save");
        if (replacing) {
            ASSERT_TRUE(WriteBytes(report, "an older report\r\n"));
        }
        PostLeftClick(Get(ids::kSaveReportImage));
        HWND dialog = Running().WaitForDialog(kReportDialogTitle);
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        // Typed without an extension: the dialog adds ".txt".
        ASSERT_TRUE(ChooseFile(dialog, std::wstring(kScratch) + L"report"));
        // Read only once the save is over: a read while the program writes holds the file.
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        ASSERT_TRUE(Settle(Window()));
        EXPECT_TRUE(WaitFor([&] { return ReadBytes(report) == expected; })) << ReadBytes(report).value_or("(no file)");
        EXPECT_TRUE(WaitFor([&] { return Running().Dialogs().empty(); })) << "a dialog asks about the existing file";
    }
    EXPECT_FALSE(ExistsAsFile(std::wstring(kScratch) + L"report"));
    size_t breaks = 0;
    for (size_t i = expected.find("\r\n"); i != std::string::npos; i = expected.find("\r\n", i + 2)) ++breaks;
    EXPECT_EQ(breaks, 9u);
    EXPECT_EQ(expected.find("Потребление"), std::string::npos);
}

TEST_F(ToolsDiagnostics, ReportOverAFileInUseShowsWhyAndLeavesTheFileAlone) {
    const std::wstring report = std::wstring(kScratch) + L"report.txt";
    ASSERT_TRUE(WriteBytes(report, "an older report\r\n"));
    StartOnToolsTab();
    {
        FileLock lock(report);
        ASSERT_TRUE(lock.Held());
        PostLeftClick(Get(ids::kSaveReportImage));
        HWND dialog = Running().WaitForDialog(kReportDialogTitle);
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        ASSERT_TRUE(ChooseFile(dialog, report));
        HWND box = Running().WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box appeared";
        const std::wstring message = MessageBoxText(box);
        const std::wstring named = L"Cannot create file \"" + report + L"\". ";
        EXPECT_TRUE(message.starts_with(named) && message.size() > named.size()) << message;
        Answer(box, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    }
    EXPECT_EQ(ReadBytes(report), "an older report\r\n");
    std::vector<std::wstring> left;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kScratch) + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) left.emplace_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(left, std::vector<std::wstring>{L"report.txt"}) << "a half-made report was left behind";
}

TEST_F(ToolsDiagnostics, ModsGroupListsTheArchiveKeysAndAClickShowsTheWholeValue) {
    const IniEntries ini = ReadIniEntries(ProfilePath(L"Fallout76.ini"));
    const std::wstring longValue = ini.at({L"Archive", L"sResourceArchive2List"});
    ASSERT_GT(longValue.size(), 300u) << "the sandbox's long archive list is missing";
    StartOnToolsTab();
    HWND list = Get(ids::kModsListView);
    HWND memo = Get(ids::kModsContentMemo);
    EXPECT_EQ(TextOf(Get(ids::kModsGroupBox)), L"Установленных модификаций: 5");
    EXPECT_EQ(ListViewRows(list),
              (std::vector<std::wstring>{L"bInvalidateOlderFiles", L"sResourceDataDirsFinal", L"sResourceArchiveList",
                                         L"sResourceArchive2List", L"sResourceIndexFileList"}));
    EXPECT_EQ(TextOf(memo), L"");

    const struct {
        int row;
        std::wstring shown;
    } clicks[] = {
        {3, longValue},
        {2, ini.at({L"Archive", L"sResourceArchiveList"})},
        {-1, L""},  // beside the rows: nothing selected, the memo empties
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.row);
        if (c.row < 0)
            ClickListViewEmptyArea(list);
        else
            ASSERT_TRUE(ClickListViewRow(list, c.row));
        EXPECT_TRUE(WaitFor([&] { return TextOf(memo) == c.shown; })) << "shows \"" << TextOf(memo) << "\"";
        EXPECT_EQ(ListViewSelection(list), c.row);
        if (c.row == 3) {
            const std::wstring folder = ScreenshotDir();
            ASSERT_FALSE(folder.empty()) << "RAVENLOCK_SCREENSHOT_DIR is not set";
            EXPECT_TRUE(SavePng(CaptureWindow(Window()), folder + L"tab3-tools.png"));
        }
    }
}

TEST_F(ToolsDiagnostics, LongArchiveValueWrapsInTheMemo) {
    // A long value is shown whole, wrapped at the memo's width, not cut at its right edge.
    StartOnToolsTab();
    HWND memo = Get(ids::kModsContentMemo);
    ASSERT_TRUE(ClickListViewRow(Get(ids::kModsListView), 3));
    ASSERT_TRUE(WaitFor([&] { return TextOf(memo).size() > 300; }));
    DWORD_PTR lines = 0;
    ASSERT_TRUE(SendMessageTimeoutW(memo, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &lines));
    EXPECT_GT(lines, 3u) << "the value is not wrapped at the memo's width";
}

TEST_F(ToolsDiagnostics, CrashDumpsAreListedInLocaleOrderWithTheirTimes) {
    // Hours of two digits: Windows' Russian long time has "H", Wine's "HH".
    const struct {
        const wchar_t* name;
        SYSTEMTIME written;  // local time
    } dumps[] = {
        {L"A.dmp", {2022, 10, 2, 25, 19, 5, 7, 0}},
        {L"b.dmp", {2023, 3, 3, 8, 21, 40, 0, 0}},
        {L"C.dmp", {2023, 1, 0, 15, 0, 0, 0, 0}},  // exactly midnight
    };
    for (const auto& d : dumps) ASSERT_TRUE(SetLocalWriteTime(std::wstring(kGameFolder) + d.name, d.written)) << d.name;
    StartOnToolsTab();
    HWND list = Get(ids::kCrashDumpListView);
    HWND caption = Get(ids::kGroupBox3);
    EXPECT_EQ(TextOf(caption), L"Последних CrashDump-ов: 3");
    // A lower-case b between A and C: the order of the locale, not of the character codes.
    EXPECT_EQ(ListViewRows(list), (std::vector<std::wstring>{L"A.dmp | 25.10.2022 19:05:07", L"b.dmp | 08.03.2023 21:40:00",
                                                             L"C.dmp | 15.01.2023"}));

    // All gone: an empty list under the last count.
    for (const auto& d : dumps) ASSERT_TRUE(DeleteFileAnyway(std::wstring(kGameFolder) + d.name));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabGame));
    ASSERT_TRUE(ShowTab(Window(), ids::kTabTools));
    EXPECT_EQ(ListViewRowCount(list), 0);
    EXPECT_EQ(TextOf(caption), L"Последних CrashDump-ов: 3");
}

}  // namespace
}  // namespace e2e
