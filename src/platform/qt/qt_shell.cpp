#include "platform/qt/qt_shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "failure/failure.h"

namespace pv {

namespace {

// The folder that holds `folder`; the root is its own parent.
std::string ParentFolder(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : folder.substr(0, slash);
}

}  // namespace

QtShell::QtShell() : programFolder_(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString())
{}

std::string QtShell::specialFolderPath(int folderNumber)
{
    if (folderNumber != kProgramFilesFolder)
        return {};
    const std::string prefix = ParentFolder(programFolder_);
    return prefix == "/" ? "/libexec" : prefix + "/libexec";
}

std::string QtShell::nativeProgramFilesPath()
{
    return specialFolderPath(kProgramFilesFolder);
}

std::vector<std::string> QtShell::registeredProgramPaths(const std::string&)
{
    return {};
}

void QtShell::openFolder(const std::string& folder)
{
    // Built from the bytes, so a folder name that is not valid UTF-8 still opens.
    const QByteArray path = QByteArray::fromStdString(folder).toPercentEncoding("/");
    QDesktopServices::openUrl(QUrl::fromEncoded("file://" + path, QUrl::StrictMode));
}

void QtShell::openAddress(const std::string& address)
{
    const QUrl url(QString::fromStdString(address));
    if (!url.isValid() || url.isEmpty() || !QDesktopServices::openUrl(url))
        throw Failure("File not found", failure_code::kFileNotFound);
}

}  // namespace pv
