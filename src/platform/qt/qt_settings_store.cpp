#include "platform/qt/qt_settings_store.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#include "failure/failure.h"

namespace pv {

namespace {

QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

QString ApplicationName(const std::string& application)
{
    return QString::fromStdString(application);
}

// The application's settings file, found without opening it: QSettings opens its file as it
// is created, and a named pipe or a device in that place would block the program for good.
QString SettingsFile(const std::string& application)
{
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, QStringLiteral(".pressvale-settings-probe"));
    return QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') + ApplicationName(application) +
           QStringLiteral(".ini");
}

// Whether the settings file is missing or a plain file, the only things QSettings may open.
bool SafeToOpen(const std::string& application)
{
    const QFileInfo file(SettingsFile(application));
    return !file.exists() || file.isFile();
}

[[noreturn]] void CannotStore(const QSettings& settings)
{
    throw Failure("The setting cannot be stored in " + settings.fileName().toStdString(), failure_code::kPathNotFound);
}

// Whether QSettings, rewriting `content`, would drop part of it: it keeps only the
// "[section]" and "key=value" lines it understood, in UTF-8, and reports few of the lines it
// skips.
bool RewriteWouldLoseContent(const QByteArray& content)
{
    if (content.contains('\0'))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(content);
    if (utf8.hasError())
        return true;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                return true;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || line.left(equals).trimmed().isEmpty())
            return true;
    }
    return false;
}

// Keeps the file's full content beside it before a rewrite drops what could not be parsed.
void KeepCopyOf(const QSettings& settings)
{
    const QString file = settings.fileName();
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddTHHmmsszzz"));
    if (!QFile::copy(file, file + QStringLiteral(".corrupt-") + stamp))
        CannotStore(settings);
}

bool Rewritten(const QFileInfo& before)
{
    const QFileInfo after(before.absoluteFilePath());
    return after.size() != before.size() || after.lastModified() != before.lastModified();
}

}  // namespace

std::string QtSettingsStore::get(const std::string& application, const std::string& section, const std::string& key)
{
    if (!SafeToOpen(application))
        return {};
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, ApplicationName(application));
    if (settings.status() == QSettings::AccessError)
        return {};
    const QVariant value = settings.value(KeyPath(section, key));
    // An INI value with a comma in it reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::set(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value)
{
    if (!SafeToOpen(application))
        throw Failure("The setting cannot be stored in " + SettingsFile(application).toStdString(),
                      failure_code::kPathNotFound);
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, ApplicationName(application));
    if (settings.status() == QSettings::AccessError)
        CannotStore(settings);
    const bool unparsable = settings.status() == QSettings::FormatError;
    QFile current(settings.fileName());
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            CannotStore(settings);
        const bool losesContent = unparsable || RewriteWouldLoseContent(current.readAll());
        // A sound file that already holds the value is left alone: a rewrite would give the
        // same file, and its write to disk (synced) is most of the start-up's restoring of the
        // printer choice.
        if (!losesContent && settings.value(KeyPath(section, key)) == QVariant(QString::fromStdString(value)))
            return;
        if (losesContent)
            KeepCopyOf(settings);
    }
    const QFileInfo before(settings.fileName());
    settings.setValue(KeyPath(section, key), QString::fromStdString(value));
    settings.sync();
    // QSettings keeps the first problem it met, so after a parse error a failed write shows
    // only in the file on disk, which the atomic write leaves as it was.
    if (settings.status() == QSettings::AccessError || (unparsable && !Rewritten(before)))
        CannotStore(settings);
}

}  // namespace pv
