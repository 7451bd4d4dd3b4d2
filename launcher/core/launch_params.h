// The launch parameter list: the "&"-joined NAME=VALUE text of the launcher's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::launcher {

// "&" + arguments[first] + "&" + ... + "&" + arguments[last]; indexes past the end are
// skipped, so a start without arguments gives empty text.
std::string JoinArguments(const std::vector<std::string>& arguments, std::size_t first,
                          std::size_t last);

// The value of `name` in `list`. Every "%26" counts as "&" first. The name is matched only
// where a pair begins: right after an "&", or in the first pair right behind the link's
// scheme prefix (after a ":", "/" or "?" with no "=" before it), and only as a whole name
// (followed by "=", "&" or the end). The value runs up to the next "&" or the next "=";
// nothing is trimmed or decoded further. No match gives the first field of the whole list,
// which is empty text for a list that begins with "&".
std::string GetParamValue(std::string_view list, std::string_view name);

// Splits a Windows command line: arguments are separated by runs of spaces or control
// characters; quotes group a stretch and are dropped; a pair of quotes with nothing between
// gives no argument of its own; there is no escape character.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

// The launcher's arguments with argument 0 replaced by its own program path. `rawCommandLine`
// is the system's one-text command line where it has one (then split above), else the
// argument vector counts.
std::vector<std::string> LauncherArguments(const std::string& rawCommandLine,
                                           const std::vector<std::string>& argv,
                                           const std::string& ownProgramPath);

}  // namespace zunta::launcher
