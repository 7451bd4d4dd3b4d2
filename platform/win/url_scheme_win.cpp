// Windows keeps URL schemes in the registry (registry.h); there is no desktop entry to write.
#include "zunta/platform/url_scheme.h"

namespace zunta::platform {

DesktopRegistration RegisterDesktopSchemeHandler(std::string_view, std::string_view,
                                                 std::string_view, const std::string&) {
    return {};
}

}  // namespace zunta::platform
