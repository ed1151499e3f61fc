// UTF-8 and UTF-16 conversion: never a crash, only valid output, and every valid input
// comes back byte for byte.
#include <string>

#include "fuzz_check.h"
#include "platform/text.h"

namespace {

// A strict reading of UTF-8 (no overlongs, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t n = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 4;
        if (n == 4 || i + n >= s.size()) return false;
        char32_t cp = n == 0 ? b : b & (0x3F >> n);
        for (size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = cp << 6 | (c & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

// UTF-16 as the program holds it: 16-bit units, surrogates only in pairs.
bool IsValidUtf16(const std::wstring& w) {
    for (size_t i = 0; i < w.size(); ++i) {
        const auto u = static_cast<uint32_t>(w[i]);
        if (u > 0xFFFF) return false;
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= w.size() || w[i + 1] < 0xDC00 || w[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ravenlock;
    // The bytes as UTF-8.
    const std::string_view bytes = AsText(data, size);
    const std::wstring wide = Utf8ToWide(bytes);
    FUZZ_CHECK(IsValidUtf16(wide));
    FUZZ_CHECK(wide.size() <= bytes.size());
    if (IsValidUtf8(bytes)) FUZZ_CHECK(WideToUtf8(wide) == bytes);

    // The same bytes as UTF-16 units (little-endian pairs), lone surrogates included.
    std::wstring units;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    const std::string utf8 = WideToUtf8(units);
    FUZZ_CHECK(IsValidUtf8(utf8));
    if (IsValidUtf16(units)) FUZZ_CHECK(Utf8ToWide(utf8) == units);
    return 0;
}
