// Where the run log is saved at the end of a test.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zunta::testclient {

// Writes the run log as Result.txt in `currentDir`; when that folder cannot be written, beside
// the program in `appDir`. Returns the file written, or nothing when neither could be.
std::optional<std::filesystem::path> SaveResultFile(std::string_view runLogText,
                                                    const std::filesystem::path& currentDir,
                                                    const std::filesystem::path& appDir);

}  // namespace zunta::testclient
