#include "ui/qt/cursor_loader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "platform/portable/cursor_file.h"
#include "window_contract/control_failures.h"

namespace pv {

QCursor LoadCursorFile(const std::string& path, double devicePixelRatio)
{
    std::optional<CursorFileContent> file = ReadCursorFile(path);
    if (!file)
        ThrowInvalidPicture();
    const int chosen = ImageForScale(file->bytes, file->info, devicePixelRatio);
    const std::optional<CursorFileInfo> info = ReadCursorFileHeader(file->bytes, chosen);
    QByteArray bytes = QByteArray::fromStdString(file->bytes);

    // The ico reader takes cursors too; its images come in the order of the directory.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    if (!info || !reader.jumpToImage(chosen))
        ThrowInvalidPicture();
    const QImage image = reader.read();
    if (image.isNull())
        ThrowInvalidPicture();

    int hotX = image.width() / 2;
    int hotY = image.height() / 2;
    if (info->type == 2) {
        hotX = std::min(info->hotspotX, image.width() - 1);
        hotY = std::min(info->hotspotY, image.height() - 1);
    }
    // A larger image keeps the first one's size on screen, drawn with more device pixels.
    QPixmap pixmap = QPixmap::fromImage(image);
    const double imageScale = static_cast<double>(info->width) / file->info.width;
    pixmap.setDevicePixelRatio(imageScale);
    // QCursor takes the hotspot in logical pixels, and so Wayland gets it; Qt's X11 plugin
    // (6.4) hands it to the server unchanged beside the image's own pixels, so there it stays
    // in those (measured: a 64-pixel image with the hotspot given as 7 points with pixel 7).
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        hotX = static_cast<int>(std::lround(hotX / imageScale));
        hotY = static_cast<int>(std::lround(hotY / imageScale));
    }
    return QCursor(pixmap, hotX, hotY);
}

}  // namespace pv
