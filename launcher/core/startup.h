// The decisions of the launcher's start, before any window exists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zunta::launcher {

inline constexpr const char* kGuardName = "ZUNTA_RUN-2019";

struct StartPlan {
    enum class Mode { Registration, Launch };
    Mode mode = Mode::Registration;
    std::string firstArgumentUpper;  // argument 1 with a-z made A-Z; empty when there is none
    std::string handOffText;         // JoinArguments over arguments 0..n
    std::string launchList;          // JoinArguments over arguments 1..n
    bool checksGuard = true;         // false when the first argument holds "RERUN"
};

// `arguments[0]` is the launcher's own program path.
StartPlan PlanStart(const std::vector<std::string>& arguments);

// My Documents + "ZUNTA" + separator: the folder of the test client and the media folder.
std::string InstallFolder(const std::string& myDocumentsDir);

// The folder that a launch creates beside the media folder: install folder + "ZUNTA_RUN".
std::string InstallRunFolder(const std::string& myDocumentsDir);

// Where the lock file of the single-instance guard lives on systems without named mutexes.
std::string GuardFolder(const std::string& localAppDataDir);

// The launch parameter list of a later start, from its hand-off text: what follows the
// program path (argument 0). Empty when that start had no arguments.
std::string LaunchListFromHandOff(std::string_view handOffText, std::string_view ownProgramPath);

// A package install (Linux) puts the test client beside the launcher, where no user's My
// Documents can be reached; registration then copies it into the user's install folder when it
// is missing there or differs. Windows installs it there itself, so nothing is beside the
// launcher and nothing happens. True when the install folder holds the test client afterwards.
bool InstallTestClientFromBeside(const std::string& launcherFolder,
                                 const std::string& installFolder);

}  // namespace zunta::launcher
