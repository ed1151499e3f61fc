#pragma once
// Service addresses, with the mirror / stand-in switch: a base "scheme://host:port"
// replaces scheme and host of a service address; path and query stay.
#include <string>

namespace ravenlock {

// url with its scheme and authority replaced by base; url unchanged when base is empty
// or not of the form scheme://host[:port].
std::wstring RebaseUrl(const std::wstring& url, const std::wstring& base);

}  // namespace ravenlock
