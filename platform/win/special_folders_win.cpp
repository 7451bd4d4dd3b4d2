#include <shlobj.h>
#include <windows.h>

#include "zunta/platform/special_folders.h"

namespace zunta::platform {

char PathSeparator() {
    return '\\';
}

std::string GetFolderPath(int code) {
    char path[MAX_PATH + 1] = {};
    // No owner window, no access token, flags 0: the folder's current path.
    if (SHGetFolderPathA(nullptr, code, nullptr, 0, path) != S_OK) {
        return {};
    }
    return std::string(path);
}

}  // namespace zunta::platform
