#include "recording_registry.h"

namespace zunta::platform::fake {

bool RecordingRegistry::Record(RegistryOperation operation) {
    operation.ok = count_++ != failAt_;
    log_.push_back(operation);
    return operation.ok;
}

bool RecordingRegistry::OpenOrCreateKey(std::string_view name) {
    const std::string path =
        current_.empty() ? std::string(name) : current_ + "\\" + std::string(name);
    const bool ok =
        Record({RegistryOperation::Kind::OpenOrCreateKey, path, std::string(name), {}, {}});
    current_ = path;
    open_ = ok;
    return ok;
}

bool RecordingRegistry::SetString(std::string_view valueName, std::string_view data) {
    std::string bytes(data);
    bytes.push_back('\0');
    return RecordWrite(
        {RegistryOperation::Kind::SetString, current_, std::string(valueName), "REG_SZ", bytes});
}

bool RecordingRegistry::SetDword(std::string_view valueName, std::uint32_t data) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((data >> (8 * i)) & 0xFF));
    }
    return RecordWrite(
        {RegistryOperation::Kind::SetDword, current_, std::string(valueName), "REG_DWORD", bytes});
}

// A value write into a key that could not be opened fails, as it does on Windows.
bool RecordingRegistry::RecordWrite(RegistryOperation operation) {
    if (!open_) {
        ++count_;
        operation.ok = false;
        log_.push_back(operation);
        return false;
    }
    return Record(operation);
}

void RecordingRegistry::CloseKey() {
    Record({RegistryOperation::Kind::CloseKey, current_, {}, {}, {}});
    open_ = false;
}

}  // namespace zunta::platform::fake
