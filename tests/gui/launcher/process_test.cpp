// The built ZUNTA_Run as a real process: a temporary HOME, ZUNTA_SERVER_URL pointing at a
// real server on 127.0.0.1, and the stand-in test client in the install folder.
#include <gtest/gtest.h>
#include <QProcess>

#include "launcher_test_support.h"
#include "tests/support/http_test_server.h"

namespace zunta::launcher {
namespace {

using testsupport::HttpTestServer;
using testsupport::Reply;
using zunta::testing::AwaitStandInRecord;
using zunta::testing::ReadBytes;
using zunta::testing::ReadStandInRecord;
namespace fs = std::filesystem;

const std::string kPath = "/admin/api_getdata.php";

class LauncherProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = temp_.path();
        work_ = home_ / "work";
        fs::create_directories(work_);
        fs::create_directories(home_ / "run");
        fs::permissions(home_ / "run", fs::perms::owner_all);
        standIn_ = zunta::testing::InstallStandIn((home_ / "Documents" / "ZUNTA" / "").string());
    }

    std::unique_ptr<QProcess> Launch(const QStringList& arguments) {
        QProcessEnvironment env;
        const QString home = QString::fromStdString(home_.string());
        env.insert("HOME", home);
        env.insert("XDG_DATA_HOME", home + "/.local/share");
        env.insert("XDG_CONFIG_HOME", home + "/.config");
        env.insert("XDG_RUNTIME_DIR", home + "/run");
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ZUNTA_SERVER_URL", QString::fromStdString(server_.baseUrl()));
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(QString::fromStdString(work_.string()));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(ZUNTA_RUN_PROGRAM), arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }
    // Waits for the end; true when the launcher ended on its own with exit code 0.
    static bool EndsWithZero(QProcess& process, int timeoutMs = 20000) {
        return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    fs::path Media(const char* name) const { return home_ / "Documents/ZUNTA/media" / name; }
    fs::path HandOff() const { return home_ / ".local/share/ZUNTA_RUN/ZUNTA_RUN.DAT"; }

    zunta::testing::TempFolder temp_;
    HttpTestServer server_;
    fs::path home_, work_, standIn_;
};

TEST_F(LauncherProcessTest, WithoutALinkItRegistersTheScheme) {
    auto launcher = Launch({});
    ASSERT_TRUE(EndsWithZero(*launcher));
    const std::string program = fs::canonical(ZUNTA_RUN_PROGRAM).string();
    const std::string entry = ReadBytes(home_ / ".local/share/applications/zunta-run.desktop");
    EXPECT_NE(entry.find("\nExec=\"" + program + "\" %u\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=x-scheme-handler/zurun;\n"), std::string::npos) << entry;
    EXPECT_NE(ReadBytes(home_ / ".config/mimeapps.list")
                  .find("[Default Applications]\nx-scheme-handler/zurun=zunta-run.desktop\n"),
              std::string::npos);
    EXPECT_TRUE(server_.requests().empty());
    EXPECT_FALSE(fs::exists(home_ / "Documents/ZUNTA/ZUNTA_RUN"));
}

TEST_F(LauncherProcessTest, WithALinkItFetchesWritesStartsTheTestClientAndEnds) {
    server_.setReply(kPath, Reply{200, "<SUBJECT> Title </SUBJECT><QLIST>a,b</QLIST>"});
    auto launcher = Launch({"zurun:UID=s1&CHK=c9&IDKEY=1203&SNO=77", "tail"});
    ASSERT_TRUE(EndsWithZero(*launcher));
    ASSERT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(server_.requests()[0].target,
              "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=1203&sno=77&cate=1&page=1&");
    EXPECT_EQ(ReadBytes(Media("MyTitleStudy.txt")), "Title");
    EXPECT_EQ(ReadBytes(Media("MyVocaStudy.txt")), "a|b\r\n");
    EXPECT_TRUE(fs::is_directory(home_ / "Documents/ZUNTA/ZUNTA_RUN"));
    const auto record = AwaitStandInRecord(standIn_);
    ASSERT_TRUE(record.present);
    EXPECT_EQ(record.arguments,
              (std::vector<std::string>{standIn_.string(),
                                        "&zurun:UID=s1&CHK=c9&IDKEY=1203&SNO=77&tail"}));
    EXPECT_EQ(record.currentFolder, work_.string());  // the launcher's folder becomes its
}

TEST_F(LauncherProcessTest, ASecondStartHandsOverToAFailedLauncher) {
    server_.setReply(kPath, Reply{500, ""});
    auto first = Launch({"zurun:UID=a&IDKEY=1&SNO=1"});
    ZUNTA_WAIT_FOR(server_.requests().size() == 1, 20000);

    // The second start meets the guard, writes its hand-off and ends without a request of its
    // own; the failed first launcher takes the hand-off and fetches with its parameters.
    auto second = Launch({"zurun:UID=b&IDKEY=22&SNO=2"});
    ASSERT_TRUE(EndsWithZero(*second));
    ZUNTA_WAIT_FOR(server_.requests().size() == 2, 20000);
    EXPECT_EQ(server_.requests()[1].target,
              "/admin/api_getdata.php?cmd=ADD&mode=view&idkey=22&sno=2&cate=1&page=1&");
    ZUNTA_WAIT_FOR(!fs::exists(HandOff()), 5000);
    EXPECT_EQ(first->state(), QProcess::Running);  // failed again, still open
    EXPECT_FALSE(fs::exists(Media("")));
    EXPECT_FALSE(ReadStandInRecord(standIn_).present);

    // The system frees the guard with the process: the next start runs on its own.
    first->kill();
    first->waitForFinished(10000);
    server_.setReply(kPath, Reply{200, "<SUBJECT>S</SUBJECT>"});
    auto third = Launch({"zurun:UID=c&IDKEY=33&SNO=3"});
    ASSERT_TRUE(EndsWithZero(*third));
    EXPECT_EQ(server_.requests().size(), 3u);
    EXPECT_EQ(AwaitStandInRecord(standIn_).arguments.at(1), "&zurun:UID=c&IDKEY=33&SNO=3");
}

TEST_F(LauncherProcessTest, ARerunStartRunsBesideAHeldGuard) {
    server_.setReply(kPath, Reply{500, ""});
    auto first = Launch({"zurun:IDKEY=1"});
    ZUNTA_WAIT_FOR(server_.requests().size() == 1, 20000);
    server_.setReply(kPath, Reply{200, "<SUBJECT>R</SUBJECT>"});
    auto rerun = Launch({"zurun:rerun&IDKEY=5"});
    ASSERT_TRUE(EndsWithZero(*rerun));
    EXPECT_EQ(ReadBytes(Media("MyTitleStudy.txt")), "R");
    first->kill();
    first->waitForFinished(10000);
}

}  // namespace
}  // namespace zunta::launcher
