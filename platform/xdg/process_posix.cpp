#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "zunta/platform/process.h"

extern char** environ;

namespace zunta::platform {

std::string ExecutableFileName(std::string_view stem) {
    return std::string(stem);
}

std::string OwnProgramPath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string RawCommandLine() {
    return {};
}

// `hidden` has no meaning for a program without a window system handshake here: the started
// program decides how it shows itself.
bool StartProgram(const ProgramCommand& command, bool /*hidden*/, bool wait) {
    if (command.arguments.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.reserve(command.arguments.size() + 1);
    for (const std::string& argument : command.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    if (wait) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    return true;
}

}  // namespace zunta::platform
