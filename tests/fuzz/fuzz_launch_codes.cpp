// The launch-code page with its start position: the first four bytes are the position,
// the rest the page. A code is at most eight characters, cut from the page as they stand.
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "online/launch_codes.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    uint32_t start = 0;
    if (size >= sizeof(start)) {
        std::memcpy(&start, data, sizeof(start));
        data += sizeof(start), size -= sizeof(start);
    }
    const std::wstring page = Utf8ToWide(AsText(data, size));
    for (const std::wstring marker : {kLaunchCodesMarkerA, kLaunchCodesMarkerB}) {
        const std::wstring code = CutLaunchCode(page, marker, start);
        FUZZ_CHECK(code.size() <= 8);
        if (!code.empty()) FUZZ_CHECK(page.find(code) != std::wstring::npos);
        // A page without the marker from start on gives the characters at position 36.
        const size_t from = start > 0 ? start - 1 : 0;
        if (from > page.size() || page.find(marker, from) == std::wstring::npos)
            FUZZ_CHECK(code == (page.size() > 35 ? page.substr(35, 8) : L""));
    }
    for (const auto& [silo, code] : LaunchCodeRows(page)) FUZZ_CHECK(code.size() <= 13 && !silo.empty());
    return 0;
}
