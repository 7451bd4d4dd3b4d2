// A measured run of the test client through its real widgets: a test of N questions (pictures
// from a local server), clicked through as a student would, with the times that matter:
//   start:  main() entered -> question 1 painted (the 100 ms one-shot timer included), and
//           the time from the process start to main()
//   next:   click on the next arrow -> next question painted (the 100 ms timer included)
// Figures are printed, not judged. Run offscreen: QT_QPA_PLATFORM=offscreen.
//   drive_testclient [questions=50]
#include <time.h>
#include <unistd.h>
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Time from the start of the process to main(), from the kernel's start time of the process
// (clock ticks since boot, so 10 ms steps): the loading of the program and its libraries.
double MsBeforeMain() {
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (f == nullptr) {
        return 0;
    }
    char buffer[1024] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    const char* p = std::strrchr(buffer, ')');
    if (p == nullptr || n == 0) {
        return 0;
    }
    unsigned long long start = 0;
    int field = 2;
    for (const char* s = p + 1; *s != 0 && field < 22; ++s) {
        if (*s == ' ') {
            ++field;
            if (field == 22) {
                start = std::strtoull(s + 1, nullptr, 10);
            }
        }
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = static_cast<double>(now.tv_sec) * 1000 + now.tv_nsec / 1e6;
    return nowMs - static_cast<double>(start) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double Ms(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    sinceMain.start();
    const double beforeMain = MsBeforeMain();
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
    std::printf(
        "main() -> question 1 painted: %.1f ms (%.1f ms beyond the 100 ms timer); "
        "process start -> main(): about %.0f ms\n",
        start, start - 100, beforeMain);
    std::printf(
        "next arrow -> next question painted, beyond the 100 ms timer: median %.1f ms, "
        "90%% %.1f ms, max %.1f ms (%zu clicks)\n",
        at(0.5) - 100, at(0.9) - 100, at(1.0) - 100, nexts.size());
    fs::remove_all(root);
    return reported ? 0 : 1;
}
