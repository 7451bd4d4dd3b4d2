// The guard as an advisory lock (flock) on "<lockFolder><name>.lock". The system drops the
// lock when the process ends, also on a crash; the descriptor is close-on-exec, so a started
// program does not carry the lock on.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "zunta/platform/files.h"
#include "zunta/platform/instance_guard.h"

namespace zunta::platform {

struct InstanceGuard::Handle {
    int fd = -1;
};

InstanceGuard::InstanceGuard(Outcome outcome, std::unique_ptr<Handle> handle)
    : outcome_(outcome), handle_(std::move(handle)) {}

InstanceGuard::~InstanceGuard() {
    Release();
}

void InstanceGuard::Release() {
    if (handle_ && handle_->fd >= 0) {
        ::close(handle_->fd);
        handle_->fd = -1;
    }
}

std::unique_ptr<InstanceGuard> InstanceGuard::Acquire(const std::string& name,
                                                      const std::string& lockFolder) {
    CreateFolders(lockFolder);
    const std::string path = lockFolder + name + ".lock";
    auto handle = std::make_unique<Handle>();
    handle->fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (handle->fd < 0) {
        return std::unique_ptr<InstanceGuard>(new InstanceGuard(Outcome::Failed, nullptr));
    }
    if (::flock(handle->fd, LOCK_EX | LOCK_NB) != 0) {
        const Outcome outcome = errno == EWOULDBLOCK ? Outcome::AlreadyRunning : Outcome::Failed;
        ::close(handle->fd);
        return std::unique_ptr<InstanceGuard>(new InstanceGuard(outcome, nullptr));
    }
    return std::unique_ptr<InstanceGuard>(new InstanceGuard(Outcome::Acquired, std::move(handle)));
}

}  // namespace zunta::platform
