// Draws the launcher's splash picture ZUNTA_Run.png: a rounded card whose edges fade out
// through every alpha level (the soft edge the splash pixel rule is made for), a title and
// a Korean line. Run: draw_launcher_splash <output.png>
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kWidth = 520;
    constexpr int kHeight = 320;
    constexpr int kEdge = 24;  // width of the soft edge
    QImage card(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);

    // The card: deep blue with a lighter top, corners rounded.
    const QRectF body(kEdge, kEdge, kWidth - 2 * kEdge, kHeight - 2 * kEdge);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, QColor(46, 98, 180));
    fill.setColorAt(1.0, QColor(18, 46, 104));
    QPainterPath path;
    path.addRoundedRect(body, 28, 28);
    painter.fillPath(path, fill);

    // A drag strip along the top, a little lighter.
    painter.save();
    painter.setClipPath(path);
    painter.fillRect(QRectF(body.left(), body.top(), body.width(), 30 - kEdge + 8),
                     QColor(255, 255, 255, 40));
    painter.restore();

    painter.setPen(Qt::white);
    QFont title(QStringLiteral("NanumGothic"));
    title.setPixelSize(64);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(body.left(), body.top() + 40, body.width(), 80), Qt::AlignCenter,
                     QStringLiteral("ZUNTA"));
    QFont line(QStringLiteral("NanumGothic"));
    line.setPixelSize(22);
    painter.setFont(line);
    painter.drawText(QRectF(body.left(), body.top() + 130, body.width(), 40), Qt::AlignCenter,
                     QStringLiteral("시험을 준비하고 있습니다…"));
    painter.end();

    // Soft edge: a glow around the card whose alpha falls from 230 to 0 over kEdge pixels,
    // drawn beneath the card.
    QImage out(kWidth, kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = std::max({body.left() + 28 - x, 0.0, x - (body.right() - 28)});
            const double dy = std::max({body.top() + 28 - y, 0.0, y - (body.bottom() - 28)});
            const double distance = std::hypot(dx, dy) - 28;  // 0 at the card's outline
            const int glow =
                distance <= 0 ? 255
                : distance >= kEdge
                    ? 0
                    : static_cast<int>(std::lround(230.0 * std::pow(1.0 - distance / kEdge, 2)));
            const QColor front = QColor::fromRgba(card.pixel(x, y));  // unpremultiplied
            const int a = front.alpha();
            // The card over a dark blue glow of alpha `glow`.
            const int outA = a + glow * (255 - a) / 255;
            if (outA == 0) {
                out.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const auto mix = [&](int c, int g) {
                return (c * a + g * glow * (255 - a) / 255) / outA;
            };
            out.setPixel(
                x, y,
                qRgba(mix(front.red(), 10), mix(front.green(), 24), mix(front.blue(), 60), outA));
        }
    }
    return out.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
