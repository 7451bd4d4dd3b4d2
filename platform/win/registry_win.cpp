#include <windows.h>

#include "zunta/platform/registry.h"

namespace zunta::platform {
namespace {

class Win32RegistryWriter final : public RegistryWriter {
  public:
    explicit Win32RegistryWriter(HKEY base) : base_(base) {}
    ~Win32RegistryWriter() override {
        CloseKey();
        if (base_ != HKEY_CLASSES_ROOT) {
            RegCloseKey(base_);
        }
    }

    bool OpenOrCreateKey(std::string_view name) override {
        HKEY key = nullptr;
        const std::string keyName(name);
        const LONG result =
            RegCreateKeyExA(current_ ? current_ : base_, keyName.c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        CloseKey();
        current_ = result == ERROR_SUCCESS ? key : nullptr;
        return current_ != nullptr;
    }

    bool SetString(std::string_view valueName, std::string_view data) override {
        const std::string name(valueName);
        const std::string text(data);
        return current_ && RegSetValueExA(current_, name.c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

    bool SetDword(std::string_view valueName, std::uint32_t data) override {
        const std::string name(valueName);
        const DWORD value = data;
        return current_ &&
               RegSetValueExA(current_, name.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
    }

    void CloseKey() override {
        if (current_) {
            RegCloseKey(current_);
            current_ = nullptr;
        }
    }

  private:
    HKEY base_;
    HKEY current_ = nullptr;
};

}  // namespace

std::unique_ptr<RegistryWriter> OpenRegistry(RegistryRoot root) {
    if (root == RegistryRoot::ClassesRoot) {
        return std::make_unique<Win32RegistryWriter>(HKEY_CLASSES_ROOT);
    }
    HKEY classes = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes", 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &classes, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryWriter>(classes);
}

}  // namespace zunta::platform
