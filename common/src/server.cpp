#include "zunta/server.h"

#include <cstdlib>

namespace zunta {

std::string ServerBaseUrl() {
    const char* fromEnvironment = std::getenv("ZUNTA_SERVER_URL");
    std::string url =
        (fromEnvironment && *fromEnvironment) ? fromEnvironment : ZUNTA_DEFAULT_SERVER_URL;
    while (!url.empty() && url.back() == '/') {
        url.pop_back();
    }
    return url;
}

}  // namespace zunta
