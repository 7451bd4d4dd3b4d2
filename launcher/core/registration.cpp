#include "launcher/core/registration.h"

namespace zunta::launcher {

bool RegisterUrlProtocol(platform::RegistryWriter& registry, std::string_view scheme,
                         std::string_view description, std::string_view command) {
    // Opening a key is not checked on its own: a key that could not be opened makes the next
    // value write fail.
    registry.OpenOrCreateKey(scheme);
    const std::string title = "URL:" + std::string(scheme) + " (" + std::string(description) + ")";
    bool ok = registry.SetString("", title) && registry.SetDword("EditFlags", 2) &&
              registry.SetString("Source Filter", "") && registry.SetString("URL Protocol", "");
    if (ok) {
        registry.OpenOrCreateKey("shell");
        registry.OpenOrCreateKey("open");
        registry.OpenOrCreateKey("command");
        ok = registry.SetString("", command);
    }
    registry.CloseKey();
    return ok;
}

std::string LauncherOpenCommand(std::string_view launcherPath) {
    return "\"" + std::string(launcherPath) + "\" %1";
}

bool RegisterLauncherProtocol(const platform::RegistryOpener& openRegistry,
                              std::string_view launcherPath) {
    const std::string command = LauncherOpenCommand(launcherPath);
    for (const auto root :
         {platform::RegistryRoot::ClassesRoot, platform::RegistryRoot::CurrentUserClasses}) {
        if (auto registry = openRegistry(root);
            registry && RegisterUrlProtocol(*registry, kScheme, kSchemeDescription, command)) {
            return true;
        }
    }
    return false;
}

}  // namespace zunta::launcher
