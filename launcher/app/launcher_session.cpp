#include "launcher/app/launcher_session.h"

#include "launcher/app/launcher_window.h"
#include "launcher/core/package_fetch.h"
#include "launcher/core/startup.h"
#include "zunta/platform/files.h"
#include "zunta/platform/handoff.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/platform/process.h"
#include "zunta/trace.h"

namespace zunta::launcher {

LauncherSession::LauncherSession(LaunchSettings settings, LauncherWindow& window,
                                 platform::InstanceGuard* guard, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), window_(window), guard_(guard) {
    fetcher_.setTimeoutMs(settings_.timeoutMs);
    // The pauses are fixed lengths: a coarse timer could add up to 5 % to each.
    timer1_.setTimerType(Qt::PreciseTimer);
    timer1_.setSingleShot(true);
    timer1_.setInterval(settings_.timerMs);
    handOffPoll_.setInterval(settings_.handOffPollMs);
    connect(&timer1_, &QTimer::timeout, this, &LauncherSession::Timer1Timer);
    connect(&handOffPoll_, &QTimer::timeout, this, [this] {
        if (state_ == State::Failed && TakeOverHandOff()) {
            FetchStudyPackage();
        }
    });
    connect(&fetcher_, &PackageFetcher::progress, &window_, &LauncherWindow::ShowProgress);
    connect(&fetcher_, &PackageFetcher::finished, this, &LauncherSession::OnFetched);
    connect(&window_, &LauncherWindow::fadeFinished, this, [this] { timer1_.start(); });
    connect(&window_, &LauncherWindow::retryClicked, this, &LauncherSession::Retry);
    connect(&window_, &LauncherWindow::closeClicked, this, &LauncherSession::Close);
}

void LauncherSession::Begin() {
    window_.FadeIn(settings_.fadeMs);
    platform::CreateFolders(InstallRunFolder(settings_.myDocumentsDir));
}

void LauncherSession::Timer1Timer() {
    timer1_.stop();
    if (state_ != State::Waiting) {
        return;
    }
    TakeOverHandOff();  // a later start before the fetch began: its parameters are newer
    FetchStudyPackage();
}

bool LauncherSession::TakeOverHandOff() {
    const auto handOff = platform::TakeHandOff(settings_.localAppDataDir);
    if (!handOff) {
        return false;
    }
    std::string list = LaunchListFromHandOff(*handOff, settings_.ownProgramPath);
    if (list.empty()) {
        return false;  // a start without a link asks for no test
    }
    settings_.launchList = std::move(list);
    return true;
}

void LauncherSession::FetchStudyPackage() {
    handOffPoll_.stop();
    state_ = State::Fetching;
    if (LaunchListTooLong(settings_.launchList)) {
        Fail(FetchOutcome{FetchOutcome::Failure::LinkTooLong, 0, {}});
        return;
    }
    window_.ShowDownloading();
    fetcher_.Start(PackageRequestAddress(settings_.baseAddress, settings_.launchList));
}

void LauncherSession::Fail(const FetchOutcome& outcome) {
    state_ = State::Failed;
    canRetry_ = CanRetry(outcome);
    window_.ShowFailure(FailureMessage(outcome), CanRetry(outcome));
    if (TakeOverHandOff()) {
        FetchStudyPackage();
    } else {
        handOffPoll_.start();
    }
}

void LauncherSession::OnFetched(const FetchOutcome& outcome) {
    if (state_ != State::Fetching) {
        return;
    }
    if (!outcome.ok()) {
        // Nothing is written: the media files of an earlier run stay as they were.
        Fail(outcome);
        return;
    }
    const std::string installFolder = InstallFolder(settings_.myDocumentsDir);
    const std::string body = outcome.body.toStdString();
    if (!WriteMediaFiles(installFolder,
                         BuildMediaFiles(settings_.baseAddress, body, settings_.launchList))) {
        // A test client started now would read an earlier run's package, or none.
        Fail(FetchOutcome{FetchOutcome::Failure::MediaNotWritable, outcome.status, {}});
        return;
    }
    state_ = State::Starting;
    TraceEvent("launcher_starts_client");
    platform::StartProgram(TestClientCommand(installFolder, settings_.launchList), false, false);
    QTimer::singleShot(settings_.endDelayMs, Qt::PreciseTimer, this, [this] {
        state_ = State::Ending;
        emit finished();
    });
}

void LauncherSession::Retry() {
    if (state_ == State::Failed && canRetry_) {
        FetchStudyPackage();
    }
}

void LauncherSession::Close() {
    if (state_ != State::Failed) {
        return;
    }
    handOffPoll_.stop();
    state_ = State::Ending;
    if (guard_) {
        guard_->Release();
    }
    emit finished();
}

}  // namespace zunta::launcher
