#include "ui/qt/cursor_loader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>

#include "platform/portable/cursor_file.h"
#include "services/failure.h"

namespace pv {

namespace {

// Larger than any sensible cursor or icon (a 256-pixel 32-bit image is 256 KiB).
constexpr qint64 kMaxCursorFileBytes = 4 << 20;

[[noreturn]] void InvalidPicture()
{
    throw Failure("Invalid picture", failure_code::kInvalidPicture);
}

}  // namespace

QCursor LoadCursorFile(const std::string& path)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    // Only a regular file (links followed) is opened: opening a named pipe would wait for a
    // writer and stop the window, and a device may never end.
    if (path.empty() || !QFileInfo(name).isFile())
        InvalidPicture();
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        InvalidPicture();
    QByteArray bytes = file.read(kMaxCursorFileBytes + 1);
    if (bytes.size() > kMaxCursorFileBytes)
        InvalidPicture();
    const std::optional<CursorFileInfo> info =
        ReadCursorFileHeader(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!info)
        InvalidPicture();

    // The ico reader takes cursors too; its first image is the one the header describes.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        InvalidPicture();

    int hotX = image.width() / 2;
    int hotY = image.height() / 2;
    if (info->type == 2) {
        hotX = std::min(info->hotspotX, image.width() - 1);
        hotY = std::min(info->hotspotY, image.height() - 1);
    }
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

}  // namespace pv
