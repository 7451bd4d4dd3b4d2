#include "testclient/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QScreen>
#include <QVBoxLayout>

#include "testclient/ansi.h"
#include "testclient/core/flow.h"
#include "testclient/core/outbox.h"
#include "testclient/core/resultfile.h"
#include "testclient/grtestform.h"
#include "testclient/messagebox.h"
#include "testclient/studylogsender.h"
#include "testclient/uifonts.h"
#include "zunta/trace.h"

namespace zunta::testclient {

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      options_(std::move(options)),
      run_(options_.appDir) {
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(FromAnsi(run_.Caption()));
    setFixedSize(1200, 800);

    network_ = new QNetworkAccessManager(this);
    sender_ = new StudyLogSender(network_, options_.transferTimeoutMs, this);

    panelStudy_ = new QWidget(this);
    panelStudy_->setObjectName(QStringLiteral("Panel_Study"));
    panelStudy_->setGeometry(0, 0, 1200, 800);
    panelStudy_->setAutoFillBackground(true);
    QPalette black = panelStudy_->palette();
    black.setColor(QPalette::Window, Qt::black);
    panelStudy_->setPalette(black);

    grtest_ = new GrTestForm(network_, panelStudy_);
    grtest_->hide();
    connect(grtest_, &GrTestForm::nextClicked, this, &MainWindow::NextArrowClicked);
    connect(grtest_, &GrTestForm::closeZoneReleased, this, &MainWindow::AskToClose);

    // The result panel covers the whole window; any click on it ends the program.
    panelResult_ = new QWidget(panelStudy_);
    panelResult_->setObjectName(QStringLiteral("Panel_RESULT"));
    panelResult_->setGeometry(0, 0, 1200, 800);
    panelResult_->hide();
    auto* picture = new QLabel(panelResult_);
    picture->setObjectName(QStringLiteral("Img_OK"));
    picture->setGeometry(0, 0, 1200, 800);
    picture->setScaledContents(true);  // the picture is decoded when the result is shown
    notice_ = new QLabel(panelResult_);
    notice_->setObjectName(QStringLiteral("Lb_SendNotice"));
    notice_->setGeometry(150, 575, 900, 100);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setWordWrap(true);
    notice_->setFont(KoreanFont(20, true));
    notice_->setStyleSheet(QStringLiteral(
        "QLabel { color: #b00020; background: #fff4f4; border: 1px solid #e0a0a0; }"));
    notice_->hide();
    resultPicture_ = picture;

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setSingleShot(true);
    timer1_.setInterval(100);
    timer1_.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire up to 5 ms late
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::Timer1Timer);

    // The window sees every key of its controls first: Enter reaches none of them.
    qApp->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // Replies still running must not call back into a half-destroyed window.
    delete sender_;
    sender_ = nullptr;
}

bool MainWindow::Start() {
    ResendOutbox();
    const LoadResult loaded = run_.LoadStudyPackage();
    if (!loaded.ok()) {
        MessageBox::Ask(this, QMessageBox::Critical, QStringLiteral("Information"),
                        QString::fromStdString(loaded.message), QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    setWindowTitle(FromAnsi(run_.Caption()));
    stage_ = Stage::Testing;
    resultSeen_ = false;
    timer1_.start();
    return true;
}

void MainWindow::ResendOutbox() {
    Outbox outbox(run_.MediaDir());
    for (const std::string& address : outbox.Pending()) {
        sender_->Send(address, [media = run_.MediaDir(), address](const SendOutcome& outcome) {
            if (outcome.received) {
                Outbox(media).Remove(address);
            }
        });
    }
}

void MainWindow::Timer1Timer() {
    timer1_.stop();
    const Tick tick = TimerTick(run_);
    grtest_->SetSubject(FromAnsi(run_.State().Subject));
    if (tick.showResult) {
        ShowResult();
        return;
    }
    if (tick.startClock) {
        grtest_->StartStudyClock();
    }
    grtest_->ShowQuestion(tick.view);
    traceQuestionPaint_ = tick.view.qno == 1 && TraceEnabled();
    emit questionShown(tick.view.qno);
}

void MainWindow::NextArrowClicked() {
    if (stage_ != Stage::Testing || timer1_.isActive()) {
        return;  // the next question is on its way
    }
    const Advance advance = NextQuestion(run_, grtest_->CurrentAnswer());
    grtest_->ClearAnswers();
    if (advance == Advance::ShowNextQuestion) {
        timer1_.start();
    } else if (advance == Advance::ShowResult) {
        ShowResult();
    }
}

void MainWindow::ShowResult() {
    if (stage_ != Stage::Testing) {
        return;
    }
    stage_ = Stage::Reporting;
    // Decoded only now: at start-up it would delay question 1 by tens of milliseconds.
    resultPicture_->setPixmap(QPixmap(QStringLiteral(":/testclient/result.png")));
    panelResult_->show();
    panelResult_->raise();

    const std::string address = BeginStudyLog(run_, options_.serverBase);
    // Kept before it is sent, so a request cut short by the end of the program is sent again.
    const bool kept = Outbox(run_.MediaDir()).Add(address);
    sender_->Send(address, [this, address, kept](const SendOutcome& outcome) {
        if (outcome.received) {
            RecordStudyLogReply(run_, outcome.body.toStdString());
            Outbox(run_.MediaDir()).Remove(address);
        } else {
            RecordStudyLogFailure(run_, outcome.reason.toStdString());
            notice_->setText(
                kept ? QStringLiteral("시험 결과를 서버로 보내지 못했습니다.\n결과는 이 컴퓨터에 "
                                      "저장되었고, 다음에 시험 프로그램을 실행할 때 자동으로 "
                                      "전송됩니다.\n화면을 클릭하면 종료합니다.")
                     : QStringLiteral("시험 결과를 서버로 보내지 못했고, 이 컴퓨터에 저장하지도 "
                                      "못했습니다.\n선생님께 알려 주세요.\n화면을 클릭하면 "
                                      "종료합니다."));
            notice_->show();
            notice_->raise();
        }
        FinishReport();
    });
}

void MainWindow::FinishReport() {
    const auto saved = SaveResultFile(run_.Log().Text(), options_.currentDir, options_.appDir);
    resultFile_ = saved.value_or(std::filesystem::path());
    stage_ = Stage::Waiting;
    emit resultReported();
    if (resultSeen_) {
        close();
    }
}

void MainWindow::ResultClicked() {
    resultSeen_ = true;
    if (stage_ == Stage::Waiting) {
        close();
    }
}

void MainWindow::AskToClose() {
    raise();
    activateWindow();
    const auto answer =
        MessageBox::Ask(this, QMessageBox::Information, QStringLiteral("Information"),
                        QStringLiteral("현재 영문법 테스트를 종료하시겠습니까?"),
                        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    if (answer == QMessageBox::Ok) {
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    resultSeen_ = true;
    if (stage_ == Stage::Reporting) {
        // Ended while the request runs: the outbox holds it; keep the run log as well.
        const auto saved = SaveResultFile(run_.Log().Text(), options_.currentDir, options_.appDir);
        resultFile_ = saved.value_or(std::filesystem::path());
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (traceQuestionPaint_ && watched == grtest_ && event->type() == QEvent::Paint) {
        traceQuestionPaint_ = false;
        // Noted once this paint pass has been drawn and handed to the window system.
        QTimer::singleShot(0, this, [] { TraceEvent("client_question1_painted"); });
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && widget != nullptr &&
            widget->window() == this) {
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        (watched == panelResult_ || watched == resultPicture_ || watched == notice_)) {
        ResultClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zunta::testclient
