// The scheme handler as a desktop entry (the XDG way): the entry in the user's applications
// folder and the default handler for x-scheme-handler/<scheme>.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "zunta/platform/files.h"
#include "zunta/platform/url_scheme.h"

extern char** environ;

namespace zunta::platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string BaseFolder(const char* variable, const char* homeFallback) {
    const std::string value = Environment(variable);
    if (!value.empty() && value.front() == '/') {
        return value;
    }
    return Environment("HOME") + homeFallback;
}

// The path as one quoted argument of an Exec key: inside the quotes ", `, $ and \ take a
// backslash; the key's own string rules then double every backslash, and a % is doubled.
bool QuotedExecArgument(std::string_view path, std::string& out) {
    out = "\"";
    for (const char c : path) {
        if (c == '\n' || c == '\r') {
            return false;
        }
        if (c == '"' || c == '`' || c == '$') {
            out += "\\\\";
        } else if (c == '\\') {
            out += "\\\\\\";
        } else if (c == '%') {
            out += '%';
        }
        out += c;
    }
    out += '"';
    return true;
}

std::string FindOnPath(const std::string& program) {
    std::stringstream dirs(Environment("PATH"));
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) {
            continue;
        }
        const std::string candidate = dir + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

bool RunAndWait(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// Sets "<mime>=<desktopFileName>" in the [Default Applications] group of a mimeapps.list
// text, keeping every other line; the group is added when missing.
std::string WithDefaultApplication(std::string_view listText, std::string_view mime,
                                   std::string_view desktopFileName) {
    const std::string entry = std::string(mime) + "=" + std::string(desktopFileName);
    std::istringstream in{std::string(listText)};
    std::string line;
    std::string out;
    bool inGroup = false;
    bool written = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() == '[') {
            if (inGroup && !written) {
                out += entry + "\n";
                written = true;
            }
            inGroup = line == "[Default Applications]";
        } else if (inGroup && line.rfind(std::string(mime) + "=", 0) == 0) {
            if (!written) {
                out += entry + "\n";
                written = true;
            }
            continue;
        }
        out += line + "\n";
    }
    if (!written) {
        if (!inGroup) {
            out += "[Default Applications]\n";
        }
        out += entry + "\n";
    }
    return out;
}

DesktopRegistration RegisterDesktopSchemeHandler(std::string_view scheme,
                                                 std::string_view desktopFileName,
                                                 std::string_view displayName,
                                                 const std::string& launcherPath) {
    DesktopRegistration result;
    result.attempted = true;
    std::string exec;
    if (!QuotedExecArgument(launcherPath, exec)) {
        return result;
    }
    const std::string mime = "x-scheme-handler/" + std::string(scheme);
    const std::string applications = BaseFolder("XDG_DATA_HOME", "/.local/share") + "/applications";
    CreateFolders(applications);
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=" + std::string(displayName) + "\nExec=" + exec +
        " %u\nNoDisplay=true\nTerminal=false\nMimeType=" + mime + ";\n";
    if (!WriteFileReplacing(applications + "/" + std::string(desktopFileName), entry)) {
        return result;
    }
    const std::string xdgMime = FindOnPath("xdg-mime");
    if (!xdgMime.empty()) {
        result.ok = RunAndWait({xdgMime, "default", std::string(desktopFileName), mime});
        return result;
    }
    const std::string config = BaseFolder("XDG_CONFIG_HOME", "/.config");
    CreateFolders(config);
    const std::string listPath = config + "/mimeapps.list";
    const ReadResult existing = ReadWholeFile(listPath, 1024 * 1024);
    if (existing.status != ReadStatus::Ok && existing.status != ReadStatus::Missing) {
        return result;  // an unreadable or huge list is left as it is
    }
    result.ok =
        WriteFileReplacing(listPath, WithDefaultApplication(existing.bytes, mime, desktopFileName));
    return result;
}

}  // namespace zunta::platform
