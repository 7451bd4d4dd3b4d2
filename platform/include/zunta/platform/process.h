// Starting another program with the launcher's own environment and current folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::platform {

// One program start, in both forms the systems take: Windows reads `commandLine` (the
// program is taken from its front), other systems run `arguments[0]` with `arguments`.
struct ProgramCommand {
    std::string commandLine;
    std::vector<std::string> arguments;
};

// The file name of a program as the system names it: "<stem>.EXE" on Windows, the stem
// elsewhere.
std::string ExecutableFileName(std::string_view stem);

// The full path of the running program file, as the system reports it; empty if unknown.
std::string OwnProgramPath();

// True when the program was started; with `wait`, returns after it ended. Never runs a shell.
bool StartProgram(const ProgramCommand& command, bool hidden, bool wait);

// The whole command line as the system passed it, where the system passes one text
// (Windows); empty elsewhere, where the argument vector is the system's own.
std::string RawCommandLine();

}  // namespace zunta::platform
