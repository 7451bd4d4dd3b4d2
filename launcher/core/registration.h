// The URL-scheme registration: the keys and values that bind the ZURUN scheme to the
// launcher, written through a RegistryWriter.
#pragma once

#include <string>
#include <string_view>

#include "zunta/platform/registry.h"

namespace zunta::launcher {

inline constexpr const char* kScheme = "ZURUN";
inline constexpr const char* kSchemeDescription = "ZUNTA Launcher";

// Writes below the writer's root, in this order: key <scheme> with its default value
// "URL:<scheme> (<description>)", EditFlags = 2 (DWORD), "Source Filter" = "" and
// "URL Protocol" = ""; then shell\open\command with its default value `command`. Stops at the
// first value that cannot be written (the values before it stay) and closes the current key
// in every case. True when every value was written.
bool RegisterUrlProtocol(platform::RegistryWriter& registry, std::string_view scheme,
                         std::string_view description, std::string_view command);

// The open command: the launcher's path in double quotes, then " %1".
std::string LauncherOpenCommand(std::string_view launcherPath);

// Registers the scheme below the classes root, or, when that cannot be written (an account
// without administrator rights), below the current user's classes. True when one of them
// took every value; false also where the system has no registry.
bool RegisterLauncherProtocol(const platform::RegistryOpener& openRegistry,
                              std::string_view launcherPath);

}  // namespace zunta::launcher
