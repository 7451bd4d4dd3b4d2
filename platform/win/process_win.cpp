#include <windows.h>

#include "zunta/platform/process.h"

namespace zunta::platform {

std::string ExecutableFileName(std::string_view stem) {
    return std::string(stem) + ".EXE";
}

std::string OwnProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (length > 0 && length < MAX_PATH) ? std::string(path, length) : std::string();
}

std::string RawCommandLine() {
    const char* line = GetCommandLineA();
    return line ? std::string(line) : std::string();
}

bool StartProgram(const ProgramCommand& command, bool hidden, bool wait) {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof process);
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::string line = command.commandLine;
    const BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process);
    if (!started) {
        return false;
    }
    if (wait) {
        WaitForInputIdle(process.hProcess, INFINITE);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace zunta::platform
