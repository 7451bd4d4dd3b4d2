// A measured run of the test client through its real widgets: a test of N questions (pictures
// from a local server), clicked through as a student would, with the times that matter:
//   start:  main() entered -> question 1 painted (the 100 ms one-shot timer included)
//   next:   click on the next arrow -> next question painted (the 100 ms timer included)
// Figures are printed, not judged. Run offscreen: QT_QPA_PLATFORM=offscreen.
//   drive_testclient [questions=50]
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "testclient/grtestform.h"
#include "testclient/mainwindow.h"
#include "tests/support/http_test_server.h"
#include "zunta/platform/files.h"

namespace fs = std::filesystem;
using namespace zunta::testclient;

namespace {

QElapsedTimer sinceMain;

// The first paint of the question screen after a new question was set up.
class PaintWatch : public QObject {
  public:
    bool armed = false;
    qint64 paintedAt = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (armed && event->type() == QEvent::Paint && watched->objectName() == "Form_GRTEST") {
            paintedAt = sinceMain.nsecsElapsed();
            armed = false;
        }
        return false;
    }
};

std::string PicturePng() {
    QImage image(520, 320, QImage::Format_RGB32);
    image.fill(QColor(60, 110, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string Package(int count, const std::string& base) {
    std::string p =
        "<SUBJECT>측정용 시험</SUBJECT><UID>bench</UID><IDKEY>1</IDKEY>"
        "<TESTIDKEY>2</TESTIDKEY><QCOUNT>" +
        std::to_string(count) + "</QCOUNT><QLIST>";
    for (int n = 1; n <= count; ++n) {
        p += std::to_string(n) + "\r\n";
    }
    p += "</QLIST><QDATA>";
    for (int n = 1; n <= count; ++n) {
        p += std::to_string(n) + "=" + base + "/pictures/q" + std::to_string(n) + ".png@@@BR@@@";
    }
    p += "</QDATA>";
    for (int n = 1; n <= count; ++n) {
        const std::string q = std::to_string(n);
        p += "<Q" + q + ">" + q + (n % 2 ? "|3|0" : "|went@@gone|1") + "</Q" + q + ">";
    }
    return p;
}

double Ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    sinceMain.start();
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

    zunta::testsupport::HttpTestServer server;
    const std::string png = PicturePng();
    for (int n = 1; n <= count; ++n) {
        server.setReply("/pictures/q" + std::to_string(n) + ".png", {200, png});
    }
    server.setReply("/admin/api_sendlog.php", {200, "OK"});

    const fs::path root = fs::temp_directory_path() / "zunta-drive-testclient";
    fs::remove_all(root);
    fs::create_directories(root / "app" / "media");
    zunta::platform::WriteFileReplacing(root / "app" / "media" / "MyDataStudy.txt",
                                        Package(count, server.baseUrl()));

    PaintWatch watch;
    app.installEventFilter(&watch);
    MainWindowOptions options{root / "app", root, server.baseUrl(), 30000};
    MainWindow window(options);
    QObject::connect(&window, &MainWindow::questionShown, [&] { watch.armed = true; });
    if (!window.Start()) {
        return 1;
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) ||
        !QTest::qWaitFor([&] { return watch.paintedAt >= 0; }, 5000)) {
        std::fprintf(stderr, "question 1 was never painted\n");
        return 1;
    }
    const double start = Ms(watch.paintedAt);

    auto* screen = window.findChild<QWidget*>("Form_GRTEST");
    auto* next = screen->findChild<QWidget*>("Img_Btn_Next");
    std::vector<double> nexts;
    for (int q = 1; q < count; ++q) {
        if (q % 2) {
            QTest::mouseClick(screen->findChild<QWidget*>("CB_3"), Qt::LeftButton);
        } else {
            QTest::keyClicks(screen->findChild<QLineEdit*>("Ed_1"), "went");
        }
        watch.paintedAt = -1;
        const qint64 clicked = sinceMain.nsecsElapsed();
        QTest::mouseClick(next, Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return watch.paintedAt >= 0; }, 5000)) {
            std::fprintf(stderr, "question %d was never painted\n", q + 1);
            return 1;
        }
        nexts.push_back(Ms(watch.paintedAt - clicked));
    }
    bool reported = false;
    QObject::connect(&window, &MainWindow::resultReported, [&] { reported = true; });
    QTest::mouseClick(next, Qt::LeftButton);
    reported = QTest::qWaitFor([&] { return reported; }, 10000);

    std::sort(nexts.begin(), nexts.end());
    const auto at = [&](double f) {
        return nexts.empty() ? 0.0 : nexts[static_cast<std::size_t>(f * (nexts.size() - 1))];
    };
    std::printf("questions: %d, study log received: %s\n", count, reported ? "yes" : "no");
    std::printf("start -> question 1 painted: %.1f ms (%.1f ms beyond the 100 ms timer)\n", start,
                start - 100);
    std::printf(
        "next arrow -> next question painted, beyond the 100 ms timer: median %.1f ms, "
        "90%% %.1f ms, max %.1f ms (%zu clicks)\n",
        at(0.5) - 100, at(0.9) - 100, at(1.0) - 100, nexts.size());
    fs::remove_all(root);
    return reported ? 0 : 1;
}
