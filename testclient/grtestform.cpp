#include "testclient/grtestform.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>

#include "testclient/ansi.h"
#include "testclient/core/flow.h"
#include "testclient/core/frame.h"
#include "testclient/questionbrowser.h"
#include "testclient/roundcheckbox.h"
#include "testclient/uifonts.h"

namespace zunta::testclient {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                  const QFont& font, QColor colour, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(align);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

constexpr int kFieldTops[kAnswerFields] = {248, 296, 344, 392, 440};
constexpr int kLabelTops[kAnswerFields] = {248, 296, 344, 394, 440};
constexpr int kChoiceTopForChoices = 344;
constexpr int kChoiceTopAtStart = 498;

}  // namespace

GrTestForm::GrTestForm(QNetworkAccessManager* network, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form_GRTEST"));
    setFixedSize(1200, 800);

    background_ = new QLabel(this);
    background_->setObjectName(QStringLiteral("Img_Background"));
    background_->setGeometry(0, 0, 1201, 801);
    background_->setPixmap(QPixmap(QStringLiteral(":/testclient/background.png")));
    background_->setMouseTracking(true);
    background_->installEventFilter(this);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Img_LOGO"));
    logo->setGeometry(26, 16, 140, 30);
    logo->setPixmap(QPixmap(QStringLiteral(":/testclient/logo.png")));

    subject_ = MakeLabel(this, "Lb_Subject", QStringLiteral("출제 범위"), QRect(176, 20, 70, 21),
                         KoreanFont(16, true), Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
    step_ = MakeLabel(this, "Lb_Step", QStringLiteral("1/10"), QRect(528, 16, 145, 23),
                      LatinFont(19, true), QColor(242, 201, 77), Qt::AlignCenter);
    clock_ = MakeLabel(this, "Lb_StudyTimer", QStringLiteral("00:00"), QRect(1068, 17, 90, 23),
                       LatinFont(19, true), Qt::white, Qt::AlignCenter);
    // Lies under the page and is emptied for every question.
    kor_ = MakeLabel(this, "Lb_KOR", QStringLiteral("단어 학습 화면"), QRect(72, 544, 409, 185),
                     KoreanFont(29, true), Qt::white, Qt::AlignCenter);

    page_ = new QuestionBrowser(network, this);
    page_->setObjectName(QStringLiteral("WB_Img"));
    page_->setGeometry(32, 54, 565, 714);

    for (int k = 0; k < kAnswerFields; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const QString digit = QString::number(k + 1);

        auto* label = new ClickLabel(digit + QStringLiteral(")"), this);
        label->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        label->setGeometry(650, kLabelTops[k], 19, 25);
        label->setFont(LatinFont(21, false));
        label->setCursor(Qt::PointingHandCursor);
        label->hide();
        connect(label, &ClickLabel::clicked, this, [this, k] { LabelClicked(k); });
        labels_[i] = label;

        auto* edit = new QLineEdit(digit, this);
        edit->setObjectName(QStringLiteral("Ed_%1").arg(k + 1));
        edit->setGeometry(680, kFieldTops[k], 400, 33);
        edit->setFont(LatinFont(16, false));
        edit->hide();
        edits_[i] = edit;

        auto* choice = new RoundCheckBox(digit, this);
        choice->setObjectName(QStringLiteral("CB_%1").arg(k + 1));
        choice->setGeometry(664 + 80 * k, kChoiceTopAtStart, 65, 41);
        choice->hide();
        choices_[i] = choice;
    }
    for (int k = 0; k + 1 < kAnswerFields; ++k) {
        setTabOrder(edits_[static_cast<std::size_t>(k)], edits_[static_cast<std::size_t>(k + 1)]);
    }
    setTabOrder(edits_.back(), choices_.front());
    for (int k = 0; k + 1 < kAnswerFields; ++k) {
        setTabOrder(choices_[static_cast<std::size_t>(k)],
                    choices_[static_cast<std::size_t>(k + 1)]);
    }

    next_ = new ClickLabel(this);
    next_->setObjectName(QStringLiteral("Img_Btn_Next"));
    next_->setPixmap(QPixmap(QStringLiteral(":/testclient/next.png")));
    next_->setGeometry(1139, 325, 35, 35);
    next_->setCursor(Qt::PointingHandCursor);
    connect(next_, &ClickLabel::clicked, this, &GrTestForm::nextClicked);

    studyTimer_.setObjectName(QStringLiteral("Timer_Study"));
    studyTimer_.setInterval(1000);
    connect(&studyTimer_, &QTimer::timeout, this, [this] {
        if (studyStart_.isValid()) {
            clock_->setText(FromAnsi(StudyClockText(studyStart_.elapsed())));
        }
    });
    studyTimer_.start();
}

void GrTestForm::ShowQuestion(const QuestionView& view) {
    ClearAnswers();
    for (int k = 0; k < kAnswerFields; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const bool written = k < view.writtenFields;
        edits_[i]->setVisible(written);
        labels_[i]->setVisible(written);
        choices_[i]->move(choices_[i]->x(), kChoiceTopForChoices);
        choices_[i]->setVisible(view.choices);
    }
    step_->setText(FromAnsi(view.step));
    kor_->clear();
    if (!view.pageHtml.empty()) {
        page_->ShowPage(FromAnsi(view.pageHtml));
    }
    show();
    raise();
}

void GrTestForm::SetSubject(const QString& subject) {
    subject_->setText(subject);
    subject_->adjustSize();
}

AnswerInput GrTestForm::CurrentAnswer() const {
    AnswerInput input;
    for (std::size_t i = 0; i < kAnswerFields; ++i) {
        input.written[i] = ToAnsi(edits_[i]->text());  // hidden fields are empty
        input.checked[i] = choices_[i]->isChecked();
    }
    return input;
}

void GrTestForm::ClearAnswers() {
    for (std::size_t i = 0; i < kAnswerFields; ++i) {
        edits_[i]->clear();
        choices_[i]->setChecked(false);
    }
}

void GrTestForm::StartStudyClock() {
    studyStart_.start();
}

void GrTestForm::LabelClicked(int k) {
    QLineEdit* edit = edits_[static_cast<std::size_t>(k)];
    const QString digit = QString::number(k + 1);
    if (edit->text().isEmpty()) {
        edit->setText(digit);
    } else if (edit->text() == digit) {
        edit->clear();
    }
}

bool GrTestForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == background_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
                BackgroundMouse(event);
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GrTestForm::BackgroundMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    QWidget* frame = window();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const MouseButton button =
                mouse->button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Other;
            if (!StartsWindowMove(button, at.x(), at.y())) {
                return;
            }
            QWindow* handle = frame->windowHandle();
            if (handle != nullptr && handle->startSystemMove()) {
                return;  // the system moves the window and takes the release
            }
            dragging_ = true;
            dragOffset_ = mouse->globalPosition().toPoint() - frame->pos();
            return;
        }
        case QEvent::MouseMove:
            if (dragging_) {
                frame->move(mouse->globalPosition().toPoint() - dragOffset_);
                return;
            }
            background_->setCursor(InCloseZone(at.x(), at.y()) ? Qt::PointingHandCursor
                                                               : Qt::ArrowCursor);
            return;
        case QEvent::MouseButtonRelease:
            if (dragging_) {
                dragging_ = false;
                return;
            }
            if (AsksToClose(at.x(), at.y())) {
                emit closeZoneReleased();
            }
            return;
        default:
            return;
    }
}

}  // namespace zunta::testclient
