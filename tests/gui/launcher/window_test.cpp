// The splash window offscreen: the picture as painted, the fade, the drag strip, the progress
// bar and the failure panel; and a screenshot of the picture over a coloured background.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

#include <fstream>

#include "launcher/app/launcher_window.h"
#include "launcher/app/splash_picture.h"
#include "launcher/core/splash_math.h"
#include "launcher_test_support.h"

namespace zunta::launcher {
namespace {

using zunta::testing::TempFolder;
namespace fs = std::filesystem;

QString QPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::uint32_t RawPixel(const QImage& image, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x];
}

template <typename T>
T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

TEST(LoadSplashPicture, StretchesAlphaAndPremultipliesBelowTheThreshold) {
    const TempFolder temp;
    const int alphas[] = {0, 120, 225, 226, 239, 240, 255};
    QImage file(7, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 7; ++x) {
        file.setPixel(x, 0, qRgba(255, 128, 1, alphas[x]));
    }
    ASSERT_TRUE(file.save(QPath(temp.path() / "alpha.png"), "PNG"));
    QImage picture;
    ASSERT_TRUE(LoadSplashPicture(QPath(temp.path() / "alpha.png"), picture));
    EXPECT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);
    const std::uint32_t expected[] = {0x00000000, 0x80804001, 0xEFEF7801, 0xF0FF8001,
                                      0xFEFF8001, 0xFFFF8001, 0xFFFF8001};
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(RawPixel(picture, x, 0), expected[x]) << "file alpha " << alphas[x];
    }
}

TEST(LoadSplashPicture, OpaqueAndPaletteTransparencyAndBadFiles) {
    const TempFolder temp;
    QImage rgb(2, 1, QImage::Format_RGB32);
    rgb.fill(QColor(10, 20, 30));
    ASSERT_TRUE(rgb.save(QPath(temp.path() / "rgb.png"), "PNG"));
    QImage picture;
    ASSERT_TRUE(LoadSplashPicture(QPath(temp.path() / "rgb.png"), picture));
    EXPECT_EQ(RawPixel(picture, 1, 0), 0xFF0A141Eu);  // fully opaque

    QImage palette(2, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgba(0, 0, 0, 0), qRgb(200, 0, 0)});
    palette.setPixel(0, 0, 0);
    palette.setPixel(1, 0, 1);
    ASSERT_TRUE(palette.save(QPath(temp.path() / "palette.png"), "PNG"));
    ASSERT_TRUE(LoadSplashPicture(QPath(temp.path() / "palette.png"), picture));
    EXPECT_EQ(RawPixel(picture, 0, 0), 0x00000000u);  // the transparent entry counts as alpha
    EXPECT_EQ(RawPixel(picture, 1, 0), 0xFFC80000u);

    std::ofstream(temp.path() / "broken.png") << "\x89PNG not really";
    for (const char* name : {"broken.png", "missing.png"}) {
        EXPECT_FALSE(LoadSplashPicture(QPath(temp.path() / name), picture)) << name;
        EXPECT_TRUE(picture.isNull()) << name;
    }
    LauncherWindow window{QImage()};
    EXPECT_EQ(window.size(), QSize(988, 728));  // the design size without a picture
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadSplashPicture(QStringLiteral(ZUNTA_SPLASH_PICTURE), picture_));
        window_ = std::make_unique<LauncherWindow>(picture_);
    }
    void SaveArtifact(const QImage& image, const char* name) {
        fs::create_directories(ZUNTA_ARTIFACT_DIR);
        EXPECT_TRUE(image.save(QPath(fs::path(ZUNTA_ARTIFACT_DIR) / name), "PNG"));
    }
    // The window as it stands on the screen over a plain background.
    QImage OverBackground(QColor background) {
        QImage out(window_->size(), QImage::Format_ARGB32_Premultiplied);
        out.fill(background);
        QPainter painter(&out);
        painter.drawImage(0, 0, window_->grab().toImage());
        return out;
    }
    QImage picture_;
    std::unique_ptr<LauncherWindow> window_;
};

TEST_F(WindowTest, FadesInToFullOpacityAndStaysOnTopWithoutFrame) {
    QSignalSpy faded(window_.get(), &LauncherWindow::fadeFinished);
    window_->FadeIn(kFadeDurationMs);
    EXPECT_TRUE(window_->isVisible());
    EXPECT_LT(window_->windowOpacity(), 0.5);
    ZUNTA_WAIT_FOR(faded.count() == 1, 5000);
    EXPECT_DOUBLE_EQ(window_->windowOpacity(), 1.0);
    EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window_->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window_->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("ZUNTA Launcher 2019"));
    EXPECT_EQ(window_->size(), picture_.size());
}

TEST_F(WindowTest, DragsByTheTopThirtyRowsWithTheLeftButtonOnly) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    struct Case {
        Qt::MouseButton button;
        int y;
        bool moves;
    };
    for (const Case c : {Case{Qt::LeftButton, 29, true}, Case{Qt::LeftButton, 30, false},
                         Case{Qt::RightButton, 5, false}, Case{Qt::LeftButton, 0, true}}) {
        window_->move(100, 100);
        QTest::mousePress(window_.get(), c.button, {}, QPoint(60, c.y));
        QTest::mouseMove(window_.get(), QPoint(90, c.y + 20));
        QTest::mouseRelease(window_.get(), c.button, {}, QPoint(90, c.y + 20));
        EXPECT_EQ(window_->pos(), c.moves ? QPoint(130, 120) : QPoint(100, 100))
            << "button " << c.button << " at y " << c.y;
    }
}

TEST_F(WindowTest, ProgressBarFollowsTheReplyAndFailurePanelOffersRetryAndClose) {
    window_->show();
    auto* bar = Find<QProgressBar>(*window_, "ProgressBar_Download");
    auto* panel = Find<QWidget>(*window_, "Panel_Failure");
    EXPECT_FALSE(bar->isVisible());
    window_->ShowDownloading();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 0);  // indeterminate until the length is known
    window_->ShowProgress(100 * 1024, 400 * 1024);
    EXPECT_EQ(bar->maximum(), 400);
    EXPECT_EQ(bar->value(), 100);
    SaveArtifact(OverBackground(QColor(30, 150, 80)), "launcher_splash_downloading.png");
    window_->ShowProgress(5000, -1);
    EXPECT_EQ(bar->maximum(), 0);

    window_->ShowFailure(QStringLiteral("서버에 연결할 수 없습니다."));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(Find<QLabel>(*window_, "Lb_Failure")->text(),
              QStringLiteral("서버에 연결할 수 없습니다."));
    auto* retry = Find<QPushButton>(*window_, "Btn_Retry");
    auto* close = Find<QPushButton>(*window_, "Btn_Close");
    EXPECT_EQ(retry->text(), QStringLiteral("다시 시도"));
    EXPECT_EQ(close->text(), QStringLiteral("닫기"));
    QSignalSpy retried(window_.get(), &LauncherWindow::retryClicked);
    QSignalSpy closed(window_.get(), &LauncherWindow::closeClicked);
    QTest::mouseClick(retry, Qt::LeftButton);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_EQ(retried.count(), 1);
    EXPECT_EQ(closed.count(), 1);
    SaveArtifact(OverBackground(QColor(30, 150, 80)), "launcher_splash_failure.png");
}

TEST_F(WindowTest, TransparentEdgesShowTheBackgroundThrough) {
    window_->show();
    const QColor background(200, 40, 160);
    const QImage shot = OverBackground(background);
    SaveArtifact(shot, "launcher_splash_over_magenta.png");
    // The corner of the picture has alpha 0, its middle is opaque.
    EXPECT_EQ(qAlpha(RawPixel(picture_, 0, 0)), 0);
    EXPECT_EQ(shot.pixelColor(0, 0), background);
    const QPoint middle(picture_.width() / 2, picture_.height() * 3 / 4);
    EXPECT_EQ(qAlpha(RawPixel(picture_, middle.x(), middle.y())), 255);
    EXPECT_EQ(shot.pixel(middle), RawPixel(picture_, middle.x(), middle.y()));
    // On the soft edge the picture and the background mix.
    bool mixed = false;
    for (int x = 0; x < picture_.width() / 2 && !mixed; ++x) {
        const int a = qAlpha(RawPixel(picture_, x, picture_.height() / 2));
        mixed = a > 0 && a < 255 && shot.pixelColor(x, picture_.height() / 2) != background;
    }
    EXPECT_TRUE(mixed);
}

}  // namespace
}  // namespace zunta::launcher
