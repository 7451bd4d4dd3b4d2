// One running launcher per user: a named mutex on Windows, an advisory lock on a per-user
// lock file elsewhere. Both are released by the system when the holding process ends.
#pragma once

#include <memory>
#include <string>

namespace zunta::platform {

class InstanceGuard {
  public:
    enum class Outcome {
        Acquired,        // this process holds the guard now
        AlreadyRunning,  // another process holds it
        Failed,          // the guard could not be made; the caller goes on as the first instance
    };

    // `name` names the mutex; `lockFolder` (ending in a separator) holds the lock file where
    // the system has no named mutexes, and is created when missing.
    static std::unique_ptr<InstanceGuard> Acquire(const std::string& name,
                                                  const std::string& lockFolder);

    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    Outcome outcome() const { return outcome_; }

    // Gives the guard up before the process ends (a closed launcher lets the next start run).
    void Release();

  private:
    struct Handle;
    InstanceGuard(Outcome outcome, std::unique_ptr<Handle> handle);

    Outcome outcome_;
    std::unique_ptr<Handle> handle_;
};

}  // namespace zunta::platform
