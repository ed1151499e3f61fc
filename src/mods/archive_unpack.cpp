#include "mods/archive_unpack.h"

#include <archive.h>
#include <archive_entry.h>
#include <windows.h>

#include <memory>
#include <unordered_set>

#include "mods/archive_file.h"
#include "mods/ba2_reader.h"
#include "mods/install_rules.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace ravenlock {

namespace {

// libarchive reads the file in blocks of this size; the packed bytes of an entry are
// counted generously by one block, so that read-ahead never makes a small entry look
// like a bomb.
constexpr size_t kReadBlock = 64 * 1024;
constexpr size_t kWriteChunk = 1024 * 1024;

using ArchivePtr = std::unique_ptr<archive, decltype(&archive_read_free)>;

std::wstring ErrorDetail(archive* a) {
    const char* text = archive_error_string(a);
    if (!text || !*text) return L"";
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    while (!wide.empty() && (wide.back() == L'\0' || wide.back() == L'.')) wide.pop_back();
    return wide;
}

std::wstring Unreadable(archive* a) {
    const std::wstring detail = ErrorDetail(a);
    return L"Архив не читается: он повреждён, обрезан или это не архив" + (detail.empty() ? L"" : L" (" + detail + L")") +
           L".";
}

ArchivePtr OpenArchive(const std::wstring& path) {
    ArchivePtr a(archive_read_new(), archive_read_free);
    if (!a) throw AppError(L"Недостаточно памяти для чтения архива.");
    archive_read_support_format_zip(a.get());
    archive_read_support_format_7zip(a.get());
    archive_read_support_format_rar(a.get());
    archive_read_support_format_rar5(a.get());
    if (archive_read_open_filename_w(a.get(), path.c_str(), kReadBlock) != ARCHIVE_OK) throw AppError(Unreadable(a.get()));
    return a;
}

std::wstring EntryName(archive_entry* entry) {
    if (const wchar_t* wide = archive_entry_pathname_w(entry)) return wide;
    return L"";
}

EntryKind KindOf(archive_entry* entry) {
    if (archive_entry_hardlink(entry) || archive_entry_hardlink_w(entry)) return EntryKind::Link;
    switch (archive_entry_filetype(entry)) {
        case AE_IFREG: return EntryKind::File;
        case AE_IFDIR: return EntryKind::Folder;
        default: return EntryKind::Link;  // symbolic links, devices, sockets: nothing to install
    }
}

// Next header: true for an entry, false at the end; AppError for a broken archive.
bool NextHeader(archive* a, archive_entry** entry) {
    const int r = archive_read_next_header(a, entry);
    if (r == ARCHIVE_EOF) return false;
    if (r == ARCHIVE_OK || r == ARCHIVE_WARN) return true;
    throw AppError(Unreadable(a));
}

}  // namespace

StagingFile::StagingFile(std::wstring path) : path_(std::move(path)) {
    handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        throw AppError(L"Не удалось создать временный файл \"" + path_ + L"\". " + SystemErrorText(GetLastError()));
}

StagingFile::~StagingFile() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        DeleteFileW(path_.c_str());
    }
}

void StagingFile::Write(const void* bytes, size_t size) {
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const DWORD piece = size > kWriteChunk ? static_cast<DWORD>(kWriteChunk) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle_, at, piece, &written, nullptr) || written != piece)
            throw AppError(L"Не удалось записать временный файл \"" + path_ + L"\". " + SystemErrorText(GetLastError()));
        hash_.Add(at, piece);
        at += piece;
        size -= piece;
        size_ += piece;
    }
}

StagedFile StagingFile::Finish(const std::wstring& target) {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    if (!closed) {
        DeleteFileW(path_.c_str());
        throw AppError(L"Не удалось записать временный файл \"" + path_ + L"\". " + SystemErrorText(GetLastError()));
    }
    StagedFile done;
    done.target = target;
    done.stagedPath = path_;
    done.size = size_;
    done.sha256 = hash_.HexDigest();
    return done;
}

ArchivePlan PlanArchive(const std::wstring& path, const std::atomic<bool>& cancel) {
    ArchivePlan plan;
    const std::wstring source = FileNamePart(path);
    try {
        ArchivePtr a = OpenArchive(path);
        archive_entry* entry = nullptr;
        std::unordered_set<std::wstring> targets;
        for (size_t index = 0; NextHeader(a.get(), &entry); ++index) {
            if (cancel) return plan;
            std::wstring name = EntryName(entry);
            if (name.empty()) {
                plan.leftOut.push_back({source, L"(имя не читается)", L"имя файла в архиве не читается", true});
                continue;
            }
            const EntryPlan what = PlanEntry(name, KindOf(entry));
            if (what.action == EntryPlan::Refuse) {
                plan.leftOut.push_back({source, name, what.reason, true});
                continue;
            }
            if (what.action == EntryPlan::Skip) {
                if (!what.reason.empty()) plan.leftOut.push_back({source, name, what.reason, false});
                continue;
            }
            if (archive_entry_is_encrypted(entry)) {
                plan.leftOut.push_back({source, name, L"файл зашифрован", false});
                continue;
            }
            if (!targets.insert(ArchivePathKey(what.target)).second) {
                plan.leftOut.push_back({source, name, L"файл с таким именем в этом архиве уже есть", false});
                continue;
            }
            const uint64_t size =
                archive_entry_size_is_set(entry) ? static_cast<uint64_t>(std::max<la_int64_t>(archive_entry_size(entry), 0)) : 0;
            // The packed size is measured while unpacking; here the sizes the archive claims.
            if (const auto bomb = OversizedEntry(size, size, plan.totalBytes)) {
                plan.error = L"Архив отклонён: " + *bomb + L" (" + name + L").";
                plan.entries.clear();
                plan.leftOut.clear();  // the whole archive is refused: its entries are not the news
                return plan;
            }
            plan.totalBytes += size;
            plan.entries.push_back({index, std::move(name), what.target, size});
        }
    } catch (const AppError& e) {
        plan.error = e.Message();
        plan.entries.clear();
        plan.leftOut.clear();
    }
    return plan;
}

std::vector<StagedFile> UnpackArchive(const std::wstring& path, const ArchivePlan& plan,
                                      const std::function<std::wstring()>& stagedPathOf,
                                      const UnpackProgress& progress, const std::atomic<bool>& cancel) {
    std::vector<StagedFile> staged;
    if (plan.entries.empty()) return staged;
    ArchivePtr a = OpenArchive(path);
    archive_entry* entry = nullptr;
    std::string buffer(kWriteChunk, '\0');
    uint64_t total = 0;
    size_t next = 0;
    for (size_t index = 0; next < plan.entries.size() && NextHeader(a.get(), &entry); ++index) {
        if (cancel) return staged;
        const PlannedEntry& planned = plan.entries[next];
        if (planned.index != index) continue;
        ++next;
        // The archive must name the same entry it named when planned.
        if (EntryName(entry) != planned.name) throw AppError(L"Архив изменился во время чтения.");
        progress(planned.name, 0);
        StagingFile file(stagedPathOf());
        const la_int64_t packedAtStart = archive_filter_bytes(a.get(), -1);
        for (;;) {
            if (cancel) return staged;
            const la_ssize_t got = archive_read_data(a.get(), buffer.data(), buffer.size());
            if (got < 0) throw AppError(Unreadable(a.get()));
            if (got == 0) break;
            file.Write(buffer.data(), static_cast<size_t>(got));
            const uint64_t packed = static_cast<uint64_t>(archive_filter_bytes(a.get(), -1) - packedAtStart) + kReadBlock;
            if (const auto bomb = OversizedEntry(file.Size(), packed, total))
                throw AppError(L"Архив отклонён: " + *bomb + L" (" + planned.name + L").");
            progress(planned.name, static_cast<uint64_t>(got));
        }
        total += file.Size();
        staged.push_back(file.Finish(planned.target));
    }
    return staged;
}

std::optional<std::wstring> Ba2FileProblem(const std::wstring& path) {
    const ArchiveFacts facts = ReadArchiveFacts(path);
    if (!facts.openError.empty()) return L"не открывается: " + facts.openError;
    if (!facts.header) return std::wstring(L"не читается как архив .ba2");
    return std::nullopt;
}

}  // namespace ravenlock
