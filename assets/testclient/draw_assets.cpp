// Draws the pictures of the test client's forms. Run it from this folder (or give the folder as
// the first argument) after changing a picture; the PNGs it writes are committed and compiled
// into the program as resources.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QStringList kKoreanFamilies{"NanumGothic", "Noto Sans CJK KR", "Malgun Gothic"};

QFont Font(int px, bool bold, const QStringList& families = kKoreanFamilies) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// The little "Z" mark with the name beside it.
void DrawLogo(QPainter& p, QRectF box, QColor mark, QColor text) {
    const qreal s = box.height();
    QRectF markBox(box.left(), box.top(), s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawRoundedRect(markBox, s * 0.22, s * 0.22);
    p.setPen(QColor(30, 30, 36));
    p.setFont(Font(int(s * 0.72), true, {"DejaVu Sans"}));
    p.drawText(markBox, Qt::AlignCenter, "Z");
    p.setPen(text);
    p.setFont(Font(int(s * 0.66), true, {"DejaVu Sans"}));
    p.drawText(QRectF(box.left() + s * 1.2, box.top(), box.width() - s * 1.2, s),
               Qt::AlignVCenter | Qt::AlignLeft, "ZUNTA");
}

QImage Background() {
    QImage img = Blank(1201, 801);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Dark frame, white content area.
    p.fillRect(img.rect(), QColor(38, 40, 46));
    p.fillRect(QRect(22, 54, 1201 - 44, 801 - 54 - 22), Qt::white);
    // Header strip, 54 rows: near-black fading to dark grey.
    QLinearGradient header(0, 0, 0, 54);
    header.setColorAt(0, QColor(12, 12, 14));
    header.setColorAt(1, QColor(58, 60, 66));
    p.fillRect(QRect(0, 0, 1201, 54), header);
    p.fillRect(QRect(0, 53, 1201, 1), QColor(90, 92, 98));
    // Thin light-grey cross at the right end of the strip: the close spot.
    p.setPen(QPen(QColor(200, 200, 204), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1173, 16), QPointF(1194, 37));
    p.drawLine(QPointF(1194, 16), QPointF(1173, 37));
    // A grey tab at the right edge that carries the next arrow (35 x 35 at 1139, 325).
    QPainterPath tab;
    tab.addRoundedRect(QRectF(1126, 300, 120, 85), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 152, 158));
    p.drawPath(tab);
    // A faint rule between the question page and the answer area.
    p.fillRect(QRect(612, 90, 1, 640), QColor(228, 228, 232));
    return img;
}

QImage Logo() {
    QImage img = Blank(140, 30);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawLogo(p, QRectF(2, 2, 136, 26), QColor(242, 201, 77), Qt::white);
    return img;
}

QImage NextArrow() {
    QImage img = Blank(35, 35);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient face(QPointF(14, 12), 22);
    face.setColorAt(0, QColor(246, 246, 248));
    face.setColorAt(1, QColor(206, 207, 212));
    p.setPen(QPen(QColor(120, 122, 128), 1));
    p.setBrush(face);
    p.drawEllipse(QRectF(1, 1, 33, 33));
    QPainterPath arrow;
    arrow.moveTo(13, 9);
    arrow.lineTo(25, 17.5);
    arrow.lineTo(13, 26);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 42, 48));
    p.drawPath(arrow);
    return img;
}

QImage ResultPicture() {
    QImage img = Blank(1200, 820);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(img.rect(), QColor(236, 237, 240));
    p.setPen(QColor(34, 36, 42));
    p.setFont(Font(44, true));
    p.drawText(QRect(0, 250, 1200, 70), Qt::AlignCenter, "영문법 테스트가 끝났습니다.");
    p.setFont(Font(30, false));
    p.drawText(QRect(0, 330, 1200, 60), Qt::AlignCenter,
               "시험 결과는 ZUNTA 홈페이지에서 확인할 수 있습니다.");
    // Logo and name below the two lines.
    DrawLogo(p, QRectF(532, 450, 160, 40), QColor(242, 201, 77), QColor(34, 36, 42));
    p.setFont(Font(22, true));
    p.setPen(QColor(80, 82, 90));
    p.drawText(QRect(0, 505, 1200, 40), Qt::AlignCenter, "ZUNTA 영어 학습센터");
    // Close-button graphic near the bottom right: a red cross with an English caption.
    const QRectF button(1040, 700, 56, 56);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 48, 49));
    p.drawEllipse(button);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(button.topLeft() + QPointF(17, 17), button.bottomRight() - QPointF(17, 17));
    p.drawLine(button.topRight() + QPointF(-17, 17), button.bottomLeft() + QPointF(17, -17));
    p.setPen(QColor(60, 62, 70));
    p.setFont(Font(18, true, {"DejaVu Sans"}));
    p.drawText(QRectF(1010, 760, 116, 30), Qt::AlignCenter, "CLOSE");
    return img;
}

// Pictures without any transparency are stored without an alpha channel: they decode faster,
// which the test client's start-up feels.
QImage ForSaving(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255) {
                return image;
            }
        }
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const std::pair<const char*, QImage> pictures[] = {
        {"background.png", Background()},
        {"logo.png", Logo()},
        {"next.png", NextArrow()},
        {"result.png", ResultPicture()},
    };
    for (const auto& [name, image] : pictures) {
        if (!ForSaving(image).save(out.filePath(name))) {
            qCritical("cannot write %s", qPrintable(out.filePath(name)));
            return 1;
        }
    }
    return 0;
}
