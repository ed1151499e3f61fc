#pragma once
// The charset of an HTTP reply, read from its Content-Type without any system call.
#include <optional>
#include <string>
#include <string_view>

namespace ravenlock {

// The charset parameter of a Content-Type, lower case, quoted or not
// ("text/html; Charset=\"Windows-1251\"" gives "windows-1251"); "" when there is none.
std::wstring CharsetOfContentType(std::wstring_view contentType);

// The Windows code page of a charset we decode ourselves; nothing for any other charset,
// whose body is then read as UTF-8.
std::optional<unsigned> CodePageOfCharset(std::wstring_view charset);

}  // namespace ravenlock
