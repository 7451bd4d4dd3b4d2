#include "launcher/app/launcher_window.h"

#include <algorithm>

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "launcher/core/splash_math.h"

namespace zunta::launcher {

LauncherWindow::LauncherWindow(QImage picture, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(std::move(picture)) {
    setObjectName(QStringLiteral("Form_DWriting"));
    setWindowTitle(QStringLiteral("ZUNTA Launcher 2019"));
    // Per-pixel alpha: a layered window on Windows, an ARGB visual under a compositor.
    setAttribute(Qt::WA_TranslucentBackground);
    const QSize size = picture_.isNull() ? QSize(kDesignWidth, kDesignHeight) : picture_.size();
    setFixedSize(size);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // A slim bar over the lower part of the picture.
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar_Download"));
    progress_->setTextVisible(false);
    progress_->setFixedHeight(6);
    progress_->setGeometry(size.width() / 6, size.height() - 40, size.width() * 2 / 3, 6);
    progress_->hide();

    failurePanel_ = new QFrame(this);
    failurePanel_->setObjectName(QStringLiteral("Panel_Failure"));
    failurePanel_->setAutoFillBackground(true);
    failurePanel_->setFrameShape(QFrame::StyledPanel);
    failureText_ = new QLabel(failurePanel_);
    failureText_->setObjectName(QStringLiteral("Lb_Failure"));
    failureText_->setWordWrap(true);
    failureText_->setAlignment(Qt::AlignCenter);
    retry_ = new QPushButton(QStringLiteral("다시 시도"), failurePanel_);
    retry_->setObjectName(QStringLiteral("Btn_Retry"));
    close_ = new QPushButton(QStringLiteral("닫기"), failurePanel_);
    close_->setObjectName(QStringLiteral("Btn_Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(retry_);
    buttons->addWidget(close_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(failurePanel_);
    layout->addWidget(failureText_);
    layout->addLayout(buttons);
    const int panelWidth = std::min(size.width() - 20, 420);
    failurePanel_->setGeometry((size.width() - panelWidth) / 2, size.height() / 2 - 20, panelWidth,
                               std::min(size.height() / 2, 120));
    failurePanel_->hide();
    // Outside a dialog a push button takes Enter only as an auto-default one.
    retry_->setAutoDefault(true);
    close_->setAutoDefault(true);
    connect(retry_, &QPushButton::clicked, this, &LauncherWindow::retryClicked);
    connect(close_, &QPushButton::clicked, this, &LauncherWindow::closeClicked);

    fadeTimer_.setTimerType(Qt::PreciseTimer);
    fadeTimer_.setSingleShot(true);
    connect(&fadeTimer_, &QTimer::timeout, this, &LauncherWindow::FadeStep);
}

void LauncherWindow::FadeIn(int durationMs) {
    fadeTimer_.setInterval(FadePauseMs(durationMs));
    fadeStep_ = 0;
    setWindowOpacity(0.0);
    show();
    FadeStep();
}

void LauncherWindow::FadeStep() {
    static const auto opacities = FadeOpacities();
    if (fadeStep_ == static_cast<int>(opacities.size())) {
        emit fadeFinished();
        return;
    }
    setWindowOpacity(opacities[static_cast<std::size_t>(fadeStep_++)] / 255.0);
    update();  // under X11 the opacity reaches the server with the next repaint
    fadeTimer_.start();
}

void LauncherWindow::ShowDownloading() {
    failurePanel_->hide();
    progress_->setRange(0, 0);  // indeterminate until the reply's length is known
    progress_->show();
}

void LauncherWindow::ShowProgress(qint64 received, qint64 total) {
    if (total > 0) {
        // Kilobytes keep large replies inside the bar's int range.
        progress_->setRange(0, static_cast<int>((total + 1023) / 1024));
        progress_->setValue(static_cast<int>((received + 1023) / 1024));
    } else {
        progress_->setRange(0, 0);
    }
}

void LauncherWindow::ShowFailure(const QString& message, bool canRetry) {
    progress_->hide();
    failureText_->setText(message);
    retry_->setVisible(canRetry);
    failurePanel_->show();
    failurePanel_->raise();
    // Enter retries and Tab reaches "닫기": the failure can be answered from the keyboard too.
    (canRetry ? retry_ : close_)->setFocus();
}

void LauncherWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, picture_);
}

void LauncherWindow::mousePressEvent(QMouseEvent* event) {
    raise();
    if (!StartsDrag(event->button() == Qt::LeftButton, event->position().toPoint().y())) {
        return;
    }
    setCursor(Qt::SizeAllCursor);
    // The window manager moves the window where there is one; elsewhere it follows the mouse.
    if (windowHandle() && windowHandle()->startSystemMove()) {
        unsetCursor();
        return;
    }
    dragging_ = true;
    dragStartCursor_ = event->globalPosition().toPoint();
    dragStartWindow_ = pos();
}

void LauncherWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(dragStartWindow_ + (event->globalPosition().toPoint() - dragStartCursor_));
    }
}

void LauncherWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        unsetCursor();
    }
}

}  // namespace zunta::launcher
