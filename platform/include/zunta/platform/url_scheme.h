// Making the launcher the handler of its URL scheme on desktops that use desktop entries.
// On Windows the scheme lives in the registry (registry.h) and this does nothing.
#pragma once

#include <string>
#include <string_view>

namespace zunta::platform {

struct DesktopRegistration {
    bool attempted = false;  // false where the system registers schemes another way
    bool ok = false;
};

// Writes "<applications folder>/<desktopFileName>" with MimeType=x-scheme-handler/<scheme>
// and Exec="<launcherPath>" %u, and makes it the default handler of the scheme: with xdg-mime
// when it is on the PATH, else in the user's mimeapps.list. `scheme` is lower case.
DesktopRegistration RegisterDesktopSchemeHandler(std::string_view scheme,
                                                 std::string_view desktopFileName,
                                                 std::string_view displayName,
                                                 const std::string& launcherPath);

// A mimeapps.list text with "<mime>=<desktopFileName>" set in its [Default Applications]
// group; every other line stays. Used where xdg-mime is missing.
std::string WithDefaultApplication(std::string_view listText, std::string_view mime,
                                   std::string_view desktopFileName);

}  // namespace zunta::platform
