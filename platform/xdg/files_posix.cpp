#include <cstdio>

#include "zunta/platform/files.h"

namespace zunta::platform {

bool ReplaceFileWith(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace zunta::platform
