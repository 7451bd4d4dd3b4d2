// The hand-off file: a later start writes its hand-off text there and ends; a running
// launcher that can still use it takes it over. Text is code page 949, one line per line of
// the hand-off text, each followed by CR LF.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zunta::platform {

// LocalAppDataDir + "ZUNTA_RUN" + separator + "ZUNTA_RUN.DAT".
std::filesystem::path HandOffPath(const std::string& localAppDataDir);

// Largest hand-off file that is read: a command line is far shorter.
inline constexpr std::size_t kHandOffLimit = 64 * 1024;

// Creates the folder and writes the text (lines split at CR, LF or CR LF, each followed by
// CR LF). False when the file could not be written.
bool WriteHandOff(const std::string& localAppDataDir, std::string_view handOffText);

// Reads and deletes the hand-off file; nothing when there is none (or it is unreadable or too
// large, in which case it is deleted as well). The lines come back joined by CR LF.
std::optional<std::string> TakeHandOff(const std::string& localAppDataDir);

// Deletes the hand-off file; a missing file is no error.
void DeleteHandOff(const std::string& localAppDataDir);

}  // namespace zunta::platform
