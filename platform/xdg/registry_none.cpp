// No system registry here: the scheme is registered through a desktop entry instead.
#include "zunta/platform/registry.h"

namespace zunta::platform {

std::unique_ptr<RegistryWriter> OpenRegistry(RegistryRoot) {
    return nullptr;
}

}  // namespace zunta::platform
