#include "testclient/messagebox.h"

#include <optional>

namespace zunta::testclient {
namespace {
std::optional<QMessageBox::StandardButton> nextAnswer;
QString lastCaption;
QString lastText;
int askedCount = 0;
}  // namespace

QMessageBox::StandardButton MessageBox::Ask(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    lastCaption = caption;
    lastText = text;
    ++askedCount;
    if (nextAnswer) {
        const QMessageBox::StandardButton answer = *nextAnswer;
        nextAnswer.reset();
        return answer;
    }
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::SetNextAnswer(QMessageBox::StandardButton answer) {
    nextAnswer = answer;
}
QString MessageBox::LastCaption() {
    return lastCaption;
}
QString MessageBox::LastText() {
    return lastText;
}
int MessageBox::AskedCount() {
    return askedCount;
}
void MessageBox::ResetRecord() {
    nextAnswer.reset();
    lastCaption.clear();
    lastText.clear();
    askedCount = 0;
}

}  // namespace zunta::testclient
