#include "ui/qt/cursor_loader.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>

#include "platform/portable/cursor_file.h"
#include "window_contract/control_failures.h"

namespace pv {

QCursor LoadCursorFile(const std::string& path)
{
    std::optional<CursorFileContent> file = ReadCursorFile(path);
    if (!file)
        ThrowInvalidPicture();
    const CursorFileInfo& info = file->info;
    QByteArray bytes = QByteArray::fromStdString(file->bytes);

    // The ico reader takes cursors too; its first image is the one the header describes.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        ThrowInvalidPicture();

    int hotX = image.width() / 2;
    int hotY = image.height() / 2;
    if (info.type == 2) {
        hotX = std::min(info.hotspotX, image.width() - 1);
        hotY = std::min(info.hotspotY, image.height() - 1);
    }
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

}  // namespace pv
