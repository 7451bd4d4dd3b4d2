// Every message box of the test client goes through here, so tests can answer it without a
// modal box on screen.
#pragma once

#include <QMessageBox>
#include <QString>

namespace zunta::testclient {

class MessageBox {
  public:
    static QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon,
                                           const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);

    // Tests: the next Ask returns `answer` at once instead of showing a box.
    static void SetNextAnswer(QMessageBox::StandardButton answer);
    // Tests: what the last Ask was asked, and how many were asked since the last reset.
    static QString LastCaption();
    static QString LastText();
    static int AskedCount();
    static void ResetRecord();
};

}  // namespace zunta::testclient
