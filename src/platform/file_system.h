#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/app_error.h"

namespace ravenlock {

// True for an existing file (not a folder).
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Full path of the running program.
std::wstring OwnExecutablePath();
// A program of Windows by its full path, in the system folder (System32) or the Windows
// folder: never by bare name, which would search the current folder first.
std::wstring SystemProgramPath(const wchar_t* fileName);
std::wstring WindowsProgramPath(const wchar_t* fileName);
// The current user's Documents folder; "" when the system cannot say.
std::wstring DocumentsFolder();
// The current user's local application data folder (%LOCALAPPDATA%); "" likewise.
std::wstring LocalAppDataFolder();
// One entry of a folder listing.
struct FolderEntry {
    std::wstring name;
    bool isFolder;
    FILETIME lastWrite;
    // A junction, symbolic link or other reparse point: not a folder or file of its own.
    bool isLink = false;
};
// True for a path that is a reparse point (a junction or a link), whatever it points at.
bool IsReparsePoint(const std::wstring& path);
// The entries matching a pattern ("C:\\x\\*.png"), in the order the system lists them,
// hidden ones included, "." and ".." left out; none when the folder is missing. A "*.ext"
// pattern matches the long name's extension exactly, never a short name's.
std::vector<FolderEntry> ListFolder(const std::wstring& pattern);

// The system's own description of an error code (in the user's language), without the
// trailing line break.
std::wstring SystemErrorText(unsigned long code);
// Reads a whole file; AppError "Cannot open file "<path>". <reason>" when it cannot or when
// it is larger than maxBytes.
std::string ReadWholeFile(const std::wstring& path, uint64_t maxBytes = 64ull * 1024 * 1024);
// Writes a whole file without ever leaving it half-written: the bytes go to a file beside
// it, which then replaces it. AppError "Cannot create file "<path>". <reason>" on failure.
void ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

// One file of a set that changes together: its new bytes, or nothing to remove it.
struct FileChange {
    std::wstring path;
    std::optional<std::string> bytes;
};
// A set that could not be changed. `changed` names the files that are no longer as they
// were: empty unless putting them back failed too.
class FileSetError : public AppError {
public:
    FileSetError(std::wstring message, std::vector<std::wstring> changed)
        : AppError(std::move(message)), changed_(std::move(changed)) {}
    const std::vector<std::wstring>& Changed() const { return changed_; }

private:
    std::vector<std::wstring> changed_;
};
// Changes all files of the set or none: every new content is written beside its file
// first (a full disk stops it there), the old files are moved aside, the new ones moved
// in, and only then are the old ones deleted. On a failure what was done is undone and
// FileSetError says why ("Cannot create file ...").
void ChangeFilesTogether(const std::vector<FileChange>& changes);

}  // namespace ravenlock
