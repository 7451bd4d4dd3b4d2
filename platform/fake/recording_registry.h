// A registry that records every write, for tests of the scheme registration on any system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zunta/platform/registry.h"

namespace zunta::platform::fake {

struct RegistryOperation {
    enum class Kind { OpenOrCreateKey, SetString, SetDword, CloseKey };
    Kind kind;
    std::string key;   // the full path of the key the operation works on, below the root
    std::string name;  // value name, or the key name for OpenOrCreateKey
    std::string type;  // "REG_SZ" or "REG_DWORD" for value writes
    std::string data;  // the bytes written, terminating zero included for REG_SZ
    bool ok = true;

    bool operator==(const RegistryOperation&) const = default;
};

class RecordingRegistry final : public RegistryWriter {
  public:
    // The operation with this 0-based index fails (-1: none fails), as a write without the
    // right to write would.
    explicit RecordingRegistry(std::vector<RegistryOperation>& log, int failAt = -1)
        : log_(log), failAt_(failAt) {}

    bool OpenOrCreateKey(std::string_view name) override;
    bool SetString(std::string_view valueName, std::string_view data) override;
    bool SetDword(std::string_view valueName, std::uint32_t data) override;
    void CloseKey() override;

  private:
    bool Record(RegistryOperation operation);
    bool RecordWrite(RegistryOperation operation);

    std::vector<RegistryOperation>& log_;
    int failAt_;
    int count_ = 0;
    std::string current_;
    bool open_ = false;
};

}  // namespace zunta::platform::fake
