// The installer's speed: a zip of archives installed through StageMods and CommitStaged,
// beside a plain CopyFileW of the same unpacked bytes, in the same prefix and folder.
// Prints "install_ms=", "copy_ms=" and "bytes=" lines for scripts/bench.sh; asserts nothing.
//   mod_install_bench.exe ZIP WORK_FOLDER
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "mods/mod_install.h"

namespace {

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void RemoveFolderFiles(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mod_install_bench ZIP WORK_FOLDER\n");
        return 2;
    }
    const std::wstring zip = argv[1];
    const std::wstring work = std::wstring(argv[2]) + L"\\";
    const std::wstring data = work + L"Game\\Data\\";
    const std::wstring copies = work + L"Copies\\";
    const std::wstring records = work + L"Records\\";
    CreateDirectoryW(work.c_str(), nullptr);
    CreateDirectoryW((work + L"Game").c_str(), nullptr);
    CreateDirectoryW(data.c_str(), nullptr);
    CreateDirectoryW(copies.c_str(), nullptr);

    std::atomic<bool> cancel{false};
    const auto start = std::chrono::steady_clock::now();
    ravenlock::StagedInstall staged = ravenlock::StageMods({zip}, data, [](const ravenlock::StageProgress&) {}, cancel);
    const ravenlock::CommitResult result = ravenlock::CommitStaged(staged, {}, records);
    const double installMs = MsSince(start);
    if (!staged.sources.empty() && !staged.sources[0].error.empty()) {
        std::fwprintf(stdout, L"error=%ls\n", staged.sources[0].error.c_str());
        return 1;
    }
    if (!result.error.empty()) {
        std::fwprintf(stdout, L"error=%ls\n", result.error.c_str());
        return 1;
    }

    // The same bytes copied plainly: each installed archive into another folder of the same drive.
    unsigned long long bytes = 0;
    const auto copyStart = std::chrono::steady_clock::now();
    for (const auto& name : result.newArchives) {
        if (!CopyFileW((data + name).c_str(), (copies + name).c_str(), FALSE)) {
            std::printf("error=copy failed (%lu)\n", GetLastError());
            return 1;
        }
        WIN32_FILE_ATTRIBUTE_DATA info{};
        if (GetFileAttributesExW((copies + name).c_str(), GetFileExInfoStandard, &info))
            bytes += (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    }
    const double copyMs = MsSince(copyStart);
    std::printf("install_ms=%.0f\ncopy_ms=%.0f\nbytes=%llu\narchives=%zu\n", installMs, copyMs, bytes, result.newArchives.size());
    for (const auto& name : result.newArchives) ravenlock::RemoveRecordedMod(records, work + L"Game\\", name);
    RemoveFolderFiles(copies);
    return 0;
}
