#include "mods/mod_install.h"

// Placeholder until the installer lands: every call reports that installing is not
// available, so that the tab can be built and wired against the interface.
namespace ravenlock {

namespace {
constexpr wchar_t kNotYet[] = L"Установка модов пока недоступна.";
}

StagedInstall StageMods(const std::vector<std::wstring>& sources, const std::wstring& dataFolder,
                        const std::function<void(const StageProgress&)>&, const std::atomic<bool>&) {
    StagedInstall staged;
    staged.dataFolder = dataFolder;
    for (const auto& source : sources) staged.sources.push_back({source, {}, kNotYet});
    return staged;
}

CommitResult CommitStaged(StagedInstall&, const std::vector<std::wstring>&, const std::wstring&) {
    return {{}, kNotYet};
}

void DiscardStaged(StagedInstall&) {}

std::wstring ModRecordsFolder() { return {}; }

bool HasInstallRecord(const std::wstring&, const std::wstring&) { return false; }

RemoveResult RemoveRecordedMod(const std::wstring&, const std::wstring&, const std::wstring&) {
    return {false, {}, {}, kNotYet};
}

std::wstring RecycleFile(const std::wstring&) { return kNotYet; }

std::optional<InstallOrigin> InstallOriginOf(const std::wstring&, const std::wstring&) { return std::nullopt; }

}  // namespace ravenlock
