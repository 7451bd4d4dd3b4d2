// The guard as a named mutex owned from creation. Its handle stays open until Release or the
// end of the process; the system frees the mutex then.
#include <windows.h>

#include "zunta/platform/instance_guard.h"

namespace zunta::platform {

struct InstanceGuard::Handle {
    HANDLE mutex = nullptr;
};

InstanceGuard::InstanceGuard(Outcome outcome, std::unique_ptr<Handle> handle)
    : outcome_(outcome), handle_(std::move(handle)) {}

InstanceGuard::~InstanceGuard() = default;  // the mutex lives as long as the process

void InstanceGuard::Release() {
    if (handle_ && handle_->mutex) {
        ReleaseMutex(handle_->mutex);
        CloseHandle(handle_->mutex);
        handle_->mutex = nullptr;
    }
}

std::unique_ptr<InstanceGuard> InstanceGuard::Acquire(const std::string& name,
                                                      const std::string& /*lockFolder*/) {
    auto handle = std::make_unique<Handle>();
    handle->mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        // The handle is not kept: this instance ends at once and must not hold the name open.
        if (handle->mutex) {
            CloseHandle(handle->mutex);
        }
        return std::unique_ptr<InstanceGuard>(new InstanceGuard(Outcome::AlreadyRunning, nullptr));
    }
    if (!handle->mutex) {
        return std::unique_ptr<InstanceGuard>(new InstanceGuard(Outcome::Failed, nullptr));
    }
    return std::unique_ptr<InstanceGuard>(new InstanceGuard(Outcome::Acquired, std::move(handle)));
}

}  // namespace zunta::platform
