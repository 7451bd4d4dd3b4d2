// The question screen's controls, keyboard and frame, and the start-up failure box.
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include "client_fixture.h"
#include "testclient/grtestform.h"
#include "testclient/roundcheckbox.h"

namespace zunta::testclient {
namespace {

class ScreenTest : public ClientTest {
  protected:
    // A package of the given entries (UTF-8), no pictures.
    void StartWith(const std::vector<std::string>& entries) {
        std::string package = "<SUBJECT>단원 평가</SUBJECT><QCOUNT>" +
                              std::to_string(entries.size()) + "</QCOUNT><QLIST>";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            package += "x\r\n";
        }
        package += "</QLIST>";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            package += "<Q" + n + ">" + entries[i] + "</Q" + n + ">";
        }
        WritePackage(package);
        ASSERT_TRUE(StartClient(server_->baseUrl()));
        WaitFor(1);
    }
    void WaitFor(int qno) {
        QTRY_COMPARE(Find<QLabel>("Lb_Step")->text(),
                     QStringLiteral("%1/%2").arg(qno).arg(window_->Run().State().QCount));
    }
    void Next(int expectQno) {
        QTest::mouseClick(Find<QWidget>("Img_Btn_Next"), Qt::LeftButton);
        WaitFor(expectQno);
    }
    QStringList Visible(const char* prefix) {
        QStringList names;
        for (int k = 1; k <= 5; ++k) {
            const QString name = QString::fromLatin1(prefix) + QString::number(k);
            if (!window_->findChild<QWidget*>(name)->isHidden()) {
                names << name;
            }
        }
        return names;
    }
    QWidget* Background() { return Find<QWidget>("Img_Background"); }
};

TEST_F(ScreenTest, AnswerControlsPerQuestionType) {
    StartWith({"1|2|0", "2|was@@were|1", "3||1", "4|a@@b@@c@@d@@e@@f|1", "5|2|2"});
    EXPECT_EQ(Visible("CB_").size(), 5);
    EXPECT_TRUE(Visible("Ed_").isEmpty());
    EXPECT_TRUE(Visible("Label").isEmpty());
    QTest::mouseClick(Find<QWidget>("CB_2"), Qt::LeftButton);

    Next(2);
    EXPECT_EQ(Visible("Ed_"), (QStringList{"Ed_1", "Ed_2"}));
    EXPECT_EQ(Visible("Label"), (QStringList{"Label1", "Label2"}));
    EXPECT_TRUE(Visible("CB_").isEmpty());
    EXPECT_EQ(Find<QLabel>("Label2")->text(), QStringLiteral("2)"));

    Next(3);
    EXPECT_EQ(Visible("Ed_"), (QStringList{"Ed_1"}));
    Next(4);
    EXPECT_EQ(Visible("Ed_").size(), 5);
    QTest::keyClicks(Find<QLineEdit>("Ed_5"), "typed");

    // An unknown type is answered with the choices, as it is graded; the fields go.
    Next(5);
    EXPECT_EQ(Visible("CB_").size(), 5);
    EXPECT_TRUE(Visible("Ed_").isEmpty());
    for (int k = 1; k <= 5; ++k) {
        EXPECT_FALSE(
            window_->findChild<RoundCheckBox*>(QStringLiteral("CB_%1").arg(k))->isChecked());
    }
    QTest::mouseClick(Find<QWidget>("CB_2"), Qt::LeftButton);
    const auto& points = window_->Run().State().QPoint;
    EXPECT_EQ(points[0], 1);
    EXPECT_EQ(points[1], 0);
    EXPECT_EQ(points[2], 1);  // empty key, nothing entered
    EXPECT_EQ(points[3], 0);
    EXPECT_EQ(window_->Run().State().QWrongAnswer[3], "typed");
    EXPECT_EQ(Find<QLabel>("Lb_Subject")->text(), QStringLiteral("단원 평가"));
}

TEST_F(ScreenTest, LabelsToggleOnlyTheirOwnDigit) {
    StartWith({"1|a@@b|1"});
    auto* label = Find<QWidget>("Label2");
    auto* edit = Find<QLineEdit>("Ed_2");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("2"));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QString());
    QTest::keyClicks(edit, "were");
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("were"));
    edit->clear();
    QTest::keyClicks(edit, "2");  // typed by hand: the label takes it out
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QString());
    QTest::mouseClick(label, Qt::RightButton);
    EXPECT_EQ(edit->text(), QString());
}

TEST_F(ScreenTest, ChoiceBoxesToggleByLeftPressOnly) {
    StartWith({"1|2,4|0"});
    auto* cb2 = Find<RoundCheckBox>("CB_2");
    auto* cb4 = Find<RoundCheckBox>("CB_4");
    QTest::mousePress(cb2, Qt::LeftButton);  // at the press, not at the release
    EXPECT_TRUE(cb2->isChecked());
    EXPECT_TRUE(cb2->hasFocus());
    QTest::mouseRelease(cb2, Qt::LeftButton);
    QTest::mouseClick(cb4, Qt::LeftButton);
    EXPECT_TRUE(cb2->isChecked());  // not exclusive
    QTest::mouseClick(cb2, Qt::LeftButton);
    EXPECT_FALSE(cb2->isChecked());
    EXPECT_TRUE(cb4->isChecked());
    QTest::mouseClick(cb2, Qt::RightButton);
    EXPECT_FALSE(cb2->isChecked());
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select}) {
        QTest::keyClick(cb4, key);
        EXPECT_TRUE(cb4->isChecked()) << key;
    }
}

TEST_F(ScreenTest, EnterReachesNoControlAndTabWalksTheAnswers) {
    StartWith({"1|a@@b@@c|1", "2|1|0"});
    auto* ed1 = Find<QLineEdit>("Ed_1");
    QSignalSpy returns(ed1, &QLineEdit::returnPressed);
    ed1->setFocus();
    QTest::keyClicks(ed1, "abc");
    QTest::keyClick(ed1, Qt::Key_Return);
    QTest::keyClick(ed1, Qt::Key_Enter);
    EXPECT_EQ(returns.count(), 0);
    EXPECT_EQ(ed1->text(), QStringLiteral("abc"));
    EXPECT_EQ(window_->Run().State().QNo, 1);

    window_->activateWindow();
    ed1->setFocus();
    QStringList order;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, (QStringList{"Ed_2", "Ed_3", "Ed_1"}));
}

TEST_F(ScreenTest, HeaderMovesTheWindowAndTheCrossShowsTheHand) {
    StartWith({"1|1|0"});
    QWidget* bg = Background();
    const QPoint start = window_->pos();
    QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(bg, QPoint(150, 40));
    QTest::mouseRelease(bg, Qt::LeftButton, {}, QPoint(150, 40));
    QTRY_COMPARE(window_->pos(), start + QPoint(50, 20));

    const QPoint moved = window_->pos();
    QTest::mousePress(bg, Qt::RightButton, {}, QPoint(100, 20));
    QTest::mouseMove(bg, QPoint(180, 50));
    QTest::mouseRelease(bg, Qt::RightButton, {}, QPoint(180, 50));
    QTest::mousePress(bg, Qt::LeftButton, {}, QPoint(1160, 10));  // neither zone
    QTest::mouseMove(bg, QPoint(1100, 40));
    QTest::mouseRelease(bg, Qt::LeftButton, {}, QPoint(1100, 40));
    EXPECT_EQ(window_->pos(), moved);

    const std::pair<QPoint, Qt::CursorShape> spots[] = {
        {{1161, 0}, Qt::PointingHandCursor},
        {{1199, 59}, Qt::PointingHandCursor},
        {{1180, 60}, Qt::ArrowCursor},
        {{1160, 30}, Qt::ArrowCursor},
    };
    for (const auto& [at, shape] : spots) {
        QTest::mouseMove(bg, at);
        EXPECT_EQ(bg->cursor().shape(), shape) << at.x() << "," << at.y();
    }
    EXPECT_EQ(MessageBox::AskedCount(), 0);
}

TEST_F(ScreenTest, CloseZoneAsksAndCancelKeepsTheAnswers) {
    StartWith({"1|a|1", "2|b|1"});
    QTest::keyClicks(Find<QLineEdit>("Ed_1"), "typed");

    // A press in the content area released in the close zone asks, with any button.
    MessageBox::SetNextAnswer(QMessageBox::Cancel);
    QTest::mousePress(Background(), Qt::LeftButton, {}, QPoint(640, 600));
    QTest::mouseRelease(Background(), Qt::RightButton, {}, QPoint(1170, 20));
    EXPECT_EQ(MessageBox::AskedCount(), 1);
    EXPECT_EQ(MessageBox::LastCaption(), QStringLiteral("Information"));
    EXPECT_EQ(MessageBox::LastText(), QStringLiteral("현재 영문법 테스트를 종료하시겠습니까?"));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(Find<QLineEdit>("Ed_1")->text(), QStringLiteral("typed"));
    EXPECT_EQ(window_->Run().State().QNo, 1);

    QTest::mouseRelease(Background(), Qt::LeftButton, {}, QPoint(1200, 20));  // outside
    EXPECT_EQ(MessageBox::AskedCount(), 1);

    MessageBox::SetNextAnswer(QMessageBox::Ok);
    QTest::mouseRelease(Background(), Qt::LeftButton, {}, QPoint(1170, -3));  // above the top
    EXPECT_EQ(MessageBox::AskedCount(), 2);
    QTRY_VERIFY(!window_->isVisible());
    EXPECT_TRUE(server_->requests().empty());
    EXPECT_FALSE(fs::exists(cwd_ / "Result.txt"));
    EXPECT_FALSE(fs::exists(appDir_ / "Result.txt"));
}

TEST_F(ScreenTest, StudyClockStartsAtTheFirstQuestion) {
    StartWith({"1|1|0"});
    QTRY_COMPARE_WITH_TIMEOUT(Find<QLabel>("Lb_StudyTimer")->text(), QStringLiteral("00:01"), 3000);
}

TEST_F(ScreenTest, PictureThatCannotBeLoadedLeavesNoMark) {
    server_->setReply("/missing.png", {404, "not here"});
    WritePackage(
        "<QCOUNT>1</QCOUNT><QLIST>x</QLIST><QDATA>1={SERVER}/missing.png</QDATA>"
        "<Q1>1|1|0</Q1>");
    ASSERT_TRUE(StartClient(server_->baseUrl()));
    QTRY_COMPARE(server_->requests().size(), 1u);
    QWidget* page = Find<QWidget>("WB_Img");
    // Right of the question number the page stays white: no broken-picture mark.
    QTRY_VERIFY([&] {
        const QImage shot = page->grab().toImage();
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 150; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) != Qt::white) {
                    return false;
                }
            }
        }
        return true;
    }());
    EXPECT_EQ(MessageBox::AskedCount(), 0);
}

TEST_F(ScreenTest, FailedLoadIsShownAndEndsTheProgram) {
    // No package at all, and one whose list is too short.
    MessageBox::SetNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(StartClient(server_->baseUrl()));
    EXPECT_EQ(MessageBox::AskedCount(), 1);
    EXPECT_TRUE(MessageBox::LastText().contains(QStringLiteral("찾을 수 없습니다")))
        << MessageBox::LastText().toStdString();

    WritePackage("<QCOUNT>3</QCOUNT><QLIST>a\r\nb</QLIST>");
    MessageBox::SetNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(StartClient(server_->baseUrl()));
    EXPECT_EQ(MessageBox::AskedCount(), 2);
    EXPECT_TRUE(MessageBox::LastText().contains(QStringLiteral("짧습니다")));
    EXPECT_FALSE(window_->isVisible());
}

}  // namespace
}  // namespace zunta::testclient
