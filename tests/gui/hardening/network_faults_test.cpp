// Both requests against the development server's fault modes: the launcher's package fetch
// (failure panel or test client started) and the test client's study log (recorded, or kept
// in the outbox for the next start). Time-outs are set short for the test.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include "../launcher/launcher_test_support.h"
#include "devserver_fixture.h"
#include "launcher/app/launcher_session.h"
#include "launcher/app/launcher_window.h"
#include "launcher/core/startup.h"
#include "testclient/core/outbox.h"
#include "testclient/mainwindow.h"
#include "testclient/messagebox.h"
#include "zunta/platform/instance_guard.h"
#include "zunta/text.h"

namespace zunta {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;

constexpr int kTimeoutMs = 1000;
const std::string kList = "&zurun:UID=u1&CHK=c&IDKEY=7&SNO=1";

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    std::string name;
    for (const char c : std::string(info.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

struct FaultRow {
    const char* name;
    std::string control;  // armed before the request; empty: none
    // What the student sees: empty when the test client starts, else part of the panel text.
    QString panelText;
};

void PrintTo(const FaultRow& row, std::ostream* os) {
    *os << row.name;
}

// The four modes that carry the request out still hand over the reply, except when it
// arrives too late or not whole.
const FaultRow kFetchRows[] = {
    {"no fault", "", {}},
    {"delay within the time-out", "mode=delay&ms=150", {}},
    {"delay past the time-out", "mode=delay&ms=3000", QStringLiteral("시간 초과")},
    {"stall half way", "mode=stall", QStringLiteral("시간 초과")},
    // Qt sends a GET once more on a connection closed without a reply.
    {"connection closed once", "mode=close&count=1", {}},
    {"connection closed each time", "mode=close&count=5", QStringLiteral("연결할 수 없습니다")},
    {"redirect", "mode=status&status=302", QStringLiteral("상태 302")},
    {"server error", "mode=status&status=500", QStringLiteral("상태 500")},
    {"service unavailable", "mode=status&status=503", QStringLiteral("상태 503")},
    // The launcher stores what a successful reply holds; the test client then says what it
    // makes of an empty package.
    {"empty body", "mode=empty", {}},
    {"body cut short", "mode=cut", QStringLiteral("연결이 끊어졌습니다")},
};

class LauncherFaultTest : public ::testing::TestWithParam<FaultRow> {
  protected:
    testing::TempFolder temp_;
    testing::DevServerHarness server_;
};

TEST_P(LauncherFaultTest, ShowsThePanelOrStartsTheTestClient) {
    const FaultRow& row = GetParam();
    ASSERT_TRUE(server_.started()) << server_.error();
    std::string why;
    if (!row.control.empty()) {
        ASSERT_TRUE(server_.Arm("path=/admin/api_getdata.php&" + row.control, why)) << why;
    }
    const std::string myDocs = (temp_.path() / "docs" / "").string();
    const std::string local = (temp_.path() / "local" / "").string();
    const std::string install = launcher::InstallFolder(myDocs);
    const fs::path standIn = testing::InstallStandIn(install);
    fs::create_directories(fs::path(install) / "media");
    ASSERT_TRUE(
        platform::WriteFileReplacing(fs::path(install) / "media" / "MyDataStudy.txt", "earlier"));

    launcher::LaunchSettings settings;
    settings.baseAddress = server_.baseUrl();
    settings.launchList = kList;
    settings.myDocumentsDir = myDocs;
    settings.localAppDataDir = local;
    settings.ownProgramPath = "/opt/zunta/ZUNTA_Run";
    settings.fadeMs = 10;
    settings.timerMs = 10;
    settings.endDelayMs = 10;
    settings.timeoutMs = kTimeoutMs;
    settings.handOffPollMs = 50;
    launcher::LauncherWindow window{QImage()};
    launcher::LauncherSession session(settings, window, nullptr);
    QSignalSpy finished(&session, &launcher::LauncherSession::finished);
    session.Begin();

    auto* panel = window.findChild<QWidget*>(QStringLiteral("Panel_Failure"));
    ZUNTA_WAIT_FOR(finished.count() == 1 || panel->isVisible(), 10000);
    const std::string stored = ReadBytes(fs::path(install) / "media" / "MyDataStudy.txt");
    if (row.panelText.isEmpty()) {
        EXPECT_FALSE(panel->isVisible());
        ZUNTA_WAIT_FOR(testing::ReadStandInRecord(standIn).present, 5000);
        const bool empty = row.control == "mode=empty";
        EXPECT_EQ(stored, empty ? std::string() : testing::kDevPackage);
    } else {
        const QString text = window.findChild<QLabel*>(QStringLiteral("Lb_Failure"))->text();
        EXPECT_TRUE(text.contains(row.panelText)) << text.toStdString();
        EXPECT_TRUE(window.findChild<QPushButton*>(QStringLiteral("Btn_Retry"))->isVisible());
        EXPECT_EQ(stored, "earlier");  // nothing written
        EXPECT_FALSE(testing::ReadStandInRecord(standIn).present);
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, LauncherFaultTest, ::testing::ValuesIn(kFetchRows),
                         RowName<FaultRow>);

struct LogRow {
    const char* name;
    std::string control;
    bool received;  // the run log ends in ">>>RS=", the outbox is empty
    int recorded;   // study logs the server holds afterwards; -1: either
};

void PrintTo(const LogRow& row, std::ostream* os) {
    *os << row.name;
}

const LogRow kLogRows[] = {
    {"no fault", "", true, 1},
    {"delay within the time-out", "mode=delay&ms=150", true, 1},
    // The server still records the late request; the client keeps it and resends it, which
    // the server stores once.
    {"delay past the time-out", "mode=delay&ms=3000", false, -1},
    {"stall half way", "mode=stall", false, 1},
    {"connection closed each time", "mode=close&count=5", false, 0},
    // The study log follows a redirect; the default target is the request's own.
    {"redirect to itself", "mode=status&status=302", true, 1},
    {"server error", "mode=status&status=500", false, 0},
    {"empty body", "mode=empty", true, 1},
    {"body cut short", "mode=cut", false, 1},
};

class StudyLogFaultTest : public ::testing::TestWithParam<LogRow> {
  protected:
    void SetUp() override {
        testclient::MessageBox::ResetRecord();
        ASSERT_TRUE(platform::CreateFolders(appDir_ / "media"));
        ASSERT_TRUE(platform::CreateFolders(cwd_));
    }
    // A test of no questions run to the end of its report.
    void RunToReport() {
        ASSERT_TRUE(platform::WriteFileReplacing(appDir_ / "media" / "MyDataStudy.txt",
                                                 testing::kDevPackage));
        testclient::MainWindowOptions options;
        options.appDir = appDir_;
        options.currentDir = cwd_;
        options.serverBase = server_.baseUrl();
        options.transferTimeoutMs = kTimeoutMs;
        window_ = std::make_unique<testclient::MainWindow>(options);
        QSignalSpy reported(window_.get(), &testclient::MainWindow::resultReported);
        ASSERT_TRUE(window_->Start());
        window_->show();
        ZUNTA_WAIT_FOR(reported.count() == 1, 10000);
    }
    std::vector<std::string> Pending() const {
        return testclient::Outbox(appDir_ / "media").Pending();
    }

    testing::TempFolder temp_;
    testing::DevServerHarness server_;
    fs::path appDir_ = temp_.path() / "app";
    fs::path cwd_ = temp_.path() / "cwd";
    std::unique_ptr<testclient::MainWindow> window_;
};

TEST_P(StudyLogFaultTest, IsRecordedOrKeptForTheNextStart) {
    const LogRow& row = GetParam();
    ASSERT_TRUE(server_.started()) << server_.error();
    std::string why;
    if (!row.control.empty()) {
        ASSERT_TRUE(server_.Arm("path=/admin/api_sendlog.php&" + row.control, why)) << why;
    }
    RunToReport();
    const std::vector<std::string> log = SplitLines(ReadBytes(cwd_ / "Result.txt"));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back().rfind(row.received ? ">>>RS=" : ">>>ERR=", 0), 0u) << log.back();
    auto* notice = window_->findChild<QLabel*>(QStringLiteral("Lb_SendNotice"));
    EXPECT_EQ(notice->isVisible(), !row.received);
    if (row.recorded >= 0) {
        EXPECT_EQ(server_.RecordedLogs(), row.recorded);
    }
    if (row.received) {
        EXPECT_TRUE(Pending().empty());
        return;
    }
    ASSERT_EQ(Pending().size(), 1u);
    EXPECT_EQ(Pending().front(), log[log.size() - 2]);  // the request the run log names
    EXPECT_TRUE(notice->text().contains(QStringLiteral("자동으로 전송")));

    // The next start, with the fault used up or disarmed: the kept log reaches the server
    // once, and the outbox empties.
    ASSERT_TRUE(server_.ResetFaults());
    window_.reset();
    RunToReport();
    QTRY_VERIFY_WITH_TIMEOUT(Pending().empty(), 10000);
    EXPECT_TRUE(Pending().empty());
    EXPECT_EQ(server_.RecordedLogs(), 1);  // the resent log and the new one are the same
}

INSTANTIATE_TEST_SUITE_P(Faults, StudyLogFaultTest, ::testing::ValuesIn(kLogRows), RowName<LogRow>);

}  // namespace
}  // namespace zunta
