// The launcher session when the link is too long to act on or the reply cannot be stored: the
// failure panel says so, no test client starts on an earlier run's files, and the media files
// stay whole.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include "../launcher/launcher_test_support.h"
#include "launcher/app/launcher_session.h"
#include "launcher/app/launcher_window.h"
#include "launcher/core/package_fetch.h"
#include "launcher/core/startup.h"
#include "tests/support/http_test_server.h"
#include "tests/unit/hardening/small_disk.h"
#include "zunta/platform/handoff.h"

namespace zunta::launcher {
namespace {

namespace fs = std::filesystem;
using testsupport::HttpTestServer;
using testsupport::Reply;
using zunta::testing::AwaitStandInRecord;
using zunta::testing::ReadBytes;
using zunta::testing::ReadStandInRecord;

const std::string kPath = "/admin/api_getdata.php";

class LauncherFaultSession : public ::testing::Test {
  protected:
    void SetUp() override {
        myDocs_ = (temp_.path() / "docs" / "").string();
        install_ = InstallFolder(myDocs_);
        standIn_ = zunta::testing::InstallStandIn(install_);
    }

    void Start(const std::string& list) {
        session_.reset();
        window_.reset();
        LaunchSettings settings;
        settings.baseAddress = server_.baseUrl();
        settings.launchList = list;
        settings.myDocumentsDir = myDocs_;
        settings.localAppDataDir = (temp_.path() / "local" / "").string();
        settings.ownProgramPath = "/opt/zunta/ZUNTA_Run";
        settings.fadeMs = 10;
        settings.timerMs = 10;
        settings.endDelayMs = 10;
        settings.timeoutMs = 2000;
        settings.handOffPollMs = 50;
        window_ = std::make_unique<LauncherWindow>(QImage());
        session_ = std::make_unique<LauncherSession>(settings, *window_, nullptr);
        finished_ = std::make_unique<QSignalSpy>(session_.get(), &LauncherSession::finished);
        session_->Begin();
    }

    template <typename T>
    T* Find(const char* name) {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    fs::path Media(const char* name) const { return MediaFolder(install_) / name; }
    void SaveScreenshot(const char* name) {
        const fs::path dir(ZUNTA_ARTIFACT_DIR);
        fs::create_directories(dir);
        EXPECT_TRUE(window_->grab().save(QString::fromStdString((dir / name).string())));
    }

    zunta::testing::TempFolder temp_;  // outlives a disk mounted inside it
    HttpTestServer server_;
    std::string myDocs_, install_;
    fs::path standIn_;
    std::unique_ptr<LauncherWindow> window_;
    std::unique_ptr<LauncherSession> session_;
    std::unique_ptr<QSignalSpy> finished_;
};

TEST_F(LauncherFaultSession, ALinkTooLongIsRefusedWithOnlyClose) {
    server_.setReply(kPath, Reply{200, "<SUBJECT>S</SUBJECT>"});
    Start("&zurun:IDKEY=1&SNO=2&UID=" + std::string(100 * 1024, 'u'));
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 5000);
    EXPECT_EQ(session_->state(), LauncherSession::State::Failed);
    EXPECT_TRUE(Find<QLabel>("Lb_Failure")->text().contains(QStringLiteral("너무 길어")));
    EXPECT_FALSE(Find<QPushButton>("Btn_Retry")->isVisible());
    EXPECT_TRUE(Find<QPushButton>("Btn_Close")->isVisible());
    EXPECT_TRUE(Find<QPushButton>("Btn_Close")->hasFocus());
    SaveScreenshot("launcher_link_too_long.png");
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_FALSE(fs::exists(Media("")));
    EXPECT_FALSE(ReadStandInRecord(standIn_).present);

    // Enter answers "닫기", the one button there is.
    QTest::keyClick(Find<QPushButton>("Btn_Close"), Qt::Key_Return);
    ZUNTA_WAIT_FOR(finished_->count() == 1, 5000);
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(LauncherFaultSession, ALaterStartWithALinkTooLongIsRefusedToo) {
    server_.setReply(kPath, Reply{503, ""});
    Start("&zurun:IDKEY=1&SNO=2");
    ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
    ASSERT_EQ(server_.requests().size(), 1u);
    const std::string later = "&zurun:IDKEY=3&SNO=4&UID=" + std::string(20 * 1024, 'u');
    ASSERT_TRUE(platform::WriteHandOff((temp_.path() / "local" / "").string(),
                                       "&/opt/zunta/ZUNTA_Run" + later));
    ZUNTA_WAIT_FOR(!Find<QPushButton>("Btn_Retry")->isVisible(), 5000);
    EXPECT_TRUE(Find<QLabel>("Lb_Failure")->text().contains(QStringLiteral("너무 길어")));
    EXPECT_EQ(session_->launchList(), later);
    EXPECT_EQ(server_.requests().size(), 1u);
    EXPECT_FALSE(ReadStandInRecord(standIn_).present);
}

TEST_F(LauncherFaultSession, AListAtTheLimitIsFetched) {
    server_.setReply(kPath, Reply{200, "<SUBJECT>S</SUBJECT>"});
    std::string list = "&zurun:IDKEY=1&SNO=2&UID=";
    list += std::string(kMaxLaunchListBytes - list.size(), 'u');
    Start(list);
    ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
    EXPECT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(AwaitStandInRecord(standIn_).arguments.at(1), list);
}

// The media folder that turns read-only or fills up: the reply cannot be stored, so the test
// client is not started on the earlier run's package; once there is room, retry goes on.
TEST_F(LauncherFaultSession, AReplyThatCannotBeStoredStartsNoTestClient) {
    zunta::testing::SmallDisk disk(MediaFolder(install_), 128);
    ZUNTA_NEED_DISK(disk);
    ASSERT_TRUE(platform::WriteFileReplacing(Media("MyDataStudy.txt"), "earlier package"));
    const std::string reply = "<SUBJECT>new</SUBJECT>" + std::string(64 * 1024, ' ');
    server_.setReply(kPath, Reply{200, reply});
    struct Case {
        const char* name;
        bool readOnly;
    };
    for (const Case c : {Case{"read-only", true}, Case{"full", false}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.readOnly ? disk.MakeReadOnly() : disk.FillLeaving(16 * 1024));
        Start("&zurun:IDKEY=1&SNO=2");
        ZUNTA_WAIT_FOR(Find<QWidget>("Panel_Failure")->isVisible(), 10000);
        EXPECT_TRUE(
            Find<QLabel>("Lb_Failure")->text().contains(QStringLiteral("저장할 수 없습니다")));
        EXPECT_TRUE(Find<QPushButton>("Btn_Retry")->isVisible());
        EXPECT_EQ(ReadBytes(Media("MyDataStudy.txt")), "earlier package");
        EXPECT_FALSE(fs::exists(Media("MyDataStudy.txt.part")));
        EXPECT_FALSE(ReadStandInRecord(standIn_).present);
        if (c.readOnly) {
            SaveScreenshot("launcher_media_not_writable.png");
            ASSERT_TRUE(disk.MakeWritable());
        } else {
            fs::remove(disk.dir() / ".filler");
        }
        QTest::mouseClick(Find<QPushButton>("Btn_Retry"), Qt::LeftButton);
        ZUNTA_WAIT_FOR(finished_->count() == 1, 10000);
        EXPECT_EQ(ReadBytes(Media("MyDataStudy.txt")), reply);
        EXPECT_TRUE(AwaitStandInRecord(standIn_).present);
        ASSERT_TRUE(platform::WriteFileReplacing(Media("MyDataStudy.txt"), "earlier package"));
        fs::remove(standIn_.string() + ".record");
    }
}

}  // namespace
}  // namespace zunta::launcher
