// The memory tool's switches: a NUL-separated list of arguments. It acts only when every
// argument is a switch it knows, once per switch, in order; anything else stops it whole.
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "memtool_rules.h"
#include "platform/text.h"

namespace {

std::optional<memtool::Action> Expected(const std::wstring& arg) {
    if (arg.size() != 3 || (arg[0] != L'-' && arg[0] != L'/') || (arg[1] != L'e' && arg[1] != L'E')) return {};
    if (arg[2] == L't' || arg[2] == L'T') return memtool::Action::PurgeStandby;
    if (arg[2] == L'w' || arg[2] == L'W') return memtool::Action::EmptyWorkingSets;
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = ravenlock::Utf8ToWide(AsText(data, size));
    std::vector<std::wstring> args;
    for (size_t start = 0;;) {
        const size_t end = text.find(L'\0', start);
        args.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    const auto switches = memtool::ParseSwitches(args);
    std::vector<memtool::Action> expected;
    std::optional<std::wstring> unknown;
    for (const auto& arg : args) {
        const auto action = Expected(arg);
        if (!action) {
            unknown = arg;
            expected.clear();
            break;
        }
        expected.push_back(*action);
    }
    FUZZ_CHECK(switches.unknown == unknown);
    FUZZ_CHECK(switches.actions == expected);

    return 0;
}
