#pragma once
// Finding a Microsoft Store (PC Game Pass) install of the game on this machine, and the
// two facts its package manifest gives: the application id to start and the version.
#include <optional>
#include <string>

namespace ravenlock {

// The install folder (with a trailing separator), from the GamingServices record or, since
// newer Xbox apps write none, from each fixed drive's .GamingRoot; nothing when neither
// leads to a folder that holds the game.
std::optional<std::wstring> FindStoreInstall();

// A folder counts as the game's only when it holds Data\SeventySix.esm or the executable.
bool HoldsStoreGame(const std::wstring& folder);

struct StoreManifest {
    std::wstring appId;    // Package/Applications/Application/@Id; "" when unreadable
    std::wstring version;  // Package/Identity/@Version; "" when unreadable
};
// Reads <folder>appxmanifest.xml with the system's XML reader (no DTD, nothing fetched);
// a missing, oversized or broken manifest, or values of an unexpected shape, read as "".
StoreManifest ReadStoreManifest(const std::wstring& folder);

}  // namespace ravenlock
