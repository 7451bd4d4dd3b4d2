// Launch mode of the launcher: splash, the 500 ms timer, the fetch, the media files, the test
// client's start and the end; on a failed download the failure panel, retry, close and the
// take-over of a later start's parameters.
#pragma once

#include <QObject>
#include <QTimer>
#include <string>

#include "launcher/app/package_fetcher.h"

namespace zunta::platform {
class InstanceGuard;
}

namespace zunta::launcher {

class LauncherWindow;

struct LaunchSettings {
    std::string baseAddress;      // the organisation's web server, no trailing "/"
    std::string launchList;       // the launch parameter list
    std::string myDocumentsDir;   // ends in a separator
    std::string localAppDataDir;  // ends in a separator; holds the hand-off file
    std::string ownProgramPath;   // argument 0 of a hand-off from this program
    int fadeMs = 300;
    int timerMs = 500;     // Timer1: from the end of the fade to the fetch
    int endDelayMs = 500;  // from the test client's start to the end
    int timeoutMs = PackageFetcher::kDefaultTimeoutMs;
    int handOffPollMs = 500;  // how often a failed launcher looks for a later start
};

class LauncherSession : public QObject {
    Q_OBJECT
  public:
    enum class State { Waiting, Fetching, Starting, Failed, Ending };

    LauncherSession(LaunchSettings settings, LauncherWindow& window, platform::InstanceGuard* guard,
                    QObject* parent = nullptr);

    // Shows the splash (fade-in) and then arms Timer1.
    void Begin();

    State state() const { return state_; }
    const std::string& launchList() const { return settings_.launchList; }

  signals:
    // The launcher is done: after the test client's start and the pause, or on close.
    void finished();

  private:
    void Timer1Timer();
    void FetchStudyPackage();
    void OnFetched(const FetchOutcome& outcome);
    // Shows the failure panel and waits for retry, close or a later start.
    void Fail(const FetchOutcome& outcome);
    // Takes a later start's parameters when there are any; true when it did.
    bool TakeOverHandOff();
    void Retry();
    void Close();

    LaunchSettings settings_;
    LauncherWindow& window_;
    platform::InstanceGuard* guard_;
    PackageFetcher fetcher_;
    QTimer timer1_;
    QTimer handOffPoll_;
    State state_ = State::Waiting;
    bool canRetry_ = true;  // of the failure shown
};

}  // namespace zunta::launcher
