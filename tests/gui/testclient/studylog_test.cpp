// The study log request against a real server: what counts as received, what happens when it
// is not, and the outbox that sends it again at the next start.
#include <QLabel>
#include <QSignalSpy>

#include "client_fixture.h"
#include "testclient/core/outbox.h"

namespace zunta::testclient {
namespace {

constexpr const char* kPackage =
    "<UID>u1</UID><IDKEY>7</IDKEY><TESTIDKEY>8</TESTIDKEY><QCOUNT>0</QCOUNT>";
constexpr const char* kTarget =
    "/admin/api_sendlog.php?idkey=7&testidkey=8&uid=u1&tcnt=0&scnt=0&stat=Y&odap=";

class StudyLogTest : public ClientTest {
  protected:
    // Runs a test of no questions to the end of the report against `base`.
    void RunToReport(const std::string& base, int timeoutMs = 30000) {
        WritePackage(kPackage);
        ASSERT_TRUE(StartClient(base, timeoutMs));
        QSignalSpy reported(window_.get(), &MainWindow::resultReported);
        QTRY_COMPARE_WITH_TIMEOUT(reported.count(), 1, 10000);
    }
    std::vector<std::string> PendingTargets() {
        std::vector<std::string> targets;
        for (const auto& address : Outbox(appDir_ / "media").Pending()) {
            targets.push_back(ReplaceAll(address, server_->baseUrl(), ""));
        }
        return targets;
    }
    std::size_t LogRequests() {
        std::size_t n = 0;
        for (const auto& r : server_->requests()) {
            n += r.target.rfind("/admin/api_sendlog.php", 0) == 0 ? 1 : 0;
        }
        return n;
    }
    std::vector<std::string> ResultLines() { return SplitLines(ReadBytes(cwd_ / "Result.txt")); }
};

TEST_F(StudyLogTest, ReceivedOnlyWithASuccessStatus) {
    struct Case {
        const char* name;
        testsupport::Reply reply;
        bool received;
        std::size_t requests = 1;
    };
    testsupport::Reply redirect{302, ""};
    redirect.headers = {{"Location", "/ok"}};
    const Case cases[] = {
        {"empty 200", {200, ""}, true},
        {"204", {204, ""}, true},
        {"redirect to a 200", redirect, true},
        {"server error", {500, "oops"}, false},
        {"not found", {404, "nope"}, false},
        {"connection closed without a reply",
         [] {
             testsupport::Reply r;
             r.closeWithoutReply = true;
             return r;
         }(),
         false, 2},  // Qt tries a GET once more on a connection closed without a reply
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        server_->setReply("/admin/api_sendlog.php", c.reply);
        server_->setReply("/ok", {200, "moved fine"});
        RunToReport(server_->baseUrl());
        EXPECT_EQ(LogRequests(), c.requests);
        const std::vector<std::string> lines = ResultLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], server_->baseUrl() + kTarget);
        EXPECT_EQ(lines.back().rfind(c.received ? ">>>RS=" : ">>>ERR=", 0), 0u) << lines.back();
        EXPECT_EQ(PendingTargets(),
                  c.received ? std::vector<std::string>{} : std::vector<std::string>{kTarget});
        EXPECT_EQ(Find<QLabel>("Lb_SendNotice")->isVisible(), !c.received);
        // The click still ends the program.
        QTest::mouseClick(Find<QWidget>("Img_OK"), Qt::LeftButton);
        QTRY_VERIFY(!window_->isVisible());
    }
}

TEST_F(StudyLogTest, ServerDownKeepsTheRequestAndTheNextStartSendsIt) {
    const std::string base = server_->baseUrl();
    server_->stop();
    RunToReport(base);
    EXPECT_EQ(PendingTargets(), std::vector<std::string>{kTarget});
    EXPECT_TRUE(Find<QLabel>("Lb_SendNotice")->isVisible());
    EXPECT_TRUE(Find<QLabel>("Lb_SendNotice")->text().contains(QStringLiteral("자동으로 전송")));
    SaveScreenshot(window_.get(), "testclient_result_not_sent.png");
    EXPECT_EQ(ResultLines().back().rfind(">>>ERR=", 0), 0u);
    QTest::mouseClick(Find<QWidget>("Panel_RESULT"), Qt::LeftButton);
    QTRY_VERIFY(!window_->isVisible());

    // The next start, with the server back and failing once: the request stays kept.
    server_ = std::make_unique<testsupport::HttpTestServer>();
    server_->setReply("/admin/api_sendlog.php", {503, "busy"});
    const std::string kept = Outbox(appDir_ / "media").Pending().front();
    ASSERT_TRUE(platform::WriteFileReplacing(Outbox(appDir_ / "media").FilePath(),
                                             ReplaceAll(kept, base, server_->baseUrl()) + "\r\n"));
    WritePackage("<QCOUNT>1</QCOUNT><QLIST>x</QLIST><Q1>1|1|0</Q1>");
    ASSERT_TRUE(StartClient(server_->baseUrl()));
    QTRY_VERIFY(!server_->requests().empty());
    EXPECT_EQ(server_->requests()[0].requestLine, std::string("GET ") + kTarget + " HTTP/1.1");
    QTRY_COMPARE(Find<QLabel>("Lb_Step")->text(), QStringLiteral("1/1"));  // the test goes on
    EXPECT_EQ(PendingTargets(), std::vector<std::string>{kTarget});

    // And once more, answered: the outbox is emptied.
    server_->setReply("/admin/api_sendlog.php", {200, "OK"});
    server_->clearRequests();
    ASSERT_TRUE(StartClient(server_->baseUrl()));
    QTRY_VERIFY(!server_->requests().empty());
    QTRY_VERIFY(PendingTargets().empty());
    EXPECT_FALSE(fs::exists(Outbox(appDir_ / "media").FilePath()));
}

TEST_F(StudyLogTest, StalledReplyTimesOut) {
    testsupport::Reply stall;
    stall.stallAfterBytes = 2;
    stall.body = "OK and more";
    server_->setReply("/admin/api_sendlog.php", stall);
    RunToReport(server_->baseUrl(), 300);
    EXPECT_EQ(PendingTargets(), std::vector<std::string>{kTarget});
    EXPECT_EQ(ResultLines().back().rfind(">>>ERR=", 0), 0u);
    EXPECT_TRUE(Find<QLabel>("Lb_SendNotice")->isVisible());
}

TEST_F(StudyLogTest, RunLogIsSavedBesideTheProgramWhenTheCurrentFolderIsGone) {
    server_->setReply("/admin/api_sendlog.php", {200, "OK"});
    fs::remove_all(cwd_);
    RunToReport(server_->baseUrl());
    EXPECT_EQ(window_->ResultFile(), appDir_ / "Result.txt");
    EXPECT_EQ(SplitLines(ReadBytes(appDir_ / "Result.txt")).back(), ">>>RS=OK");
}

TEST_F(StudyLogTest, ClickDuringTheRequestEndsOnceItIsDone) {
    testsupport::Reply slow{200, "OK"};
    slow.delayMs = 400;
    server_->setReply("/admin/api_sendlog.php", slow);
    WritePackage(kPackage);
    ASSERT_TRUE(StartClient(server_->baseUrl()));
    QTRY_VERIFY(Find<QWidget>("Panel_RESULT")->isVisible());
    QTest::mouseClick(Find<QWidget>("Img_OK"), Qt::LeftButton);
    EXPECT_TRUE(window_->isVisible());  // the report is still running
    QTRY_VERIFY(!window_->isVisible());
    EXPECT_EQ(ResultLines().back(), ">>>RS=OK");
    EXPECT_TRUE(PendingTargets().empty());
}

}  // namespace
}  // namespace zunta::testclient
