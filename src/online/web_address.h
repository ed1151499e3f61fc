#pragma once
// Addresses that come from the network before they reach the shell or the HTTP client.
#include <string>

namespace ravenlock {

// True for an https address with a host that the shell may hand to the browser as it is:
// no blanks, control characters, quotes or other characters that could end the quoted
// argument of the browser's command line.
bool IsSafeHttpsAddress(const std::wstring& address);

// True for a non-empty run of the ASCII digits 0-9 only.
bool IsDigitsOnly(const std::wstring& text);

// The ASCII digits of text, in order; everything else left out.
std::wstring DigitsOf(const std::wstring& text);

}  // namespace ravenlock
