// Writing keys and values of the URL-scheme registration. The Windows writer works on the
// system registry; a recording fake (zunta_platform_fake) lets the order and data of the
// writes be checked on any system.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zunta::platform {

enum class RegistryRoot {
    ClassesRoot,         // HKEY_CLASSES_ROOT
    CurrentUserClasses,  // HKEY_CURRENT_USER\Software\Classes: writable without admin rights
};

// Works like the registration does: every key is opened or created (full access,
// non-volatile) below the root or below the key opened last, which it then replaces as the
// current key (the previous one is closed); values go into the current key.
class RegistryWriter {
  public:
    virtual ~RegistryWriter() = default;
    virtual bool OpenOrCreateKey(std::string_view name) = 0;
    // REG_SZ; the size written counts the terminating zero byte. An empty name is the
    // default value.
    virtual bool SetString(std::string_view valueName, std::string_view data) = 0;
    // REG_DWORD, four bytes little-endian.
    virtual bool SetDword(std::string_view valueName, std::uint32_t data) = 0;
    virtual void CloseKey() = 0;
};

// The system registry below `root`; nothing where the system has no registry.
std::unique_ptr<RegistryWriter> OpenRegistry(RegistryRoot root);

using RegistryOpener = std::function<std::unique_ptr<RegistryWriter>(RegistryRoot)>;

}  // namespace zunta::platform
