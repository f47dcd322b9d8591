#include "ui/qt/dropped_files.h"

#include <algorithm>

#include <QByteArray>
#include <QMimeData>
#include <QUrl>

namespace pv {

namespace {

bool IsLocalFile(const QUrl& url)
{
    return url.isLocalFile() && !url.path().isEmpty();
}

std::string NativePath(const QUrl& url)
{
    QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        path.prepend("//" + host.toUtf8());
    return path.toStdString();
}

}  // namespace

bool OffersLocalFiles(const QMimeData& data)
{
    if (!data.hasUrls())
        return false;
    const QList<QUrl> urls = data.urls();
    return std::any_of(urls.begin(), urls.end(), IsLocalFile);
}

std::vector<std::string> LocalFilePaths(const QMimeData& data)
{
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (IsLocalFile(url))
            paths.push_back(NativePath(url));
    }
    return paths;
}

}  // namespace pv
