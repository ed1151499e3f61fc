#pragma once
// What the program reads about a Microsoft Store install of the game, as plain rules:
// the Xbox app's .GamingRoot file at a drive's root and the package names in the
// GamingServices record. Both come from outside, so both are read with bounds.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ravenlock {

// A .GamingRoot larger than this is not read at all.
inline constexpr size_t kGamingRootMaxBytes = 64 * 1024;
// More library folders than this on one drive is not a file the Xbox app wrote.
inline constexpr unsigned kGamingRootMaxFolders = 64;

// The library folders a .GamingRoot names, relative to its drive and without a leading
// separator: "RGBX", a little-endian u32 count, then that many NUL-terminated UTF-16LE
// paths. A file that is too large, of another magic, with a count over the cap or more
// than it holds, or with a path that leaves the drive (a drive letter, "..", ":",
// control characters) gives no folder at all.
std::vector<std::wstring> ParseGamingRoot(std::string_view bytes);

// Whether a package full name (Name_Version_Arch_Resource_PublisherId) belongs to the
// game's package family.
bool IsGamePackageName(std::wstring_view package);

// A folder from the GamingServices record without the "\\?\" prefix it may carry, with a
// trailing separator; "" for one that is not an absolute local path.
std::wstring StoreRootFolder(std::wstring root);

}  // namespace ravenlock
