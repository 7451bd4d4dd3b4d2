// The round, flat choice box of the question screen. It toggles at the left press (not at the
// release, as a push button does), a double click toggles once, the keyboard never toggles it,
// and it is not exclusive.
#pragma once

#include <QWidget>

namespace zunta::testclient {

class RoundCheckBox : public QWidget {
    Q_OBJECT
  public:
    RoundCheckBox(const QString& caption, QWidget* parent);

    bool isChecked() const { return checked_; }
    void setChecked(bool checked);
    QString text() const { return caption_; }

  signals:
    void toggled(bool checked);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString caption_;
    bool checked_ = false;
    bool hovered_ = false;
};

}  // namespace zunta::testclient
