#include "testclient/core/resultfile.h"

#include "zunta/platform/files.h"

namespace zunta::testclient {

std::optional<std::filesystem::path> SaveResultFile(std::string_view runLogText,
                                                    const std::filesystem::path& currentDir,
                                                    const std::filesystem::path& appDir) {
    for (const auto& dir : {currentDir, appDir}) {
        if (dir.empty()) {
            continue;
        }
        const std::filesystem::path file = dir / "Result.txt";
        if (platform::WriteFileReplacing(file, runLogText)) {
            return file;
        }
    }
    return std::nullopt;
}

}  // namespace zunta::testclient
