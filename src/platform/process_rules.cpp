#include "platform/process_rules.h"

#include "platform/paths.h"

namespace ravenlock {

std::wstring ProcessFileName(std::wstring_view nameOrPath) { return FileNamePart(nameOrPath); }

bool ProcessNameMatches(std::wstring_view wanted, std::wstring_view snapshotName) {
    return SameTextAscii(wanted, snapshotName);
}

uint64_t WorkingSetToMiB(uint64_t bytes) { return bytes / (1024u * 1024u); }

std::wstring FormatFileVersion(uint32_t ms, uint32_t ls) {
    return std::to_wstring(ms >> 16) + L"." + std::to_wstring(ms & 0xFFFF) + L"." +
           std::to_wstring(ls >> 16) + L"." + std::to_wstring(ls & 0xFFFF);
}

}  // namespace ravenlock
