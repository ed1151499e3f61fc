#pragma once
// Installing and removing mods, without any user interface: a mod's sources (.ba2, .zip,
// .7z, .rar) are unpacked into a temporary folder on the same drive as Data, then moved
// in with a record of every file written; a mod we installed is taken out again by that
// record, one we did not goes to the Recycle Bin.
//
// The Mods tab drives it in three steps:
//   1. StageMods on a worker thread, with progress and a cancel flag;
//   2. on the UI thread, the user is asked "Заменить <name>?" for each staged file whose
//      target already exists (StagedFile::replaces), and the ones refused are left out;
//   3. CommitStaged (UI thread, quick: moves within one drive), or DiscardStaged on
//      cancel. Either way nothing is left in the temporary folder.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ravenlock {

// An entry of a source that was not installed, and why ("игра не загружает файлы вне
// архивов .ba2", "программы и библиотеки не устанавливаются", an unsafe name...).
struct LeftOutEntry {
    std::wstring source;  // the source file's name
    std::wstring entry;   // the entry's path inside it ("" for the source itself)
    std::wstring reason;
    bool refused = false;  // unsafe, a link or a bomb, rather than merely not installable
};

struct StagedFile {
    std::wstring target;      // relative to Data: "x.ba2", "Strings\\x_en.strings"
    std::wstring stagedPath;  // where it waits in the temporary folder
    uint64_t size = 0;
    bool replaces = false;  // a file of that name is already in Data
    std::string sha256;     // taken while it was written, for the install record
};

// One source, staged.
struct StagedSource {
    std::wstring sourcePath;
    std::vector<StagedFile> files;
    std::wstring error;  // the whole source failed (unreadable, corrupt, a bomb, no room): nothing of it is staged
};

struct StagedInstall {
    std::wstring dataFolder;
    std::wstring tempFolder;  // on Data's drive; removed by CommitStaged and DiscardStaged
    std::vector<StagedSource> sources;
    std::vector<LeftOutEntry> leftOut;
    bool cancelled = false;
};

struct StageProgress {
    uint64_t doneBytes = 0, totalBytes = 0;
    std::wstring currentFile;  // the entry being written
};

// Worker thread. Reads each source: a .ba2 must read as an archive; .zip, .7z and .rar
// through libarchive with the install rules. Checks the free space on Data's drive
// before writing. On cancel it stops, removes what it wrote and sets `cancelled`.
StagedInstall StageMods(const std::vector<std::wstring>& sources, const std::wstring& dataFolder,
                        const std::function<void(const StageProgress&)>& progress, const std::atomic<bool>& cancel);

// What an install put into Data.
struct CommitResult {
    std::vector<std::wstring> newArchives;  // .ba2 names now in Data, for the end of the main list
    std::wstring error;                     // a move failed: everything moved was taken out again
};

// UI thread. Moves the staged files of every source without an error into Data, except
// the targets in `skip` (replacements the user declined). A replaced file is kept with the
// install record under recordsRoot (%LOCALAPPDATA%\Fallout76Ravenlock\Mods), one record
// per source: <install id>\mod.json. Removes the temporary folder.
CommitResult CommitStaged(StagedInstall& staged, const std::vector<std::wstring>& skip, const std::wstring& recordsRoot);
// Removes the temporary folder and all in it.
void DiscardStaged(StagedInstall& staged);
// Removes the temporary folders that an install of an earlier run left beside Data (the
// program ended or crashed while it unpacked): only folders of exactly our name's shape,
// never a link, never one of this process. Call it when no install of ours runs.
void RemoveLeftoverStaging(const std::wstring& dataFolder);

// The records folder in the user's profile.
std::wstring ModRecordsFolder();

struct RemoveResult {
    bool recorded = false;                  // it was ours: removed by its record
    std::vector<std::wstring> changedLeft;  // files whose hash no longer matched, left in place
    std::vector<std::wstring> restored;     // replaced files put back
    std::wstring error;                     // nothing or not all could be removed
};

// Whether Data's archive was installed by us (a record names it).
bool HasInstallRecord(const std::wstring& recordsRoot, const std::wstring& archiveName);
// UI thread. Removes a recorded mod: exactly the files of its record whose hash still
// matches, then puts back the files it replaced and drops the record. The caller takes the
// archive names out of the lists.
RemoveResult RemoveRecordedMod(const std::wstring& recordsRoot, const std::wstring& gameFolder,
                               const std::wstring& archiveName);
// Moves one file to the Recycle Bin, never a permanent delete; "" or the reason it failed.
std::wstring RecycleFile(const std::wstring& path);

// What the install record says of an archive, for the details box: the source's file name
// and the install time as the user's local time ("2026-12-11 10:30").
struct InstallOrigin {
    std::wstring sourceName, installedAt;
};
std::optional<InstallOrigin> InstallOriginOf(const std::wstring& recordsRoot, const std::wstring& archiveName);

}  // namespace ravenlock
