// Temporary folders for tests: unique across processes, so test cases that ctest runs in
// parallel (and other builds running at the same time) never share one.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace zunta::testsupport {

// Creates a new, empty folder below the system's temporary folder.
inline std::filesystem::path MakeTempFolder(std::string_view tag) {
    static std::mt19937_64 rng(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        const auto path = base / ("zunta-" + std::string(tag) + "-" + std::to_string(rng()));
        std::error_code ec;
        if (std::filesystem::create_directory(path, ec)) {
            return path;
        }
    }
}

}  // namespace zunta::testsupport
