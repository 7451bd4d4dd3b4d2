// A test client on real widgets, with its program folder, current folder and a real HTTP
// server on 127.0.0.1, all in a temporary folder of the test.
#pragma once

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "testclient/mainwindow.h"
#include "testclient/messagebox.h"
#include "tests/support/http_test_server.h"
#include "zunta/platform/files.h"
#include "zunta/text.h"

#include "tests/support/temp_folder.h"

namespace zunta::testclient {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    return platform::ReadWholeFile(path, 1u << 26).bytes;
}

// A screenshot of what the student sees, kept as a test artefact under the build folder.
inline void SaveScreenshot(QWidget* window, const char* name) {
    const fs::path dir(ZUNTA_ARTIFACT_DIR);
    fs::create_directories(dir);
    EXPECT_TRUE(window->grab().save(QString::fromStdString((dir / name).string())));
}

// A PNG of the given size with a few shapes, as a question picture.
inline std::string PicturePng(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setBrush(colour);
    p.drawRoundedRect(10, 10, w - 20, h - 20, 16, 16);
    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("NanumGothic"), 28, QFont::Bold));
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("I ___ to Busan."));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class ClientTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = zunta::testsupport::MakeTempFolder("gui");
        appDir_ = root_ / "app";
        cwd_ = root_ / "cwd";
        ASSERT_TRUE(platform::CreateFolders(appDir_ / "media"));
        ASSERT_TRUE(platform::CreateFolders(cwd_));
        server_ = std::make_unique<testsupport::HttpTestServer>();
        MessageBox::ResetRecord();
    }

    void TearDown() override {
        window_.reset();
        server_.reset();
        MessageBox::ResetRecord();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // Stores a package (UTF-8, as the launcher does) with {SERVER} standing for the server.
    void WritePackage(std::string_view utf8) {
        ASSERT_TRUE(platform::WriteFileReplacing(appDir_ / "media" / "MyDataStudy.txt",
                                                 ReplaceAll(utf8, "{SERVER}", server_->baseUrl())));
    }

    // A new client as the program makes it; false when the load failed.
    bool StartClient(std::string serverBase, int timeoutMs = 30000) {
        MainWindowOptions options;
        options.appDir = appDir_;
        options.currentDir = cwd_;
        options.serverBase = std::move(serverBase);
        options.transferTimeoutMs = timeoutMs;
        window_ = std::make_unique<MainWindow>(options);
        if (!window_->Start()) {
            return false;
        }
        window_->show();
        return QTest::qWaitForWindowExposed(window_.get());
    }

    template <class T>
    T* Find(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    fs::path root_, appDir_, cwd_;
    std::unique_ptr<testsupport::HttpTestServer> server_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace zunta::testclient
