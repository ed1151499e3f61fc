#pragma once
// Which entries of a mod's archive (.zip, .7z, .rar) are installed into the game's Data
// folder and where, and which are refused or left out, with the reason the closing
// message gives. The rules see only the entry's name, kind and sizes: nothing of an entry
// that fails them is ever written.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravenlock {

// Past these an archive is taken for a bomb and refused whole.
inline constexpr uint64_t kMaxUnpackedBytes = 8ull * 1024 * 1024 * 1024;
inline constexpr uint64_t kMaxPackRatio = 1000;
// The longest relative path an entry may have (the whole path must stay within MAX_PATH).
inline constexpr size_t kMaxEntryPathLength = 200;

inline constexpr wchar_t kReasonNotArchive[] = L"игра не загружает файлы вне архивов .ba2";
inline constexpr wchar_t kReasonProgram[] = L"программы и библиотеки не устанавливаются";

// Why a name is unsafe to write anywhere ("..", an absolute or UNC path, a drive letter,
// ":", a reserved device name, a part ending in a dot or a space, too long, control
// characters); nothing for a safe one.
std::optional<std::wstring> UnsafeEntryName(std::wstring_view name);

enum class EntryKind { File, Folder, Link };

struct EntryPlan {
    enum Action { Install, Skip, Refuse } action = Skip;
    std::wstring target;  // for Install: the path below Data ("x.ba2", "Strings\\x.strings")
    std::wstring reason;  // for Skip and Refuse: what the closing message says
};

// What becomes of one entry: every .ba2 at any depth goes to Data (by its file name), a
// file under a "Strings" folder to Data\Strings; links and unsafe names are refused, as is
// an archive or strings file named like the game's own (SeventySix*); everything else is
// left out.
EntryPlan PlanEntry(std::wstring_view name, EntryKind kind);

// Why sizes make an entry, or the running total, a bomb; nothing when they are sane.
std::optional<std::wstring> OversizedEntry(uint64_t unpacked, uint64_t packed, uint64_t totalSoFar);

}  // namespace ravenlock
