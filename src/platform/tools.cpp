#include "platform/tools.h"

#include <windows.h>
#include <ntsecapi.h>
#include <sddl.h>
#include <aclapi.h>

#include <vector>

#include "platform/embedded.h"
#include "platform/file_system.h"
#include "platform/late_libraries.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/sound_rules.h"

namespace ravenlock {

namespace {

// The tool runs with administrator rights, so where it runs from must be out of reach:
// a folder of its own under %TEMP%, with a random name and only our user (and the
// system) allowed in, chosen anew once a copy has been removed.
struct ToolFolder {
    std::wstring path;
    bool created = false;
};

ToolFolder& CurrentFolder() {
    static ToolFolder folder;
    return folder;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder(temp, n <= MAX_PATH ? n : 0);
    std::vector<wchar_t> longer(32768);
    const DWORD m = GetLongPathNameW(folder.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    if (m > 0 && m < longer.size()) folder.assign(longer.data(), m);
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::wstring RandomFolderName() {
    unsigned char bytes[16] = {};
    RtlGenRandom(bytes, sizeof(bytes));
    std::wstring name = kToolFolderPrefix;
    for (unsigned char b : bytes) {
        static constexpr wchar_t kHex[] = L"0123456789abcdef";
        name += kHex[b >> 4];
        name += kHex[b & 15];
    }
    return name;
}

// Our user's SID, in a buffer holding its TOKEN_USER; empty when the system cannot say.
std::vector<unsigned char> TokenUserOfOurs() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    std::vector<unsigned char> buffer(256);
    DWORD size = 0;
    const bool got = GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
    CloseHandle(token);
    if (!got) return {};
    return buffer;
}

PSID UserSid(std::vector<unsigned char>& tokenUser) { return reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid; }

// Creates the folder with a protected DACL that grants our user and SYSTEM, nobody else.
bool CreatePrivateFolder(const std::wstring& path) {
    std::vector<unsigned char> user = TokenUserOfOurs();
    if (user.empty()) return false;
    wchar_t* sid = nullptr;
    if (!ConvertSidToStringSidW(UserSid(user), &sid)) return false;
    const std::wstring sddl = L"D:P(A;OICI;FA;;;" + std::wstring(sid) + L")(A;OICI;FA;;;SY)";
    LocalFree(sid);
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr))
        return false;
    const bool made = CreateDirectoryW(path.c_str(), &attributes);
    LocalFree(attributes.lpSecurityDescriptor);
    return made;
}

// The folder for the next copy, made now if it is not there yet; "" when it cannot be.
std::wstring EnsureToolFolder() {
    ToolFolder& folder = CurrentFolder();
    if (folder.created && DirectoryExists(folder.path)) return folder.path;
    // A folder of that name that we did not make (or made and lost) is never used.
    for (int attempt = 0; attempt < 3; ++attempt) {
        folder.path = TempFolder() + L"\\" + RandomFolderName();
        folder.created = CreatePrivateFolder(folder.path);
        if (folder.created) return folder.path;
    }
    return L"";
}

}  // namespace

std::wstring TempToolPath() {
    ToolFolder& folder = CurrentFolder();
    if (folder.path.empty()) folder.path = TempFolder() + L"\\" + RandomFolderName();
    return folder.path + L"\\RAMMap.exe";
}

void RunRamMapTool(const std::wstring& resourceName, const std::wstring& parameters, bool interactive,
                   HMODULE module) {
    if (EnsureToolFolder().empty()) return;
    const std::wstring path = TempToolPath();
    if (!ExtractResourceToFile(resourceName, path, module)) return;
    // Nobody may change the copy between its writing and the start: a handle that
    // shares reading only is held until the tool runs.
    HANDLE hold = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hold == INVALID_HANDLE_VALUE) return;
    RunProgramWithParams(path, interactive ? L"" : parameters);
    CloseHandle(hold);
}

bool RemoveTempToolCopy() {
    // No pause here, on the UI thread: a copy the ended tool still holds fails to go, and
    // the next tick a second later tries again.
    if (ProcessExists(L"RAMMap.exe")) return false;
    ToolFolder& folder = CurrentFolder();
    const std::wstring path = TempToolPath();
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
        return false;
    if (folder.created && !RemoveDirectoryW(folder.path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    folder = {};  // the next copy goes to a new folder
    return true;
}

namespace {
bool OwnedByUs(const std::wstring& path, std::vector<unsigned char>& user) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const bool ours = owner && EqualSid(owner, UserSid(user));
    LocalFree(descriptor);
    return ours;
}
}  // namespace

void RemoveLeftoverToolFolders() {
    std::vector<unsigned char> user = TokenUserOfOurs();
    if (user.empty()) return;
    const std::wstring temp = TempFolder();
    for (const FolderEntry& e : ListFolder(temp + L"\\" + kToolFolderPrefix + L"*")) {
        const std::wstring folder = temp + L"\\" + e.name;
        if (!e.isFolder || e.isLink || !IsToolFolderName(e.name) || folder == CurrentFolder().path) continue;
        if (!OwnedByUs(folder, user)) continue;
        // Only the copy, or nothing at all: a folder holding anything else is not ours to empty.
        const std::vector<FolderEntry> inside = ListFolder(folder + L"\\*");
        if (inside.size() > 1) continue;
        if (inside.size() == 1) {
            if (inside[0].isFolder || inside[0].isLink || !SameTextAscii(inside[0].name, L"RAMMap.exe")) continue;
            const std::wstring copy = folder + L"\\" + inside[0].name;
            SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(copy.c_str())) continue;  // a tool of another run of ours still runs from it
        }
        RemoveDirectoryW(folder.c_str());
    }
}

void PlayNotificationSound(const std::wstring& name) {
    std::wstring sound = name;
    if (sound.empty()) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        sound = WeekdaySoundName(IsoWeekday(now.wDayOfWeek));
    }
    late::WinMm(L"звуковые оповещения").PlaySoundW(sound.c_str(), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}

}  // namespace ravenlock
