#include "launcher/app/launcher_main.h"

#include <QApplication>
#include <QString>
#include <cstdio>
#include <memory>
#include <vector>

#include "launcher/app/launcher_session.h"
#include "launcher/app/launcher_window.h"
#include "launcher/app/splash_picture.h"
#include "launcher/core/launch_params.h"
#include "launcher/core/registration.h"
#include "launcher/core/startup.h"
#include "zunta/platform/handoff.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/platform/process.h"
#include "zunta/platform/special_folders.h"
#include "zunta/platform/url_scheme.h"
#include "zunta/server.h"

namespace zunta::launcher {
namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(std::string(1, platform::PathSeparator()) + "/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Paths are in the system's own 8-bit encoding (code page 949 on Windows, UTF-8 here).
QString PathToQString(const std::string& path) {
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace

int RunLauncher(int argc, char** argv) {
    const std::string ownPath = platform::OwnProgramPath();
    const std::vector<std::string> arguments = LauncherArguments(
        platform::RawCommandLine(), std::vector<std::string>(argv, argv + argc), ownPath);
    const StartPlan plan = PlanStart(arguments);
    const platform::SpecialFolders folders = platform::InitSpecialFolders();
    platform::DeleteHandOff(folders.localAppDataDir);

    std::unique_ptr<platform::InstanceGuard> guard;
    if (plan.checksGuard) {
        guard = platform::InstanceGuard::Acquire(kGuardName, GuardFolder(folders.localAppDataDir));
        if (guard->outcome() == platform::InstanceGuard::Outcome::AlreadyRunning) {
            if (!platform::WriteHandOff(folders.localAppDataDir, plan.handOffText)) {
                std::fprintf(stderr, "ZUNTA_Run: the hand-off file could not be written\n");
                return 1;
            }
            return 0;
        }
    }

    if (plan.mode == StartPlan::Mode::Registration) {
        // Failures are not reported: a start without a link has no one to tell.
        RegisterLauncherProtocol(platform::OpenRegistry, ownPath);
        platform::RegisterDesktopSchemeHandler("zurun", "zunta-run.desktop", kSchemeDescription,
                                               ownPath);
        InstallTestClientFromBeside(FolderOf(ownPath), InstallFolder(folders.myDocumentsDir));
        return 0;
    }

    QApplication app(argc, argv);
    QImage picture;
    LoadSplashPicture(PathToQString(FolderOf(ownPath) + "ZUNTA_Run.png"), picture);
    LauncherWindow window(std::move(picture));
    LaunchSettings settings;
    settings.baseAddress = ServerBaseUrl();
    settings.launchList = plan.launchList;
    settings.myDocumentsDir = folders.myDocumentsDir;
    settings.localAppDataDir = folders.localAppDataDir;
    settings.ownProgramPath = ownPath;
    LauncherSession session(std::move(settings), window, guard.get());
    QObject::connect(&session, &LauncherSession::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    session.Begin();
    return app.exec();
}

}  // namespace zunta::launcher
