#include "launcher/core/startup.h"

#include "launcher/core/launch_params.h"
#include "zunta/platform/files.h"
#include "zunta/platform/process.h"
#include "zunta/platform/special_folders.h"
#include "zunta/text.h"

namespace zunta::launcher {

StartPlan PlanStart(const std::vector<std::string>& arguments) {
    StartPlan plan;
    const std::size_t last = arguments.empty() ? 0 : arguments.size() - 1;
    plan.firstArgumentUpper = arguments.size() > 1 ? AsciiUpper(arguments[1]) : std::string();
    plan.handOffText = JoinArguments(arguments, 0, last);
    plan.launchList = JoinArguments(arguments, 1, last);
    plan.checksGuard = plan.firstArgumentUpper.find("RERUN") == std::string::npos;
    plan.mode =
        plan.firstArgumentUpper.empty() ? StartPlan::Mode::Registration : StartPlan::Mode::Launch;
    return plan;
}

std::string InstallFolder(const std::string& myDocumentsDir) {
    return myDocumentsDir + "ZUNTA" + platform::PathSeparator();
}

std::string InstallRunFolder(const std::string& myDocumentsDir) {
    return InstallFolder(myDocumentsDir) + "ZUNTA_RUN";
}

std::string GuardFolder(const std::string& localAppDataDir) {
    return localAppDataDir + "ZUNTA_RUN" + platform::PathSeparator();
}

std::string LaunchListFromHandOff(std::string_view handOffText, std::string_view ownProgramPath) {
    const std::string own = "&" + std::string(ownProgramPath);
    if (handOffText.substr(0, own.size()) == own &&
        (handOffText.size() == own.size() || handOffText[own.size()] == '&')) {
        return std::string(handOffText.substr(own.size()));
    }
    // Another program path: the list begins at the second "&".
    const std::size_t second = handOffText.find('&', 1);
    return second == std::string_view::npos ? std::string()
                                            : std::string(handOffText.substr(second));
}

bool InstallTestClientFromBeside(const std::string& launcherFolder,
                                 const std::string& installFolder) {
    namespace fs = std::filesystem;
    const std::string name = platform::ExecutableFileName("ZUNTA_Test");
    const fs::path source = fs::path(launcherFolder + name);
    const fs::path target = fs::path(installFolder + name);
    constexpr std::size_t kLimit = 256u * 1024u * 1024u;
    const platform::ReadResult program = platform::ReadWholeFile(source, kLimit);
    if (program.status != platform::ReadStatus::Ok) {
        return fs::exists(target);
    }
    const platform::ReadResult installed = platform::ReadWholeFile(target, kLimit);
    if (installed.status == platform::ReadStatus::Ok && installed.bytes == program.bytes) {
        return true;
    }
    if (!platform::CreateFolders(fs::path(installFolder)) ||
        !platform::WriteFileReplacing(target, program.bytes)) {
        return false;
    }
    std::error_code ec;
    fs::permissions(target,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace, ec);
    return !ec;
}

}  // namespace zunta::launcher
