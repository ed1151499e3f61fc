#pragma once
// UTF-8 <-> UTF-16 at the program's edges (HTTP bodies, JSON, error texts).
// Malformed input never throws: each bad sequence becomes U+FFFD.
#include <string>
#include <string_view>

namespace ravenlock {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The text of a registry string value from the units stored (which may or may not end
// with the terminating zero, and may hold stray ones after it): everything before the
// first zero.
std::wstring RegistryValueText(std::wstring_view stored);

// At most maxChars UTF-16 units of text, cut so that no surrogate pair is split.
std::wstring CutText(std::wstring_view text, size_t maxChars);

}  // namespace ravenlock
