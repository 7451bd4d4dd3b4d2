// The test client's one window: borderless, on top, 1200 x 800. It holds the question screen
// and the result panel, and turns timer ticks, clicks and replies into calls of the test flow.
#pragma once

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <string>

#include "testclient/core/testrun.h"

class QLabel;
class QNetworkAccessManager;

namespace zunta::testclient {

class GrTestForm;
class StudyLogSender;

struct MainWindowOptions {
    std::filesystem::path appDir;      // media/ lies below it
    std::filesystem::path currentDir;  // where Result.txt goes first
    std::string serverBase;            // scheme, host and port of the organisation's server
    int transferTimeoutMs = 30000;     // study log request, without progress
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Stage { Loading, Testing, Reporting, Waiting };

    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sends what the outbox holds, loads the package and arms the first question. A failed
    // load is shown in a message box; then the caller ends the program.
    bool Start();

    TestRun& Run() { return run_; }
    GrTestForm* QuestionScreen() const { return grtest_; }
    Stage CurrentStage() const { return stage_; }
    // Where Result.txt was written, empty before the end of the test or when it could not be.
    std::filesystem::path ResultFile() const { return resultFile_; }

  signals:
    void questionShown(int qno);
    void resultReported();  // the study log request ended and Result.txt was written

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Timer1Timer();
    void NextArrowClicked();
    void ShowResult();
    void FinishReport();
    void ResultClicked();
    void AskToClose();
    void ResendOutbox();

    MainWindowOptions options_;
    TestRun run_;
    QNetworkAccessManager* network_;
    StudyLogSender* sender_;
    QWidget* panelStudy_;
    GrTestForm* grtest_;
    QWidget* panelResult_;
    QLabel* resultPicture_;
    QLabel* notice_;
    QTimer timer1_;
    Stage stage_ = Stage::Loading;
    bool resultSeen_ = false;
    bool traceQuestionPaint_ = false;  // measured runs: the next paint of question 1 is noted
    std::filesystem::path resultFile_;
};

}  // namespace zunta::testclient
