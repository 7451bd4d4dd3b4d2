// The test client when its media folder fills up during the test: the study log is still sent
// when the server answers; when it does not, the student is told it was not kept, and the run
// log (written elsewhere) still holds the request.
#include <gtest/gtest.h>
#include <QLabel>
#include <QSignalSpy>

#include "../launcher/launcher_test_support.h"
#include "devserver_fixture.h"
#include "testclient/core/outbox.h"
#include "testclient/mainwindow.h"
#include "testclient/messagebox.h"
#include "tests/support/http_test_server.h"
#include "tests/unit/hardening/small_disk.h"
#include "zunta/text.h"

namespace zunta::testclient {
namespace {

namespace fs = std::filesystem;
using zunta::testing::ReadBytes;

TEST(ClientDiskFault, MediaFullBeforeTheReport) {
    struct Case {
        const char* name;
        bool serverUp;
    };
    for (const Case c : {Case{"server answers", true}, Case{"server down", false}}) {
        SCOPED_TRACE(c.name);
        zunta::testing::TempFolder temp;
        zunta::testing::DevServerHarness server;
        ASSERT_TRUE(server.started()) << server.error();
        const fs::path appDir = temp.path() / "app";
        const fs::path cwd = temp.path() / "cwd";
        ASSERT_TRUE(platform::CreateFolders(cwd));
        zunta::testing::SmallDisk disk(appDir / "media", 64);
        ZUNTA_NEED_DISK(disk);
        ASSERT_TRUE(platform::WriteFileReplacing(disk.dir() / "MyDataStudy.txt",
                                                 zunta::testing::kDevPackage));
        std::string closedBase;
        {
            testsupport::HttpTestServer gone;
            closedBase = gone.baseUrl();
        }
        MessageBox::ResetRecord();
        MainWindowOptions options;
        options.appDir = appDir;
        options.currentDir = cwd;
        options.serverBase = c.serverUp ? server.baseUrl() : closedBase;
        options.transferTimeoutMs = 2000;
        MainWindow window(options);
        QSignalSpy reported(&window, &MainWindow::resultReported);
        ASSERT_TRUE(window.Start());
        // Loaded; the report comes with the first timer tick, on a disk with no room left.
        ASSERT_TRUE(disk.FillLeaving(0));
        window.show();
        ZUNTA_WAIT_FOR(reported.count() == 1, 10000);

        EXPECT_TRUE(Outbox(disk.dir()).Pending().empty());
        const std::vector<std::string> log = SplitLines(ReadBytes(cwd / "Result.txt"));
        ASSERT_GE(log.size(), 2u);
        EXPECT_NE(log[log.size() - 2].find("/admin/api_sendlog.php?idkey=7&testidkey=8&uid=u1"),
                  std::string::npos)
            << log[log.size() - 2];
        auto* notice = window.findChild<QLabel*>(QStringLiteral("Lb_SendNotice"));
        if (c.serverUp) {
            EXPECT_EQ(server.RecordedLogs(), 1);
            EXPECT_EQ(log.back().rfind(">>>RS=", 0), 0u) << log.back();
            EXPECT_FALSE(notice->isVisible());
        } else {
            EXPECT_EQ(log.back().rfind(">>>ERR=", 0), 0u) << log.back();
            EXPECT_TRUE(notice->isVisible());
            EXPECT_TRUE(notice->text().contains(QStringLiteral("저장하지도 못했습니다")));
        }
    }
}

}  // namespace
}  // namespace zunta::testclient
