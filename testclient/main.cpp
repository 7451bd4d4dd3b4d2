// ZUNTA_Test: the test client a student uses. It reads media/MyDataStudy.txt beside its own
// program file; the command line is not read.
#include <QApplication>
#include <QDir>
#include <filesystem>

#include "testclient/mainwindow.h"
#include "zunta/server.h"
#include "zunta/trace.h"

int main(int argc, char** argv) {
    zunta::TraceEvent("client_start");
    QApplication app(argc, argv);
    zunta::testclient::MainWindowOptions options;
    options.appDir = std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
    options.currentDir = std::filesystem::path(QDir::currentPath().toStdU16String());
    options.serverBase = zunta::ServerBaseUrl();

    zunta::testclient::MainWindow window(options);
    if (!window.Start()) {
        return 1;
    }
    window.show();
    zunta::TraceEvent("client_window_shown");
    return app.exec();
}
