// Whole-file reads and writes for the media folder and the run log.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zunta::platform {

enum class ReadStatus { Ok, Missing, Unreadable, TooLarge };

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Reads the whole file; a file larger than `limit` bytes is not read at all.
ReadResult ReadWholeFile(const std::filesystem::path& path, std::size_t limit);

// Writes `bytes` to a temporary file beside `path` and moves it over `path` in one step, so a
// failed write (disk full, no right to write) leaves the earlier file as it was and no partial
// file behind. Returns false on any failure.
bool WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// Creates the folder with all missing parents; true when it exists afterwards.
bool CreateFolders(const std::filesystem::path& path);

// Moves `from` over `to`, replacing an existing file in one step (per operating system).
bool ReplaceFileWith(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace zunta::platform
