#include "zunta/platform/handoff.h"

#include <system_error>

#include "zunta/platform/files.h"
#include "zunta/platform/special_folders.h"

namespace zunta::platform {
namespace {

std::filesystem::path HandOffFolder(const std::string& localAppDataDir) {
    return std::filesystem::path(localAppDataDir + "ZUNTA_RUN");
}

}  // namespace

std::filesystem::path HandOffPath(const std::string& localAppDataDir) {
    return std::filesystem::path(localAppDataDir + "ZUNTA_RUN" + PathSeparator() + "ZUNTA_RUN.DAT");
}

bool WriteHandOff(const std::string& localAppDataDir, std::string_view handOffText) {
    CreateFolders(HandOffFolder(localAppDataDir));
    // Every line ends in CR LF; a break at the very end adds no empty line.
    std::string content;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < handOffText.size(); ++i) {
        if (handOffText[i] != '\r' && handOffText[i] != '\n') {
            continue;
        }
        content.append(handOffText.substr(begin, i - begin)).append("\r\n");
        if (handOffText[i] == '\r' && i + 1 < handOffText.size() && handOffText[i + 1] == '\n') {
            ++i;
        }
        begin = i + 1;
    }
    if (begin < handOffText.size()) {
        content.append(handOffText.substr(begin)).append("\r\n");
    }
    return WriteFileReplacing(HandOffPath(localAppDataDir), content);
}

std::optional<std::string> TakeHandOff(const std::string& localAppDataDir) {
    const auto path = HandOffPath(localAppDataDir);
    ReadResult read = ReadWholeFile(path, kHandOffLimit);
    if (read.status == ReadStatus::Missing) {
        return std::nullopt;
    }
    DeleteHandOff(localAppDataDir);
    if (read.status != ReadStatus::Ok) {
        return std::nullopt;
    }
    std::string text = std::move(read.bytes);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
        text.resize(text.size() - 2);
    }
    return text;
}

void DeleteHandOff(const std::string& localAppDataDir) {
    std::error_code ignored;
    std::filesystem::remove(HandOffPath(localAppDataDir), ignored);
}

}  // namespace zunta::platform
