#include "testclient/roundcheckbox.h"

#include <QMouseEvent>
#include <QPainter>

#include "testclient/uifonts.h"

namespace zunta::testclient {

RoundCheckBox::RoundCheckBox(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFont(LatinFont(21, true));
    setAttribute(Qt::WA_Hover);
}

void RoundCheckBox::setChecked(bool checked) {
    if (checked_ == checked) {
        return;
    }
    checked_ = checked;
    update();
    emit toggled(checked_);
}

void RoundCheckBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setChecked(!checked_);
}

void RoundCheckBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first press of the double click toggled already.
    event->accept();
}

void RoundCheckBox::enterEvent(QEnterEvent*) {
    hovered_ = true;
    update();
}

void RoundCheckBox::leaveEvent(QEvent*) {
    hovered_ = false;
    update();
}

void RoundCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal d = 24;
    const QRectF ring(3, (height() - d) / 2.0, d, d);
    const QColor accent = hovered_ ? palette().color(QPalette::Highlight) : QColor(90, 92, 100);
    p.setPen(QPen(accent, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(ring);
    if (checked_) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(214, 48, 49));
        p.drawEllipse(ring.adjusted(5, 5, -5, -5));
    }
    p.setPen(hovered_ ? palette().color(QPalette::Highlight) : QColor(30, 30, 36));
    p.setFont(font());
    p.drawText(QRectF(ring.right() + 8, 0, width() - ring.right() - 8, height()),
               Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

}  // namespace zunta::testclient
