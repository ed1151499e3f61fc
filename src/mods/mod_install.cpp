#include "mods/mod_install.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "gameconfig/line_list.h"
#include "mods/archive_unpack.h"
#include "mods/ba2_reader.h"
#include "mods/install_files.h"
#include "mods/install_record.h"
#include "mods/mod_lists.h"
#include "platform/app_error.h"
#include "platform/file_handle.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace ravenlock {

namespace {

constexpr uint64_t kProgressStep = 4 * 1024 * 1024;
// Room kept free beyond the mod's own bytes: the record, the file system's own needs.
constexpr uint64_t kSpareBytes = 16 * 1024 * 1024;

bool EndsWithName(const std::wstring& name, std::wstring_view suffix) {
    return name.size() >= suffix.size() && SameName(std::wstring_view(name).substr(name.size() - suffix.size()), suffix);
}

enum class SourceKind { Ba2, Archive, Other };

SourceKind KindOfSource(const std::wstring& name) {
    if (EndsWithName(name, L".ba2")) return SourceKind::Ba2;
    for (const wchar_t* ext : {L".zip", L".7z", L".rar"})
        if (EndsWithName(name, ext)) return SourceKind::Archive;
    return SourceKind::Other;
}

// What a source will put into Data, before anything is written.
struct SourcePlan {
    SourceKind kind = SourceKind::Other;
    ArchivePlan archive;  // for an archive; for a .ba2 one entry of its own name
};

std::wstring Megabytes(uint64_t bytes) { return std::to_wstring((bytes + 1024 * 1024 - 1) / (1024 * 1024)); }

constexpr wchar_t kTempPrefix[] = L".Fallout76Ravenlock-install-";

// "<prefix><8 hex digits of the process id>-<counter>": the process id, or nothing for
// any other name.
std::optional<unsigned long> StagingOwner(const std::wstring& name) {
    const size_t prefix = std::wcslen(kTempPrefix);
    if (name.compare(0, prefix, kTempPrefix) != 0 || name.size() < prefix + 10 || name[prefix + 8] != L'-')
        return std::nullopt;
    const std::wstring pid = name.substr(prefix, 8), counter = name.substr(prefix + 9);
    if (pid.find_first_not_of(L"0123456789abcdef") != std::wstring::npos ||
        counter.find_first_not_of(L"0123456789") != std::wstring::npos || counter.size() > 10)
        return std::nullopt;
    return std::wcstoul(pid.c_str(), nullptr, 16);
}

std::wstring NewTempFolder(const std::wstring& gameFolder) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 50; ++attempt) {
        wchar_t name[64];
        std::swprintf(name, 64, L"%ls%08lx-%u", kTempPrefix, GetCurrentProcessId(), counter++);
        const std::wstring path = gameFolder + name;
        if (CreateDirectoryW(path.c_str(), nullptr)) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
            return path + L"\\";
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw AppError(L"Не удалось создать временную папку в папке игры \"" + gameFolder + L"\". " +
                           SystemErrorText(GetLastError()));
    }
    throw AppError(L"Не удалось создать временную папку в папке игры \"" + gameFolder + L"\".");
}

SourcePlan PlanSource(const std::wstring& path, const std::atomic<bool>& cancel) {
    SourcePlan plan;
    const std::wstring name = FileNamePart(path);
    plan.kind = KindOfSource(name);
    if (plan.kind == SourceKind::Archive) {
        plan.archive = PlanArchive(path, cancel);
        return plan;
    }
    if (plan.kind == SourceKind::Other) {
        plan.archive.error = L"Такие файлы не устанавливаются: нужен архив .ba2, .zip, .7z или .rar.";
        return plan;
    }
    if (IsGameArchive(name)) {
        plan.archive.error = L"Это имя архива самой игры: такой файл не устанавливается.";
        return plan;
    }
    if (const auto problem = Ba2FileProblem(path)) {
        plan.archive.error = L"Файл " + *problem + L".";
        return plan;
    }
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info)) {
        plan.archive.error = L"Файл не открывается. " + SystemErrorText(GetLastError());
        return plan;
    }
    const uint64_t size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    plan.archive.entries.push_back({0, name, name, size});
    plan.archive.totalBytes = size;
    return plan;
}

// Copies a .ba2 source into the temporary folder.
std::vector<StagedFile> CopyBa2(const std::wstring& path, const PlannedEntry& entry, const std::wstring& stagedPath,
                                const UnpackProgress& progress, const std::atomic<bool>& cancel) {
    const FileHandle source(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.Valid()) throw AppError(L"Файл не открывается. " + SystemErrorText(GetLastError()));
    std::vector<StagedFile> staged;
    progress(entry.name, 0);
    StagingFile file(stagedPath);
    std::string buffer(1024 * 1024, '\0');
    DWORD got = 0;
    for (;;) {
        if (cancel) return staged;
        if (!ReadFile(source.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            throw AppError(L"Файл не читается. " + SystemErrorText(GetLastError()));
        if (got == 0) break;
        file.Write(buffer.data(), got);
        progress(entry.name, got);
    }
    staged.push_back(file.Finish(entry.target));
    return staged;
}

}  // namespace

StagedInstall StageMods(const std::vector<std::wstring>& sources, const std::wstring& dataFolder,
                        const std::function<void(const StageProgress&)>& progress, const std::atomic<bool>& cancel) {
    StagedInstall staged;
    staged.dataFolder = WithSeparator(dataFolder);
    const std::wstring& data = staged.dataFolder;

    // First every source's headers: what goes where, and what is refused, before a byte is written.
    std::vector<SourcePlan> plans;
    std::unordered_set<std::wstring> taken;  // targets of earlier sources
    uint64_t total = 0;
    for (const auto& path : sources) {
        if (cancel) break;
        SourcePlan plan = PlanSource(path, cancel);
        const std::wstring name = FileNamePart(path);
        for (auto& left : plan.archive.leftOut) staged.leftOut.push_back(std::move(left));
        plan.archive.leftOut.clear();
        std::vector<PlannedEntry> kept;
        for (auto& entry : plan.archive.entries) {
            if (!taken.insert(ArchivePathKey(entry.target)).second) {
                if (plan.kind == SourceKind::Ba2) plan.archive.error = L"Файл с таким именем уже есть в другом выбранном моде.";
                else staged.leftOut.push_back({name, entry.name, L"файл с таким именем уже есть в другом выбранном моде", false});
                continue;
            }
            kept.push_back(std::move(entry));
        }
        plan.archive.entries = plan.archive.error.empty() ? std::move(kept) : std::vector<PlannedEntry>{};
        if (plan.archive.error.empty())
            for (const auto& entry : plan.archive.entries) total += entry.declaredSize;
        plans.push_back(std::move(plan));
        staged.sources.push_back({path, {}, plans.back().archive.error});
    }
    if (cancel) {
        staged.cancelled = true;
        staged.sources.clear();
        return staged;
    }

    bool anything = false;
    for (const auto& plan : plans) anything = anything || !plan.archive.entries.empty();
    if (!anything) return staged;

    auto failAll = [&](const std::wstring& message) {
        for (size_t i = 0; i < plans.size(); ++i)
            if (!plans[i].archive.entries.empty()) staged.sources[i].error = message;
    };
    try {
        staged.tempFolder = NewTempFolder(GameFolderOf(data));
    } catch (const AppError& e) {
        failAll(e.Message());
        return staged;
    }
    ULARGE_INTEGER freeBytes{};
    if (GetDiskFreeSpaceExW(staged.tempFolder.c_str(), &freeBytes, nullptr, nullptr) &&
        freeBytes.QuadPart < total + kSpareBytes) {
        failAll(L"На диске с папкой Data недостаточно места: нужно " + Megabytes(total + kSpareBytes) + L" МБ, свободно " +
                Megabytes(freeBytes.QuadPart) + L" МБ.");
        DiscardStaged(staged);
        return staged;
    }

    // Then the data, each source into numbered files of the temporary folder.
    StageProgress report;
    report.totalBytes = total;
    uint64_t sinceReport = 0;
    const UnpackProgress onBytes = [&](const std::wstring& entry, uint64_t more) {
        report.doneBytes += more;
        sinceReport += more;
        if (more == 0 || sinceReport >= kProgressStep || entry != report.currentFile) {
            report.currentFile = entry;
            sinceReport = 0;
            if (progress) progress(report);
        }
    };
    unsigned number = 0;
    for (size_t i = 0; i < plans.size() && !cancel; ++i) {
        SourcePlan& plan = plans[i];
        StagedSource& source = staged.sources[i];
        if (plan.archive.entries.empty()) continue;
        std::vector<std::wstring> written;
        const auto nextPath = [&] {
            written.push_back(staged.tempFolder + std::to_wstring(++number) + L".part");
            return written.back();
        };
        try {
            if (plan.kind == SourceKind::Ba2)
                source.files = CopyBa2(source.sourcePath, plan.archive.entries.front(), nextPath(), onBytes, cancel);
            else
                source.files = UnpackArchive(source.sourcePath, plan.archive, nextPath, onBytes, cancel);
        } catch (const AppError& e) {
            source.error = e.Message();
        } catch (const std::bad_alloc&) {
            source.error = L"Недостаточно памяти для чтения архива.";
        }
        if (!source.error.empty()) {
            source.files.clear();
            for (const auto& path : written) DeleteAnyFile(path);
            continue;
        }
        // An archive inside a zip must read as one too.
        std::vector<StagedFile> good;
        for (auto& file : source.files) {
            const bool inData = file.target.find(L'\\') == std::wstring::npos;
            if (plan.kind == SourceKind::Archive && inData) {
                if (const auto problem = Ba2FileProblem(file.stagedPath)) {
                    std::wstring entryName = file.target;
                    for (const auto& e : plan.archive.entries)
                        if (e.target == file.target) entryName = e.name;
                    staged.leftOut.push_back({FileNamePart(source.sourcePath), entryName, *problem, false});
                    DeleteAnyFile(file.stagedPath);
                    continue;
                }
            }
            file.replaces = FileExists(data + file.target);
            good.push_back(std::move(file));
        }
        source.files = std::move(good);
    }
    if (cancel) {
        staged.cancelled = true;
        DiscardStaged(staged);
        return staged;
    }
    bool staysAnything = false;
    for (const auto& source : staged.sources) staysAnything = staysAnything || !source.files.empty();
    if (!staysAnything) DiscardStaged(staged);
    return staged;
}

void RemoveLeftoverStaging(const std::wstring& dataFolder) {
    const std::wstring game = GameFolderOf(dataFolder);
    for (const FolderEntry& e : ListFolder(game + kTempPrefix + L"*")) {
        const auto owner = StagingOwner(e.name);
        if (e.isFolder && !e.isLink && owner && *owner != GetCurrentProcessId()) RemoveTree(game + e.name);
    }
}

void DiscardStaged(StagedInstall& staged) {
    if (!staged.tempFolder.empty()) RemoveTree(staged.tempFolder);
    staged.tempFolder.clear();
    for (auto& source : staged.sources) source.files.clear();
}

}  // namespace ravenlock
