// The study packages and question pictures that the server hands out.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zunta::devserver {

// Stored packages hold this text where the server's own address belongs (the picture
// addresses); the port is only known once the server runs.
inline constexpr std::string_view kBasePlaceholder = "{{BASE}}";

// Larger package or picture files are not served.
inline constexpr std::size_t kMaxServedFileBytes = 16u * 1024u * 1024u;

// A test key names a file: letters, digits, "-" and "_", 1 to 64 of them.
bool IsTestKey(std::string_view key);

struct PackageReply {
    bool found = false;  // false: the key names no package, `body` says so
    std::string body;    // code page 949 bytes
};

// The package of test `key`: the file `key`.txt of `packagesDir`, byte for byte, with every
// placeholder replaced by `baseUrl`. An unknown key (or one that names no file) gives a small
// package whose RESULT is FAIL, with no questions and a Korean COMMENT.
PackageReply PackageFor(const std::filesystem::path& packagesDir, std::string_view key,
                        std::string_view baseUrl);

// The file below `root` that the decoded request path `relative` (the part after
// "/pictures/") names, or nothing when the path is not a plain downward path ("..", ".",
// empty parts, a backslash or a zero byte) or leads outside `root` through a link.
std::optional<std::filesystem::path> PictureFile(const std::filesystem::path& root,
                                                 std::string_view relative);

// The Content-Type of a picture file, from its extension.
std::string PictureContentType(const std::filesystem::path& file);

}  // namespace zunta::devserver
