// A second process for the Win32 tests. "guard": tries the single-instance guard and exits
// 0 (acquired), 1 (another process holds it) or 2 (failed). Anything else: records its own
// command line, as the system passed it, in "<own path>.record" (the stand-in test client).
#include <cstdio>
#include <cstring>
#include <fstream>

#include "zunta/platform/instance_guard.h"
#include "zunta/platform/process.h"

int main(int argc, char** argv) {
    using zunta::platform::InstanceGuard;
    if (argc >= 2 && std::strcmp(argv[1], "guard") == 0) {
        const auto guard = InstanceGuard::Acquire(argc >= 3 ? argv[2] : "ZUNTA_RUN-2019", "");
        switch (guard->outcome()) {
            case InstanceGuard::Outcome::Acquired:
                return 0;
            case InstanceGuard::Outcome::AlreadyRunning:
                return 1;
            case InstanceGuard::Outcome::Failed:
                return 2;
        }
        return 3;
    }
    std::ofstream out(zunta::platform::OwnProgramPath() + ".record", std::ios::binary);
    out << zunta::platform::RawCommandLine();
    return out ? 0 : 4;
}
