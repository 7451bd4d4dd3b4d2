// The launcher's one window: the splash picture with per-pixel alpha in a frameless,
// translucent, stay-on-top window, with the download's progress bar and the failure panel on
// top of it. It shows what it is told and reports clicks; the start-up decides.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zunta::launcher {

class LauncherWindow : public QWidget {
    Q_OBJECT
  public:
    // The window's size without a picture.
    static constexpr int kDesignWidth = 988;
    static constexpr int kDesignHeight = 728;

    explicit LauncherWindow(QImage picture, QWidget* parent = nullptr);

    // Shows the window and fades it in: the ten opacities, each held for duration / 10 ms.
    void FadeIn(int durationMs);

    void ShowDownloading();
    void ShowProgress(qint64 received, qint64 total);
    // Without `canRetry` only "닫기" is offered.
    void ShowFailure(const QString& message, bool canRetry = true);

    const QImage& picture() const { return picture_; }

  signals:
    void fadeFinished();
    void retryClicked();
    void closeClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void FadeStep();

    QImage picture_;
    QProgressBar* progress_;
    QFrame* failurePanel_;
    QLabel* failureText_;
    QPushButton* retry_;
    QPushButton* close_;

    QTimer fadeTimer_;
    int fadeStep_ = 0;

    bool dragging_ = false;
    QPoint dragStartCursor_;
    QPoint dragStartWindow_;
};

}  // namespace zunta::launcher
