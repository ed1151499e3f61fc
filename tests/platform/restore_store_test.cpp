// Restore points on a real disk: thinning that stays within what the points hold.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "gameconfig/game_files.h"
#include "gameconfig/restore_point_store.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/game_edition.h"
#include "test_support.h"

namespace ravenlock {
namespace {

// Steam's files, the edition in force unless a test says otherwise.
const auto kGameIniFiles = GameEdition{}.IniNames();
const std::wstring kFallout76Ini = kGameIniFiles[0];

using testing_support::TempDir;

std::optional<std::string> Bytes(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A junction at `link` to the folder `target`, as `mklink /J` makes one.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
    HANDLE h = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const std::wstring substitute = L"\\??\\" + target;
    // The mount point reparse buffer: tag, sizes, then both names with their terminators.
    const size_t names = (substitute.size() + 1 + target.size() + 1) * sizeof(wchar_t);
    std::vector<BYTE> buffer(8 + 8 + names);
    auto u16 = [&](size_t at, size_t value) { *reinterpret_cast<WORD*>(&buffer[at]) = static_cast<WORD>(value); };
    *reinterpret_cast<DWORD*>(&buffer[0]) = IO_REPARSE_TAG_MOUNT_POINT;
    u16(4, 8 + names);
    u16(8, 0);
    u16(10, substitute.size() * sizeof(wchar_t));
    u16(12, (substitute.size() + 1) * sizeof(wchar_t));
    u16(14, target.size() * sizeof(wchar_t));
    memcpy(&buffer[16], substitute.c_str(), (substitute.size() + 1) * sizeof(wchar_t));
    memcpy(&buffer[16 + (substitute.size() + 1) * sizeof(wchar_t)], target.c_str(),
           (target.size() + 1) * sizeof(wchar_t));
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    nullptr, 0, &returned, nullptr);
    CloseHandle(h);
    return ok && (GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A scratch profile folder with the three game files and a store beside it.
struct Scratch {
    TempDir dir;
    std::wstring profile = dir.Path() + L"profile";
    std::wstring root = dir.Path() + L"points";
    RestorePointStore store{root};
    Scratch() {
        CreateDirectoryW(profile.c_str(), nullptr);
        for (const auto& name : kGameIniFiles) Write(profile + L"\\" + name, "[General]\r\n");
    }
    // A point of a state of its own: Fallout76.ini differs each time.
    void MakePoint(int n) {
        Write(profile + L"\\" + kFallout76Ini, "[General]\r\nsStep=" + std::to_string(n) + "\r\n");
        store.MakeBefore(profile, L"Сохранить изменения");
    }
};

TEST(RestorePointStore, ThinningNeverReachesThroughJunctionsNorTakesWhatTheUserPutInAPoint) {
    Scratch s;
    ASSERT_TRUE(CreateDirectoryW(s.root.substr(0, s.root.rfind(L'\\')).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CreateDirectoryW(s.root.c_str(), nullptr));
    // A folder elsewhere, reached through a junction named like an old point.
    const std::wstring elsewhere = s.dir.Path() + L"elsewhere";
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    Write(elsewhere + L"\\" + kFallout76Ini, "elsewhere's ini");
    Write(elsewhere + L"\\letter.txt", "elsewhere's letter");
    const std::wstring junction = s.root + L"\\2000-01-01 00-00-00";
    const bool haveJunction = MakeJunction(junction, elsewhere);
    // A real folder under an old point's name that the user filled.
    const std::wstring users = s.root + L"\\2000-01-02 00-00-00";
    ASSERT_TRUE(CreateDirectoryW(users.c_str(), nullptr));
    Write(users + L"\\" + kFallout76Ini, "an old copy");
    Write(users + L"\\" + L"action.txt", "Сохранить изменения");
    Write(users + L"\\mine.txt", "the user's own");

    for (int i = 0; i < 31; ++i) ASSERT_NO_THROW(s.MakePoint(i)) << i;

    EXPECT_EQ(Bytes(elsewhere + L"\\" + kFallout76Ini), "elsewhere's ini");
    EXPECT_EQ(Bytes(elsewhere + L"\\letter.txt"), "elsewhere's letter");
    if (haveJunction) {
        EXPECT_NE(GetFileAttributesW(junction.c_str()), INVALID_FILE_ATTRIBUTES) << "the junction was removed";
        RemoveDirectoryW(junction.c_str());
    } else {
        // Wine 8 makes no reparse points; there the folder the user filled shows the rule.
        std::cout << "[   NOTE   ] no junction could be made here: only the user's folder was tried\n";
    }
    // The point's own files went; the user's file and so the folder stay.
    EXPECT_EQ(Bytes(users + L"\\mine.txt"), "the user's own");
    EXPECT_FALSE(Bytes(users + L"\\" + kFallout76Ini));
    EXPECT_FALSE(Bytes(users + L"\\action.txt"));
    // Thirty of ours are kept, the newest first.
    size_t ours = 0;
    for (const StoredPoint& p : s.store.Points()) ours += p.folder != users;
    EXPECT_EQ(ours, 30u);
}

TEST(RestorePointStore, APutBackThatFailsHalfWayLeavesAllThreeFilesAsTheyWere) {
    const PointFiles point = {std::string("new 0"), std::string("new 1"), std::nullopt};
    const struct {
        const char* what;
        bool blockSecondsNewContent;  // else the third file is held open by another program
    } cases[] = {{"a read-only file where the second's new content goes", true},
                 {"the third file held open without leave to delete it", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        for (size_t i = 0; i < kGameIniFiles.size(); ++i)
            Write(s.profile + L"\\" + kGameIniFiles[i], "old " + std::to_string(i));
        const std::wstring blocker = s.profile + L"\\" + kGameIniFiles[1] + L".ravenlock-new";
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.blockSecondsNewContent) {
            Write(blocker, "in the way");
            SetFileAttributesW(blocker.c_str(), FILE_ATTRIBUTE_READONLY);
        } else {
            held = CreateFileW((s.profile + L"\\" + kGameIniFiles[2]).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        try {
            WriteBackPointFiles(point, s.profile);
            ADD_FAILURE() << "no error";
        } catch (const FileSetError& e) {
            EXPECT_TRUE(e.Changed().empty()) << "files left changed";
        }
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        for (size_t i = 0; i < kGameIniFiles.size(); ++i) {
            const std::wstring path = s.profile + L"\\" + kGameIniFiles[i];
            EXPECT_EQ(Bytes(path), "old " + std::to_string(i)) << i;
            EXPECT_FALSE(Bytes(path + L".ravenlock-old")) << i;
            if (path + L".ravenlock-new" != blocker) {
                EXPECT_FALSE(Bytes(path + L".ravenlock-new")) << i;
            }
        }
        SetFileAttributesW(blocker.c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // Nothing in the way: two files get the point's bytes, the one it lacks goes.
    Scratch s;
    WriteBackPointFiles(point, s.profile);
    EXPECT_EQ(Bytes(s.profile + L"\\" + kGameIniFiles[0]), "new 0");
    EXPECT_EQ(Bytes(s.profile + L"\\" + kGameIniFiles[1]), "new 1");
    EXPECT_FALSE(Bytes(s.profile + L"\\" + kGameIniFiles[2]));
}

TEST(RestorePointStore, APointLackingAListedCopyOrHoldingAFolderPutsNothingBack) {
    const struct {
        const char* what;
        void (*spoil)(const std::wstring& point);
    } cases[] = {
        {"a listed copy missing", [](const std::wstring& p) { DeleteFileW((p + L"\\" + kGameIniFiles[1]).c_str()); }},
        {"a copy that is a folder",
         [](const std::wstring& p) {
             DeleteFileW((p + L"\\" + kGameIniFiles[0]).c_str());
             CreateDirectoryW((p + L"\\" + kGameIniFiles[0]).c_str(), nullptr);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        s.MakePoint(1);
        const StoredPoint point = s.store.Points().front();
        c.spoil(point.folder);
        EXPECT_THROW(s.store.FilesOf(point), AppError);
    }

    // A file that did not exist when the point was made is the one a restore removes.
    Scratch s;
    DeleteFileW((s.profile + L"\\" + kGameIniFiles[2]).c_str());
    s.MakePoint(1);
    const StoredPoint point = s.store.Points().front();
    PointFiles files = s.store.FilesOf(point);
    EXPECT_TRUE(files[0] && files[1]);
    EXPECT_FALSE(files[2]);
    // A point of an earlier version, without the list: a missing copy is a file that was not.
    ASSERT_TRUE(DeleteFileW((point.folder + L"\\files.txt").c_str()));
    ASSERT_TRUE(DeleteFileW((point.folder + L"\\" + kGameIniFiles[1]).c_str()));
    ASSERT_NO_THROW(files = s.store.FilesOf(point));
    EXPECT_TRUE(files[0]);
    EXPECT_FALSE(files[1]);
}

}  // namespace
}  // namespace ravenlock
