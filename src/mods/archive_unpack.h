#pragma once
// A mod's archive (.zip, .7z, .rar) read through libarchive: first its headers only, to
// plan what goes where and to refuse unsafe names, links and bombs before anything is
// written; then its data, each installable entry into a file of the temporary folder.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mods/file_hash.h"
#include "mods/mod_install.h"

namespace ravenlock {

struct PlannedEntry {
    size_t index = 0;      // its place among the archive's entries
    std::wstring name;     // as the archive names it
    std::wstring target;   // below Data
    uint64_t declaredSize = 0;
};

struct ArchivePlan {
    std::vector<PlannedEntry> entries;
    std::vector<LeftOutEntry> leftOut;
    uint64_t totalBytes = 0;
    std::wstring error;  // the whole archive is refused or unreadable
};

// Reads the headers. `error` is set for an archive that does not read, or one whose
// sizes make it a bomb; unsafe names and links are refused entry by entry.
ArchivePlan PlanArchive(const std::wstring& path, const std::atomic<bool>& cancel);

// Called with each entry's name as it starts and with the bytes written since the last call.
using UnpackProgress = std::function<void(const std::wstring& entry, uint64_t moreBytes)>;

// Writes the planned entries, each into a new file that `stagedPathOf` names, and
// returns them (target, staged path, size, SHA-256). Raises AppError with the user's
// message when the archive breaks, a size limit is passed while unpacking or a write
// fails; the caller removes what was written. Returns early when `cancel` is set.
std::vector<StagedFile> UnpackArchive(const std::wstring& path, const ArchivePlan& plan,
                                      const std::function<std::wstring()>& stagedPathOf,
                                      const UnpackProgress& progress, const std::atomic<bool>& cancel);

// Why a .ba2 file does not read as an archive (header and name table, with our reader);
// nothing when it does.
std::optional<std::wstring> Ba2FileProblem(const std::wstring& path);

}  // namespace ravenlock

namespace ravenlock {

// A file of the temporary folder being written: created new (never over anything), its
// SHA-256 taken on the way. AppError with the user's message when it cannot be created or
// written (a full disk); the file is deleted unless Finish was reached.
class StagingFile {
public:
    explicit StagingFile(std::wstring path);
    ~StagingFile();
    StagingFile(const StagingFile&) = delete;
    StagingFile& operator=(const StagingFile&) = delete;
    void Write(const void* bytes, size_t size);
    StagedFile Finish(const std::wstring& target);  // closes the file: it waits for `target`
    uint64_t Size() const { return size_; }

private:
    std::wstring path_;
    void* handle_;
    uint64_t size_ = 0;
    Sha256 hash_;
};

}  // namespace ravenlock
