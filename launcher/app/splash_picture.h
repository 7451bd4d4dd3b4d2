// The splash picture "ZUNTA_Run.png" as the window paints it.
#pragma once

#include <QImage>
#include <QString>

namespace zunta::launcher {

// Reads the PNG at `path` into `picture` (premultiplied ARGB32) with the splash pixel rule:
// alpha stretched, colour premultiplied below the threshold. A picture without an alpha
// channel is fully opaque; palette transparency counts as alpha. False, with an empty
// picture, when the file is missing or no readable PNG.
bool LoadSplashPicture(const QString& path, QImage& picture);

}  // namespace zunta::launcher
