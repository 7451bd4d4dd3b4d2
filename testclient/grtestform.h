// The question screen: header (logo, subject, counter, study clock), the question page, the
// answer controls and the next arrow, and the header's hot zones for moving and closing.
#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>

#include "testclient/core/grading.h"
#include "testclient/core/questionview.h"

class QLineEdit;
class QNetworkAccessManager;

namespace zunta::testclient {

class QuestionBrowser;
class RoundCheckBox;

// A picture or label that reports a click (press and release of the left button on it).
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

class GrTestForm : public QWidget {
    Q_OBJECT
  public:
    GrTestForm(QNetworkAccessManager* network, QWidget* parent);

    // Applies the set-up of one question: counter, controls per type, page.
    void ShowQuestion(const QuestionView& view);
    void SetSubject(const QString& subject);
    AnswerInput CurrentAnswer() const;
    void ClearAnswers();
    void StartStudyClock();

    QuestionBrowser* Page() const { return page_; }

  signals:
    void nextClicked();
    void closeZoneReleased();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LabelClicked(int k);
    void BackgroundMouse(QEvent* event);

    QLabel* background_;
    QLabel* subject_;
    QLabel* step_;
    QLabel* clock_;
    QLabel* kor_;
    QuestionBrowser* page_;
    std::array<ClickLabel*, kAnswerFields> labels_{};
    std::array<QLineEdit*, kAnswerFields> edits_{};
    std::array<RoundCheckBox*, kAnswerFields> choices_{};
    ClickLabel* next_;
    QTimer studyTimer_;
    QElapsedTimer studyStart_;
    // Moving the window by hand where the system cannot (no window manager).
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace zunta::testclient
