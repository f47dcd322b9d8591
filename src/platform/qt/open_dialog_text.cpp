#include "platform/qt/open_dialog_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "failure/failure.h"

namespace pv {

namespace {

// "*.pdf" becomes "*.[pP][dD][fF]": Qt's file dialog matches with the file system's case
// rules, which on Linux tell "a.PDF" from "a.pdf".
QString CaseFreePattern(const QString& pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString free;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            free += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            free += c;
    }
    return free;
}

}  // namespace

QStringList QtNameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns.append(CaseFreePattern(pattern.trimmed()));
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters;
}

std::string OpenDialogResult(const QStringList& chosenFiles, std::size_t maxLength)
{
    if (chosenFiles.isEmpty())
        return {};
    QByteArray text;
    if (chosenFiles.size() == 1) {
        text = QFile::encodeName(chosenFiles.first());
    } else {
        const QString folder = QFileInfo(chosenFiles.first()).absolutePath();
        const QDir folderDir(folder);
        text = QFile::encodeName(folder);
        for (const QString& file : chosenFiles) {
            text.append('\0');
            text.append(QFile::encodeName(folderDir.relativeFilePath(file)));
        }
    }
    if (static_cast<std::size_t>(text.size()) > maxLength)
        throw Failure("The chosen file names do not fit in the file name buffer",
                      failure_code::kFileNameBufferTooSmall);
    return text.toStdString();
}

std::string FolderPickerResult(const QString& chosenFolder)
{
    if (chosenFolder.isEmpty())
        return {};
    QString folder = QDir::cleanPath(chosenFolder);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return QFile::encodeName(folder).toStdString();
}

}  // namespace pv
