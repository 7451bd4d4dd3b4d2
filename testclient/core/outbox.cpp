#include "testclient/core/outbox.h"

#include <algorithm>

#include "zunta/platform/files.h"
#include "zunta/text.h"

namespace zunta::testclient {

Outbox::Outbox(std::filesystem::path mediaDir)
    : file_(std::move(mediaDir) / "StudyLogOutbox.txt") {}

std::vector<std::string> Outbox::Pending() const {
    const platform::ReadResult read = platform::ReadWholeFile(file_, kMaxOutboxBytes);
    if (read.status != platform::ReadStatus::Ok) {
        return {};
    }
    std::vector<std::string> lines = SplitLines(read.bytes);
    std::erase_if(lines, [](const std::string& line) { return Trim(line).empty(); });
    return lines;
}

bool Outbox::Add(std::string_view address) {
    std::vector<std::string> addresses = Pending();
    if (std::find(addresses.begin(), addresses.end(), address) != addresses.end()) {
        return true;
    }
    addresses.emplace_back(address);
    return Store(addresses);
}

bool Outbox::Remove(std::string_view address) {
    std::vector<std::string> addresses = Pending();
    const auto it = std::find(addresses.begin(), addresses.end(), address);
    if (it == addresses.end()) {
        return true;
    }
    addresses.erase(it);
    if (addresses.empty()) {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
        return !ec;
    }
    return Store(addresses);
}

bool Outbox::Store(const std::vector<std::string>& addresses) const {
    return platform::WriteFileReplacing(file_, JoinLines(addresses));
}

}  // namespace zunta::testclient
