// Launch mode end to end inside one process: splash, Timer1, the fetch from a real server,
// the media files, the test client's start (a stand-in that records how it was started) and
// the end; the failure panel with retry and close, and the take-over of a later start.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <fstream>

#include "launcher/app/launcher_session.h"
#include "launcher/app/launcher_window.h"
#include "launcher/core/startup.h"
#include "launcher_test_support.h"
#include "tests/support/http_test_server.h"
#include "zunta/platform/handoff.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/text.h"

namespace zunta::launcher {
namespace {

using testsupport::HttpTestServer;
using testsupport::Reply;
using zunta::testing::AwaitStandInRecord;
using zunta::testing::ReadBytes;
using zunta::testing::ReadStandInRecord;
namespace fs = std::filesystem;

const std::string kPath = "/admin/api_getdata.php";
const std::string kOwnPath = "/opt/zunta/ZUNTA_Run";
const fs::path kGolden = fs::path(ZUNTA_TEST_DATA_DIR) / "launcher" / "basic";
const char* kMediaNames[] = {"MyDataStudy.txt", "MyVocaStudy.txt", "MyTitleStudy.txt",
                             "MyStudyStudy.txt"};

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        myDocs_ = (temp_.path() / "My Documents" / "").string();
        local_ = (temp_.path() / "local" / "").string();
        install_ = InstallFolder(myDocs_);
        standIn_ = zunta::testing::InstallStandIn(install_);
        guard_ = platform::InstanceGuard::Acquire(kGuardName, GuardFolder(local_));
        ASSERT_EQ(guard_->outcome(), platform::InstanceGuard::Outcome::Acquired);
    }

    // A session as the start-up makes it, with short pauses and no picture (the launcher
    // must work without one).
    void Start(const std::string& list, std::string base = {}) {
        LaunchSettings settings;
        settings.baseAddress = base.empty() ? server_.baseUrl() : base;
        settings.launchList = list;
        settings.myDocumentsDir = myDocs_;
        settings.localAppDataDir = local_;
        settings.ownProgramPath = kOwnPath;
        settings.fadeMs = 30;
        settings.timerMs = 50;
        settings.endDelayMs = 50;
        settings.timeoutMs = 2000;
        settings.handOffPollMs = 50;
        window_ = std::make_unique<LauncherWindow>(QImage());
        session_ = std::make_unique<LauncherSession>(settings, *window_, guard_.get());
        finished_ = std::make_unique<QSignalSpy>(session_.get(), &LauncherSession::finished);
        session_->Begin();
    }

    template <typename T>
    T* Find(const char* name) {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    fs::path Media(const char* name) const { return fs::path(install_) / "media" / name; }
    std::string Target(std::size_t i) const { return server_.requests().at(i).target; }

    zunta::testing::TempFolder temp_;
    HttpTestServer server_;
    std::string myDocs_, local_, install_;
    fs::path standIn_;
    std::unique_ptr<platform::InstanceGuard> guard_;
    std::unique_ptr<LauncherWindow> window_;
    std::unique_ptr<LauncherSession> session_;
    std::unique_ptr<QSignalSpy> finished_;
};

TEST_F(SessionTest, FetchesWritesTheMediaFilesStartsTheTestClientAndEnds) {
    server_.setReply(kPath, Reply{200, ReadBytes(fs::path(ZUNTA_TEST_DATA_DIR) / "package_basic" /
                                                 "reply_cp949.txt")});
    const std::string list = ReadBytes(kGolden / "launch_list.txt");
    Start(list);
    EXPECT_TRUE(fs::is_directory(install_ + "ZUNTA_RUN"));
    ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
    EXPECT_EQ(session_->state(), LauncherSession::State::Ending);
    ASSERT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(Target(0),
              "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=1203&sno=77&cate=1&page=1&");
    for (const char* name : kMediaNames) {
        // The golden work address names the default server.
        std::string golden = ReadBytes(kGolden / name);
        if (std::string_view(name) == "MyStudyStudy.txt") {
            golden = ReplaceAll(golden, "http://127.0.0.1:8080", server_.baseUrl());
        }
        EXPECT_EQ(ReadBytes(Media(name)), golden) << name;
    }
    const auto record = AwaitStandInRecord(standIn_);
    ASSERT_TRUE(record.present);
    EXPECT_EQ(record.arguments, (std::vector<std::string>{standIn_.string(), list}));
    EXPECT_EQ(record.currentFolder, fs::current_path().string());
}

TEST_F(SessionTest, AFailedFetchChangesNoFileAndRetryFetchesAgain) {
    fs::create_directories(Media(""));
    std::ofstream(Media("MyDataStudy.txt"), std::ios::binary) << "earlier run";
    server_.setReply(kPath, Reply{500, "<RESULT>FAIL</RESULT>"});
    Start("&zurun:UID=u&IDKEY=7&SNO=1");
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
    EXPECT_EQ(session_->state(), LauncherSession::State::Failed);
    EXPECT_TRUE(Find<QLabel>("Lb_Failure")->text().contains(QStringLiteral("상태 500")));
    EXPECT_EQ(ReadBytes(Media("MyDataStudy.txt")), "earlier run");
    EXPECT_FALSE(fs::exists(Media("MyVocaStudy.txt")));
    EXPECT_FALSE(ReadStandInRecord(standIn_).present);
    EXPECT_EQ(finished_->count(), 0);  // stays open until the student decides

    server_.setReply(kPath, Reply{200, "<SUBJECT>S</SUBJECT>"});
    QTest::mouseClick(Find<QPushButton>("Btn_Retry"), Qt::LeftButton);
    ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
    ASSERT_EQ(server_.requests().size(), 2u);
    EXPECT_EQ(Target(1), Target(0));  // the same parameters
    EXPECT_EQ(ReadBytes(Media("MyDataStudy.txt")), "<SUBJECT>S</SUBJECT>");
    EXPECT_TRUE(AwaitStandInRecord(standIn_).present);
}

TEST_F(SessionTest, CloseEndsTheLauncherAndFreesTheGuard) {
    std::string closedBase;
    {
        HttpTestServer gone;
        closedBase = gone.baseUrl();
    }
    Start("&zurun:IDKEY=7", closedBase);
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
    EXPECT_TRUE(Find<QLabel>("Lb_Failure")->text().contains(QStringLiteral("연결할 수 없습니다")));
    EXPECT_EQ(platform::InstanceGuard::Acquire(kGuardName, GuardFolder(local_))->outcome(),
              platform::InstanceGuard::Outcome::AlreadyRunning);
    QTest::mouseClick(Find<QPushButton>("Btn_Close"), Qt::LeftButton);
    ZUNTA_WAIT_FOR(finished_->count() == 1, 5000);
    EXPECT_EQ(platform::InstanceGuard::Acquire(kGuardName, GuardFolder(local_))->outcome(),
              platform::InstanceGuard::Outcome::Acquired);
    EXPECT_FALSE(fs::exists(Media("")));
}

TEST_F(SessionTest, AFailedLauncherTakesOverALaterStart) {
    server_.setReply(kPath, Reply{503, ""});
    Start("&zurun:UID=first&IDKEY=1&SNO=1");
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
    server_.setReply(kPath, Reply{200, "<IDKEY>99</IDKEY>"});
    const std::string later = "&zurun:UID=second&CHK=x&IDKEY=99&SNO=5";
    ASSERT_TRUE(platform::WriteHandOff(local_, "&" + kOwnPath + later));
    ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
    EXPECT_EQ(session_->launchList(), later);
    EXPECT_EQ(Target(1), "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=99&sno=5&cate=1&page=1&");
    EXPECT_FALSE(fs::exists(platform::HandOffPath(local_)));
    EXPECT_EQ(AwaitStandInRecord(standIn_).arguments.at(1), later);
    EXPECT_NE(ReadBytes(Media("MyStudyStudy.txt")).find("?bookidkey=99&userid=second&"),
              std::string::npos);
}

TEST_F(SessionTest, AStartBeforeTheFetchIsTakenOverOneDuringTheFetchIsLeft) {
    Reply slow{200, "<SUBJECT>S</SUBJECT>"};
    slow.delayMs = 300;
    server_.setReply(kPath, slow);
    ASSERT_TRUE(platform::WriteHandOff(local_, "&" + kOwnPath + "&zurun:IDKEY=2"));
    Start("&zurun:IDKEY=1");
    ZUNTA_WAIT_FOR(server_.requests().size() == 1, 10000);
    // A later start while the fetch runs: its hand-off stays where it is.
    ASSERT_TRUE(platform::WriteHandOff(local_, "&" + kOwnPath + "&zurun:IDKEY=3"));
    ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
    EXPECT_NE(Target(0).find("idkey=2&"), std::string::npos) << Target(0);
    EXPECT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(session_->launchList(), "&zurun:IDKEY=2");
    EXPECT_TRUE(fs::exists(platform::HandOffPath(local_)));
}

TEST_F(SessionTest, AHandOffWithoutALinkDoesNotReplaceTheParameters) {
    server_.setReply(kPath, Reply{500, ""});
    Start("&zurun:IDKEY=1");
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
    ASSERT_TRUE(platform::WriteHandOff(local_, "&" + kOwnPath));
    ZUNTA_WAIT_FOR(!fs::exists(platform::HandOffPath(local_)), 5000);
    EXPECT_EQ(session_->state(), LauncherSession::State::Failed);
    EXPECT_EQ(session_->launchList(), "&zurun:IDKEY=1");
    EXPECT_EQ(server_.requests().size(), 1u);
}

}  // namespace
}  // namespace zunta::launcher
