#include <windows.h>

#include "mods/archive_file.h"

#include <string>

#include "platform/file_handle.h"
#include "platform/file_system.h"

namespace ravenlock {

namespace {

// Up to `count` bytes at `offset`; fewer when the file ends or the read fails.
std::string ReadAt(HANDLE file, uint64_t offset, uint64_t count) {
    std::string bytes;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return bytes;
    bytes.resize(static_cast<size_t>(count));
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD chunk = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 20));
        if (!ReadFile(file, bytes.data() + got, want, &chunk, nullptr) || chunk == 0) break;
        got += chunk;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

std::wstring LocalTimeText(const FILETIME& time) {
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &t)) return L"";
    wchar_t text[32];
    swprintf(text, 32, L"%02u.%02u.%04u %02u:%02u", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute);
    return text;
}

ArchiveFacts ReadArchiveFacts(const std::wstring& path) {
    ArchiveFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        facts.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        facts.date = LocalTimeText(data.ftLastWriteTime);
    }
    // The game may hold its archives open while it runs: share everything.
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) {
        facts.openError = SystemErrorText(GetLastError());
        return facts;
    }
    const auto fileSize = static_cast<uint64_t>(size.QuadPart);
    facts.size = fileSize;
    facts.header = ReadBa2Header(ReadAt(file.Get(), 0, kBa2MaxHeaderBytes), fileSize);
    if (!facts.header) return facts;
    const uint64_t tableBytes = Ba2NameTableBytes(*facts.header, fileSize);
    if (tableBytes == 0) return facts;
    // A table that does not hold the names its header counts makes no archive the game can read.
    const std::string table = ReadAt(file.Get(), facts.header->nameTableOffset, tableBytes);
    if (auto names = ReadBa2Names(table, facts.header->fileCount)) facts.names = std::move(*names);
    else facts.header.reset();
    return facts;
}

}  // namespace ravenlock
