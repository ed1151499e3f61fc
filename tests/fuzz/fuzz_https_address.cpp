// The https rule: an address it accepts must reach the browser whole, as the one argument
// the shell builds from it ("%1" in quotes), and must start with https:// and a host.
#include <string>

#include "fuzz_check.h"
#include "online/web_address.h"
#include "platform/text.h"

namespace {

// The C runtime's rule for one quoted argument of a Windows command line: backslashes
// before a quote escape it, a quote ends the argument; what follows the closing quote
// belongs to the next argument. Returns the first argument and whether it was all of it.
std::wstring FirstArgument(const std::wstring& line, bool* whole) {
    std::wstring arg;
    size_t i = 0;
    bool quoted = false;
    for (; i < line.size(); ++i) {
        size_t slashes = 0;
        while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
        if (i < line.size() && line[i] == L'"') {
            arg.append(slashes / 2, L'\\');
            if (slashes % 2) { arg.push_back(L'"'); continue; }
            quoted = !quoted;
            continue;
        }
        arg.append(slashes, L'\\');
        if (i >= line.size()) break;
        if (!quoted && (line[i] == L' ' || line[i] == L'\t')) break;
        arg.push_back(line[i]);
    }
    *whole = i >= line.size();
    return arg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring address = ravenlock::Utf8ToWide(AsText(data, size));
    if (!ravenlock::IsSafeHttpsAddress(address)) return 0;
    FUZZ_CHECK(address.size() > 8 && address.size() <= 2048);
    bool whole = false;
    FUZZ_CHECK(FirstArgument(L"\"" + address + L"\"", &whole) == address);
    FUZZ_CHECK(whole);
    for (wchar_t c : address) FUZZ_CHECK(c > 0x20 && c != L'"' && c != L'\\');
    return 0;
}
