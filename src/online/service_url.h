#pragma once
// Service addresses, with the mirror / stand-in switch: a base "scheme://host:port"
// replaces scheme and host of a service address; path and query stay.
#include <string>

namespace ravenlock {

// url with its scheme and authority replaced by base; url unchanged when base is empty,
// not of the form scheme://host[:port], or names a host beyond this machine (only
// localhost, 127.x.x.x and [::1]): a switch in the environment must not send what we
// ask, or what we decode, through someone else's server in the clear.
std::wstring RebaseUrl(const std::wstring& url, const std::wstring& base);

}  // namespace ravenlock
