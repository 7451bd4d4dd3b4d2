// Shared pieces of the launcher's widget and process tests.
#pragma once

#include <QTest>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "../../unit/launcher/temp_folder.h"
#include "zunta/platform/files.h"

// Waits for `condition` while the event loop runs (QTRY_VERIFY's loop) and reports a
// time-out to GoogleTest, which QTRY_VERIFY alone does not.
#define ZUNTA_WAIT_FOR(condition, timeoutMs)                           \
    do {                                                               \
        [&] { QTRY_VERIFY_WITH_TIMEOUT((condition), (timeoutMs)); }(); \
        ASSERT_TRUE(condition) << "timed out waiting for " #condition; \
    } while (false)

namespace zunta::testing {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    return platform::ReadWholeFile(path, 64 << 20).bytes;
}

// What the stand-in test client recorded about its start.
struct StandInRecord {
    bool present = false;
    long long startNs = 0;
    std::string currentFolder;
    std::vector<std::string> arguments;
};

inline StandInRecord ReadStandInRecord(const fs::path& program) {
    StandInRecord record;
    const std::string bytes = ReadBytes(program.string() + ".record");
    const std::size_t first = bytes.find('\n');
    const std::size_t second = first == std::string::npos ? first : bytes.find('\n', first + 1);
    if (second == std::string::npos) {
        return record;
    }
    record.present = true;
    record.startNs = std::stoll(bytes.substr(0, first));
    record.currentFolder = bytes.substr(first + 1, second - first - 1);
    std::size_t begin = second + 1;
    for (std::size_t end; (end = bytes.find('\0', begin)) != std::string::npos; begin = end + 1) {
        record.arguments.push_back(bytes.substr(begin, end - begin));
    }
    return record;
}

// The stand-in runs as a process of its own and may write its record after the launcher has
// ended: wait for it (up to `timeoutMs`).
inline StandInRecord AwaitStandInRecord(const fs::path& program, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    StandInRecord record = ReadStandInRecord(program);
    while (!record.present && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        record = ReadStandInRecord(program);
    }
    return record;
}

// Puts the stand-in test client where the launcher starts ZUNTA_Test from.
inline fs::path InstallStandIn(const std::string& installFolder) {
    fs::create_directories(installFolder);
    const fs::path program = fs::path(installFolder) / "ZUNTA_Test";
    fs::copy_file(ZUNTA_TEST_CLIENT_STANDIN, program, fs::copy_options::overwrite_existing);
    return program;
}

}  // namespace zunta::testing
