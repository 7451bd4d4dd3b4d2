// One whole test through the real widgets: from the package file to the study log received by
// a real server and Result.txt.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBrowser>

#include "client_fixture.h"
#include "testclient/core/outbox.h"
#include "testclient/grtestform.h"
#include "testclient/questionbrowser.h"
#include "testclient/roundcheckbox.h"

namespace zunta::testclient {
namespace {

const fs::path kFixture = fs::path(ZUNTA_TEST_DATA_DIR) / "testclient" / "run_basic";

class WholeRunTest : public ClientTest {
  protected:
    void Click(const char* name) {
        QWidget* w = Find<QWidget>(name);
        ASSERT_TRUE(w->isVisible()) << name;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    void TypeInto(const char* name, const QString& text) {
        auto* edit = Find<QLineEdit>(name);
        ASSERT_TRUE(edit->isVisible()) << name;
        // Korean text cannot go through keyClicks: one key event carrying the whole text.
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text, {});
    }
    // What the window system delivers for a double click: a click, then the second press as a
    // double-click event (QTest::mouseDClick alone sends only the latter).
    static void DoubleClick(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    }
    void WaitForQuestion(const QString& step) {
        QTRY_COMPARE(Find<QLabel>("Lb_Step")->text(), step);
        QTRY_VERIFY(Find<QWidget>("Form_GRTEST")->isVisible());
    }
};

TEST_F(WholeRunTest, FromPackageToStudyLogAndResultFile) {
    const std::string base = server_->baseUrl();
    server_->setReply("/pictures/q1.png", {200, PicturePng(420, 260, QColor(60, 110, 200))});
    server_->setReply("/pictures/q4.png", {200, PicturePng(380, 220, QColor(40, 150, 90))});
    server_->setReply("/admin/api_sendlog.php", {200, "OK saved"});
    WritePackage(ReadBytes(kFixture / "media" / "MyDataStudy.txt"));
    ASSERT_TRUE(StartClient(base));

    // 1: a choice question with a picture from the server; box 3 is right.
    WaitForQuestion("1/5");
    auto* page = Find<QuestionBrowser>("WB_Img");
    const QUrl picture1(QString::fromStdString(base + "/pictures/q1.png"));
    QTRY_VERIFY(page->document()->resource(QTextDocument::ImageResource, picture1).isValid());
    QTRY_VERIFY(page->CentringMargin() > 0);
    EXPECT_TRUE(Find<QWidget>("CB_1")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Ed_1")->isVisible());
    EXPECT_EQ(Find<QWidget>("CB_3")->y(), 344);
    Click("CB_3");
    EXPECT_TRUE(Find<RoundCheckBox>("CB_3")->isChecked());
    SaveScreenshot(window_.get(), "testclient_choice_question.png");
    Click("Img_Btn_Next");

    // 2: two written fields; the parts in the wrong order are wrong.
    WaitForQuestion("2/5");
    EXPECT_FALSE(Find<RoundCheckBox>("CB_3")->isChecked());
    EXPECT_FALSE(Find<QWidget>("CB_1")->isVisible());
    EXPECT_TRUE(Find<QWidget>("Ed_2")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Ed_3")->isVisible());
    QTest::keyClicks(Find<QLineEdit>("Ed_1"), "gone");
    TypeInto("Ed_2", QStringLiteral("went"));
    QTest::keyClick(Find<QLineEdit>("Ed_2"), Qt::Key_Return);  // swallowed: stays on 2
    SaveScreenshot(window_.get(), "testclient_written_question.png");
    EXPECT_EQ(Find<QLabel>("Lb_Step")->text(), QStringLiteral("2/5"));
    Click("Img_Btn_Next");

    // 3: boxes 2 and 4; a double click toggles once, a second click takes a box out again.
    WaitForQuestion("3/5");
    DoubleClick(Find<QWidget>("CB_3"));
    EXPECT_TRUE(Find<RoundCheckBox>("CB_3")->isChecked());
    Click("CB_2");
    Click("CB_4");
    Click("CB_3");
    EXPECT_FALSE(Find<RoundCheckBox>("CB_3")->isChecked());
    Click("Img_Btn_Next");

    // 4: a true/false answer; the label puts its digit in and takes it out again.
    WaitForQuestion("4/5");
    Click("Label1");
    EXPECT_EQ(Find<QLineEdit>("Ed_1")->text(), QStringLiteral("1"));
    Click("Label1");
    EXPECT_EQ(Find<QLineEdit>("Ed_1")->text(), QString());
    QTest::keyClicks(Find<QLineEdit>("Ed_1"), " O ");
    Click("Img_Btn_Next");

    // 5: a Korean answer holding "&" and "=", which must not add keys to the request.
    WaitForQuestion("5/5");
    TypeInto("Ed_1", QStringLiteral("학생 & 나="));
    QSignalSpy reported(window_.get(), &MainWindow::resultReported);
    Click("Img_Btn_Next");

    QTRY_COMPARE(reported.count(), 1);
    EXPECT_TRUE(Find<QWidget>("Panel_RESULT")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Lb_SendNotice")->isVisible());
    SaveScreenshot(window_.get(), "testclient_result.png");

    std::vector<testsupport::RecordedRequest> logs;
    for (const auto& r : server_->requests()) {
        if (r.target.rfind("/admin/", 0) == 0) {
            logs.push_back(r);
        }
    }
    ASSERT_EQ(logs.size(), 1u);
    const std::string target = Trim(ReadBytes(kFixture / "expected" / "request_target.txt"));
    EXPECT_EQ(logs[0].requestLine, "GET " + target + " HTTP/1.1");
    EXPECT_EQ(logs[0].header("User-Agent"), "Mozilla/5.0 (compatible; MSIE 7.0;)");
    EXPECT_EQ(logs[0].header("Accept"), "text/html, */*");

    EXPECT_EQ(window_->ResultFile(), cwd_ / "Result.txt");
    EXPECT_EQ(ReadBytes(cwd_ / "Result.txt"),
              ReplaceAll(ReadBytes(kFixture / "expected" / "Result.txt"), "{SERVER}", base));
    EXPECT_TRUE(Outbox(appDir_ / "media").Pending().empty());

    // Any click on the result picture ends the program.
    QTest::mouseClick(Find<QWidget>("Img_OK"), Qt::LeftButton, {}, QPoint(100, 100));
    QTRY_VERIFY(!window_->isVisible());
}

}  // namespace
}  // namespace zunta::testclient
