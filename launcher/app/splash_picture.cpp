#include "launcher/app/splash_picture.h"

#include <QFileInfo>
#include <QImageReader>

#include "launcher/core/splash_math.h"

namespace zunta::launcher {

bool LoadSplashPicture(const QString& path, QImage& picture) {
    picture = QImage();
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    QImageReader reader(path, "png");
    QImage decoded = reader.read();
    if (decoded.isNull()) {
        return false;
    }
    // ARGB32 rows hold exactly width * 4 bytes: the pixels form one array.
    decoded = decoded.convertToFormat(QImage::Format_ARGB32);
    ConvertSplashPixels(
        reinterpret_cast<std::uint32_t*>(decoded.bits()),
        static_cast<std::size_t>(decoded.width()) * static_cast<std::size_t>(decoded.height()));
    // The converted bytes are what a layered window takes: premultiplied BGRA, with the
    // colours of file alphas 226..239 left as they were.
    decoded.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    picture = decoded;
    return true;
}

}  // namespace zunta::launcher
