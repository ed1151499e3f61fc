// The Xbox app's .GamingRoot at a drive's root: every folder read from it stays on that
// drive, and a file read twice gives the same folders.
#include <string>

#include "fuzz_check.h"
#include "platform/store_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::wstring> folders = ParseGamingRoot(bytes);
    FUZZ_CHECK(folders.size() <= kGamingRootMaxFolders);
    FUZZ_CHECK(size >= 8 || folders.empty());
    for (const std::wstring& folder : folders) {
        FUZZ_CHECK(!folder.empty());
        FUZZ_CHECK(folder.find(L':') == std::wstring::npos);
        FUZZ_CHECK(folder.front() != L'\\' && folder.front() != L'/');
        // No part of it climbs: none ends in a dot (which covers "." and "..").
        size_t start = 0;
        while (start <= folder.size()) {
            size_t end = folder.find_first_of(L"\\/", start);
            if (end == std::wstring::npos) end = folder.size();
            FUZZ_CHECK(end == start || folder[end - 1] != L'.');
            start = end + 1;
        }
        // Each folder is followed by its NUL inside the file: never longer than the file.
        FUZZ_CHECK(folder.size() * 2 + 2 <= size);
    }
    FUZZ_CHECK(ParseGamingRoot(bytes) == folders);
    return 0;
}
