// The install planner's rules over any entry name: what it installs lands in Data or
// Data\Strings by a plain file name, never outside, never as the game's own archive.
#include <string>

#include "fuzz_check.h"
#include "mods/install_rules.h"
#include "mods/mod_lists.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const std::wstring name = Utf8ToWide(AsText(data, size));
    for (EntryKind kind : {EntryKind::File, EntryKind::Folder, EntryKind::Link}) {
        const EntryPlan plan = PlanEntry(name, kind);
        if (kind == EntryKind::Link) FUZZ_CHECK(plan.action == EntryPlan::Refuse);
        if (plan.action != EntryPlan::Install) {
            FUZZ_CHECK(plan.target.empty());
            continue;
        }
        FUZZ_CHECK(kind == EntryKind::File && !UnsafeEntryName(name));
        std::wstring file = plan.target;
        if (file.rfind(L"Strings\\", 0) == 0) file.erase(0, 8);
        FUZZ_CHECK(!file.empty() && file.find_first_of(L"\\/:") == std::wstring::npos);
        FUZZ_CHECK(file != L"." && file != L"..");
        FUZZ_CHECK(!UnsafeEntryName(plan.target));
        FUZZ_CHECK(!IsGameArchive(file));
    }
    return 0;
}
