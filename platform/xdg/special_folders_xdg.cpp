// The Windows folder codes mapped to the XDG folders of the current user.
#include <cstdlib>
#include <fstream>
#include <string>

#include "zunta/platform/special_folders.h"

namespace zunta::platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// An XDG base folder from the environment; relative values are ignored as the XDG rules say.
std::string BaseFolder(const char* variable, const std::string& homeFallback) {
    const std::string value = Environment(variable);
    if (!value.empty() && value.front() == '/') {
        return WithoutTrailingSlash(value);
    }
    const std::string home = Environment("HOME");
    return home.empty() ? std::string() : WithoutTrailingSlash(home + homeFallback);
}

// A folder of user-dirs.dirs (`XDG_DOCUMENTS_DIR="$HOME/Documents"`), else $HOME + fallback.
std::string UserDir(const std::string& key, const std::string& homeFallback) {
    const std::string home = Environment("HOME");
    std::ifstream in(BaseFolder("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + "=\"", 0) != 0 || line.size() < key.size() + 3 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(key.size() + 2, line.size() - key.size() - 3);
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        if (!value.empty() && value.front() == '/') {
            return WithoutTrailingSlash(value);
        }
    }
    return home.empty() ? std::string() : WithoutTrailingSlash(home + homeFallback);
}

}  // namespace

char PathSeparator() {
    return '/';
}

std::string GetFolderPath(int code) {
    switch (code) {
        case 5:  // My Documents
            return UserDir("XDG_DOCUMENTS_DIR", "/Documents");
        case 28:  // local application data
            return BaseFolder("XDG_DATA_HOME", "/.local/share");
        case 35: {  // common application data: the first system data folder
            const std::string dirs = Environment("XDG_DATA_DIRS");
            const std::string first = dirs.substr(0, dirs.find(':'));
            return (!first.empty() && first.front() == '/') ? WithoutTrailingSlash(first)
                                                            : std::string("/usr/local/share");
        }
        case 38:  // program files: the user's own programs
            return BaseFolder("XDG_BIN_HOME", "/.local/bin");
        case 46:  // common documents: the public share
            return UserDir("XDG_PUBLICSHARE_DIR", "/Public");
        default:
            return {};
    }
}

}  // namespace zunta::platform
