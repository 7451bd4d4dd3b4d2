#include "devserver/packages.h"

#include <algorithm>
#include <system_error>

#include "zunta/platform/codepage.h"
#include "zunta/platform/files.h"
#include "zunta/text.h"

namespace zunta::devserver {

bool IsTestKey(std::string_view key) {
    return !key.empty() && key.size() <= 64 && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
               c == '-' || c == '_';
    });
}

PackageReply PackageFor(const std::filesystem::path& packagesDir, std::string_view key,
                        std::string_view baseUrl) {
    if (IsTestKey(key)) {
        const platform::ReadResult file =
            platform::ReadWholeFile(packagesDir / (std::string(key) + ".txt"), kMaxServedFileBytes);
        if (file.status == platform::ReadStatus::Ok) {
            return {true, ReplaceAll(file.bytes, kBasePlaceholder, baseUrl)};
        }
    }
    // The key travels back as ASCII only, so an odd key cannot break the tags.
    std::string shownKey;
    for (const char c : key.substr(0, 64)) {
        shownKey += (c > ' ' && c < 0x7F && c != '<' && c != '>') ? c : '?';
    }
    const std::string text = "<RESULT>FAIL</RESULT>\r\n<COMMENT>시험 '" + shownKey +
                             "'을(를) 찾을 수 없습니다.</COMMENT>\r\n<SUBJECT></SUBJECT>\r\n"
                             "<IDKEY>" +
                             shownKey +
                             "</IDKEY>\r\n<QCOUNT>0</QCOUNT>\r\n"
                             "<QLIST></QLIST>\r\n<QDATA></QDATA>\r\n";
    return {false, platform::Utf8ToAnsi(text)};
}

std::optional<std::filesystem::path> PictureFile(const std::filesystem::path& root,
                                                 std::string_view relative) {
    std::filesystem::path file = root;
    std::string_view rest = relative;
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        if (part.empty() || part == "." || part == ".." ||
            part.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos) {
            return std::nullopt;
        }
        file /= std::string(part);
        if (slash == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(slash + 1);
    }
    // A link inside the folder may point anywhere; only what truly lies below it is served.
    std::error_code error;
    const std::filesystem::path realRoot = std::filesystem::canonical(root, error);
    if (error) {
        return std::nullopt;
    }
    const std::filesystem::path realFile = std::filesystem::canonical(file, error);
    if (error || !std::filesystem::is_regular_file(realFile, error)) {
        return std::nullopt;
    }
    const auto rootEnd =
        std::mismatch(realRoot.begin(), realRoot.end(), realFile.begin(), realFile.end()).first;
    if (rootEnd != realRoot.end()) {
        return std::nullopt;
    }
    return realFile;
}

std::string PictureContentType(const std::filesystem::path& file) {
    const std::string ext = AsciiUpper(file.extension().string());
    if (ext == ".SVG") {
        return "image/svg+xml";
    }
    if (ext == ".PNG") {
        return "image/png";
    }
    if (ext == ".JPG" || ext == ".JPEG") {
        return "image/jpeg";
    }
    if (ext == ".GIF") {
        return "image/gif";
    }
    if (ext == ".WEBP") {
        return "image/webp";
    }
    return "application/octet-stream";
}

}  // namespace zunta::devserver
