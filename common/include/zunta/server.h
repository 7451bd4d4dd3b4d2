#pragma once

#include <string>

namespace zunta {

// The organisation's web server (scheme, host, optional port, no trailing "/"): the
// environment variable ZUNTA_SERVER_URL when set, else the address the build was given.
// Nothing in a link or a package can change it.
std::string ServerBaseUrl();

}  // namespace zunta
