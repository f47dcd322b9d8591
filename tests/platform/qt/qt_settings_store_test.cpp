#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "failure/failure.h"
#include "platform/qt/qt_settings_store.h"
#include "support/contract/settings_store_contract.h"

namespace pv::testing {
namespace {

// Each test keeps its settings in a folder of its own.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    QtSettingsStoreTest() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path()); }

    QString iniFile() const { return folder.filePath("Quillmark.ini"); }

    QByteArray readIni() const
    {
        QFile file(iniFile());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void writeIni(const QByteArray& content) const
    {
        QFile file(iniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QStringList copiesOfCorruptFiles() const
    {
        return QDir(folder.path()).entryList({"Quillmark.ini.corrupt-*"}, QDir::Files);
    }

    QTemporaryDir folder;
    QtSettingsStore store;
};

TEST_F(QtSettingsStoreTest, ValuesRoundTripThroughTheApplicationsIniFile)
{
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "");
    store.set("Quillmark", "Pressvale", "Combo1", "1");
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "1");
    store.set("Quillmark", "Pressvale", "Combo1", "12");
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "12");
    EXPECT_TRUE(readIni().contains("[Pressvale]\nCombo1=12"));
    EXPECT_EQ(store.get("Quillmark", "Other", "Combo1"), "");

    // A value written by hand with a comma reads back whole.
    writeIni("[Pressvale]\nCombo1=1,2\n");
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "1,2");
}

TEST_F(QtSettingsStoreTest, StoringTheValueAlreadyHeldLeavesTheFileAsItIs)
{
    store.set("Quillmark", "Pressvale", "Combo1", "1");
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(iniFile()).constData(), &before), 0);
    store.set("Quillmark", "Pressvale", "Combo1", "1");
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(iniFile()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was written again";

    // Another value, another key or a value held only by a damaged file is written.
    store.set("Quillmark", "Pressvale", "Combo1", "2");
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "2");
    store.set("Quillmark", "Other", "Combo1", "2");
    EXPECT_EQ(store.get("Quillmark", "Other", "Combo1"), "2");
    writeIni("[Pressvale]\nCombo1=3\nnot a setting\n");
    store.set("Quillmark", "Pressvale", "Combo1", "3");
    EXPECT_EQ(copiesOfCorruptFiles().size(), 1);
    EXPECT_FALSE(readIni().contains("not a setting"));
}

TEST_F(QtSettingsStoreTest, AnUnparsableFileIsReadAsFarAsPossibleAndKeptBeforeAWrite)
{
    const QByteArray damaged = "[Pressvale]\nCombo1=2\n[Other\nline without an equals sign\nKept=yes\n";
    writeIni(damaged);
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "2");
    EXPECT_TRUE(copiesOfCorruptFiles().isEmpty());  // reading changes nothing

    store.set("Quillmark", "Pressvale", "Combo1", "3");
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "3");
    const QStringList copies = copiesOfCorruptFiles();
    ASSERT_EQ(copies.size(), 1);
    QFile copy(folder.filePath(copies.front()));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), damaged);

    // The rewritten file parses, so the next write keeps no further copy.
    store.set("Quillmark", "Pressvale", "Combo1", "4");
    EXPECT_EQ(copiesOfCorruptFiles().size(), 1);
    EXPECT_TRUE(readIni().contains("Kept=yes"));
}

TEST_F(QtSettingsStoreTest, EveryKindOfDamageIsKeptBeforeAWrite)
{
    const QByteArray damages[] = {
        "[Pressvale]\nCombo1=2\nno equals sign here\n",
        QByteArray("[Pressvale]\nCombo1=2\n\x01\x00\xff binary=\n", 24),
        QByteArray("\xff\xfe[\x00P\x00", 6),  // saved as UTF-16
        "[Pressvale]\n=no key\n",
        "; a comment\n[Pressvale]\nCombo1=2\n",
    };
    for (const QByteArray& damaged : damages) {
        for (const QString& copy : copiesOfCorruptFiles())
            QFile::remove(folder.filePath(copy));
        writeIni(damaged);
        store.set("Quillmark", "Pressvale", "Combo1", "5");
        EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "5");
        const QStringList copies = copiesOfCorruptFiles();
        ASSERT_EQ(copies.size(), 1) << damaged.toStdString();
        QFile copy(folder.filePath(copies.front()));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), damaged);
    }
}

TEST_F(QtSettingsStoreTest, APipeInPlaceOfTheFileIsNeitherReadNorWritten)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(iniFile()).constData(), 0600), 0);
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "");
    EXPECT_THROW(store.set("Quillmark", "Pressvale", "Combo1", "1"), Failure);
    EXPECT_FALSE(QFileInfo(iniFile()).isFile());
}

TEST_F(QtSettingsStoreTest, AFileThatCannotBeReadIsNeverWritten)
{
    // A folder where the file should be: it can neither be read nor replaced.
    ASSERT_TRUE(QDir(folder.path()).mkdir("Quillmark.ini"));
    EXPECT_EQ(store.get("Quillmark", "Pressvale", "Combo1"), "");
    EXPECT_THROW(store.set("Quillmark", "Pressvale", "Combo1", "1"), Failure);
    EXPECT_TRUE(QFileInfo(iniFile()).isDir());
}

}  // namespace
}  // namespace pv::testing

namespace pv::testing {
namespace {

// The store keeps its files in a fresh configuration folder of its own.
class QtSettingsStoreWorld {
public:
    QtSettingsStoreWorld() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path()); }

    SettingsStore& store() { return store_; }

private:
    QTemporaryDir folder_;
    QtSettingsStore store_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, SettingsStoreContract, QtSettingsStoreWorld);

}  // namespace
}  // namespace pv::testing
