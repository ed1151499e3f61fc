// The system summary of the Tools tab, gathered once at start-up, and the report saved
// from it; the crash dumps of the game's install folder.
#include <algorithm>

#include "app/main_window.h"
#include "diagnostics/diagnostics_rules.h"
#include "diagnostics/tools_tab.h"
#include "gameconfig/prefs_file.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "ui/file_dialog.h"

namespace ravenlock {

namespace {

// Descends HKEY_LOCAL_MACHINE one level at a time; an empty key when a level is missing.
RegKey OpenMachineKey(std::initializer_list<const wchar_t*> path) {
    RegKey key(nullptr);
    HKEY at = HKEY_LOCAL_MACHINE;
    for (const wchar_t* level : path) {
        key = RegKey::Open(at, level, KEY_READ);
        if (!key) return RegKey();
        at = key.Get();
    }
    return key;
}

// A string value read quietly: missing or of another type gives "".
std::wstring StringOrEmpty(const RegKey& key, const wchar_t* name) {
    try {
        return QueryStringValue(key.Get(), name).value_or(L"");
    } catch (const std::exception&) {
        return L"";
    }
}

}  // namespace

std::wstring GetComputerNameString() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? std::wstring(name) : L"";
}

void ToolsTab::ShowSystemInformation() {
    {
        const RegKey cpu = OpenMachineKey({L"HARDWARE", L"DESCRIPTION", L"System", L"CentralProcessor", L"0"});
        CPUNameLabel.SetText(L"Центральный процессор: " + StringOrEmpty(cpu, L"ProcessorNameString"));
        DWORD mhz = 0, type = 0, size = sizeof(mhz);
        // A missing or non-integer frequency leaves the bare prefix; the rest is filled anyway.
        if (cpu && RegQueryValueExW(cpu.Get(), L"~MHz", nullptr, &type, reinterpret_cast<BYTE*>(&mhz), &size) ==
                       ERROR_SUCCESS &&
            type == REG_DWORD)
            CPUFrequencyLabel.SetText(L"Частота центрального процессора: " + std::to_wstring(mhz) + L" MHz");
    }
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    CPUThreadsLabel.SetText(L"Ядер центрального процессора: " + std::to_wstring(si.dwNumberOfProcessors));
    {
        const RegKey os = OpenMachineKey({L"SOFTWARE", L"Microsoft", L"Windows NT", L"CurrentVersion"});
        OSNameLabel.SetText(L"Операционная система: " + StringOrEmpty(os, L"ProductName") + L" " +
                            StringOrEmpty(os, L"CSDVersion"));
    }
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);  // the 64-bit form: more than 4 GiB is the rule today
    RAMSpaceLabel.SetText(L"Размер оперативной памяти: " + std::to_wstring(BytesToMiB(memory.ullTotalPhys)));
    DISPLAY_DEVICEW display{};
    display.cb = sizeof(display);
    if (EnumDisplayDevicesW(nullptr, 0, &display, 0)) GPULabel.SetText(L"Графический процессор: " + std::wstring(display.DeviceString));
    HostNameLabel.SetText(L"Имя ПК: " + GetComputerNameString());
    ProcessCounterLabel.SetText(L"Количество процессов: " + std::to_wstring(GetProcessCount()));
}

void ToolsTab::SaveSystemReport() {
    const auto path = ui::ShowSaveDialog(main_->Handle(), main_->MySaveDialog);
    if (!path) return;
    const std::wstring text = ReportText({CPUNameLabel.Text(), CPUFrequencyLabel.Text(), CPUThreadsLabel.Text(),
                                          RAMSpaceLabel.Text(), GPULabel.Text(), ScreenResolutionLabel.Text(),
                                          HostNameLabel.Text(), OSNameLabel.Text(), ProcessCounterLabel.Text()});
    // A name the code page cannot hold (a host name in another script) keeps its letters
    // in UTF-8 with a mark rather than turning into "?".
    const auto ansi = SystemAnsi().encode(text);
    ReplaceWholeFile(*path, ansi ? *ansi : "\xEF\xBB\xBF" + WideToUtf8(text));
}

void ToolsTab::ListCrashDumps() {
    CrashDumpListView.SetRows({});
    std::vector<std::wstring> rows;
    for (const FolderEntry& dump : ListFolder(main_->State.GameFolder + L"*.dmp")) {
        if (dump.isFolder) continue;
        FILETIME local;
        SYSTEMTIME t;
        FileTimeToLocalFileTime(&dump.lastWrite, &local);
        FileTimeToSystemTime(&local, &t);
        wchar_t date[64] = {}, time[64] = {};
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 64);
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, 64);
        const bool midnight = t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0 && t.wMilliseconds == 0;
        rows.push_back(DumpRowText(dump.name, date, time, midnight));
    }
    // Sorted by the whole text with the user's locale, case-sensitive.
    std::sort(rows.begin(), rows.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    CrashDumpListView.SetRows(rows);
    // The caption keeps its last non-zero count over an empty list.
    if (!rows.empty()) GroupBox3.SetText(L"Последних CrashDump-ов: " + std::to_wstring(rows.size()));
}

}  // namespace ravenlock
