#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "failure/failure.h"
#include "platform/qt/qt_shell.h"

namespace pv::testing {
namespace {

TEST(QtShell, ProgramFilesIsLibexecBesideTheProgramFolder)
{
    EXPECT_EQ(QtShell("/opt/pressvale/bin").specialFolderPath(kProgramFilesFolder), "/opt/pressvale/libexec");
    EXPECT_EQ(QtShell("/usr/local/bin/").specialFolderPath(38), "/usr/local/libexec");
    EXPECT_EQ(QtShell("/bin").specialFolderPath(38), "/libexec");
    EXPECT_EQ(QtShell("/").specialFolderPath(38), "/libexec");
    EXPECT_EQ(QtShell("/w/caf\xe9/bin").specialFolderPath(38), "/w/caf\xe9/libexec");
    EXPECT_EQ(QtShell("/opt/pressvale/bin").specialFolderPath(26), "");

    QDir prefix(QCoreApplication::applicationDirPath());
    prefix.cdUp();
    EXPECT_EQ(QtShell().specialFolderPath(38), QFile::encodeName(prefix.path() + "/libexec").toStdString());
}

TEST(QtShell, AnAddressThatCannotBeOpenedFails)
{
    EXPECT_THROW(QtShell("/bin").openAddress(""), Failure);
}

}  // namespace
}  // namespace pv::testing
