#include "app/utils/JovFileManager.h"

#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{

class JovFileManagerTest : public ::testing::Test
{
protected:
    QString path(const QString& relative) const { return dir_.filePath(relative); }

    void writeBytes(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readBytes(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(JovFileManagerTest, CreateFolderAlongAPath)
{
    writeBytes("plain", "x");
    EXPECT_TRUE(JovFileManager::createFolder(path("a/b/")));
    EXPECT_TRUE(QFileInfo(path("a/b")).isDir());

    EXPECT_TRUE(JovFileManager::createFolder(path("c//d")));
    EXPECT_TRUE(QFileInfo(path("c")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("c/d")));

    EXPECT_FALSE(JovFileManager::createFolder(path("plain/sub")));
    EXPECT_FALSE(JovFileManager::createFolder(QString()));
    EXPECT_FALSE(JovFileManager::createFolder(""));
    EXPECT_FALSE(JovFileManager::createDirectory(""));
    EXPECT_TRUE(JovFileManager::createDirectory(path("plain")));

    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(dir_.path()));
    EXPECT_TRUE(JovFileManager::createFolder("~/tilde/e"));
    qputenv("HOME", home);
    EXPECT_TRUE(QFileInfo(path("tilde/e")).isDir());
}

TEST_F(JovFileManagerTest, WriteMakesTheFolderAndWritesEachKindOfValue)
{
    ASSERT_TRUE(JovFileManager::writeToFile(path("x/y/note.txt"), "caf\u00e9", QStringConverter::Latin1));
    EXPECT_EQ(readBytes("x/y/note.txt"), QByteArray("caf\xe9"));

    ASSERT_TRUE(JovFileManager::writeToFile(path("x/utf16.txt"), "A", QStringConverter::Utf16));
    EXPECT_EQ(readBytes("x/utf16.txt").size(), 4); // byte-order mark and one unit

    const ns::Dictionary settings{{"IsLogOn", true}};
    ASSERT_TRUE(JovFileManager::writeToFile(path("plist/settings.plist"), settings, QStringConverter::Utf8));
    EXPECT_EQ(ns::PropertyList::readDictionary(path("plist/settings.plist")), settings);

    ASSERT_TRUE(
        JovFileManager::writeToFile(path("raw.bin"), QByteArray("\0\1\2", 3), QStringConverter::Utf8));
    EXPECT_EQ(readBytes("raw.bin"), QByteArray("\0\1\2", 3));
}

TEST_F(JovFileManagerTest, WriteRefusesWhatItCannotWrite)
{
    writeBytes("keep.txt", "old");
    // Text that the encoding cannot hold leaves the old file as it was.
    EXPECT_FALSE(JovFileManager::writeToFile(path("keep.txt"), "\u20ac", QStringConverter::Latin1));
    EXPECT_EQ(readBytes("keep.txt"), "old");
    // A number is no file content: refused, and no folder made for it.
    EXPECT_FALSE(JovFileManager::writeToFile(path("n/number"), 42, QStringConverter::Utf8));
    EXPECT_FALSE(QFileInfo::exists(path("n")));
    EXPECT_FALSE(JovFileManager::writeToFile("", "text", QStringConverter::Utf8));
}

TEST_F(JovFileManagerTest, ReadKeyValueLines)
{
    writeBytes("update.ini", "IMEI=3520\nFW=11.2=beta\nbare\nIMEI=3599\nLANG=\xc3\xa9\n");
    const ns::Dictionary items =
        JovFileManager::readFromFile(path("update.ini"), "\n", "=", QStringConverter::Utf8);
    EXPECT_EQ(items, (ns::Dictionary{{"IMEI", "3599"}, {"LANG", "\u00e9"}}));

    EXPECT_TRUE(
        JovFileManager::readFromFile(path("missing.ini"), "\n", "=", QStringConverter::Utf8).isEmpty());
    writeBytes("bad.ini", "K=\xff\xfe\n");
    EXPECT_TRUE(JovFileManager::readFromFile(path("bad.ini"), "\n", "=", QStringConverter::Utf8).isEmpty());
}

TEST_F(JovFileManagerTest, FileTypesAndRemoval)
{
    writeBytes("f/file", "x");
    ASSERT_TRUE(QFile::link(path("f"), path("dirLink")));
    ASSERT_TRUE(QFile::link(path("gone"), path("brokenLink")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);

    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("f/file")), JovFileManager::kFileTypeFile);
    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("f")), JovFileManager::kFileTypeDirectory);
    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("dirLink")), JovFileManager::kFileTypeDirectory);
    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("missing")), JovFileManager::kFileTypeNone);
    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("brokenLink")), JovFileManager::kFileTypeNone);
    EXPECT_EQ(JovFileManager::getFileTypeWithPath(path("fifo")), JovFileManager::kFileTypeOther);

    EXPECT_TRUE(JovFileManager::removeFileAtPath(path("missing")));
    EXPECT_TRUE(JovFileManager::removeFileAtPath(path("dirLink")));
    EXPECT_TRUE(QFileInfo::exists(path("f/file"))); // a link goes, not what it points at
    EXPECT_TRUE(JovFileManager::removeFileAtPath(path("f")));
    EXPECT_FALSE(QFileInfo::exists(path("f")));
    EXPECT_TRUE(JovFileManager::removeFileAtPath(path("brokenLink")));
    EXPECT_FALSE(QFileInfo(path("brokenLink")).isSymLink());
}

TEST_F(JovFileManagerTest, SubPathsBySearchTypeAndHiddenState)
{
    writeBytes("SMS/inbox.plist", "x");
    writeBytes("SMS/old/2009.plist", "x");
    writeBytes("SMS/.hidden", "x");
    writeBytes("SMS/top.txt", "x");
    const QString root = path("SMS");

    struct Case {
        int searchType;
        bool full;
        bool hidden;
        QStringList expected;
    };
    const Case cases[] = {
        {JovFileManager::kSearchFiles, false, false, {"inbox.plist", "old/2009.plist", "top.txt"}},
        {JovFileManager::kSearchDirectories, false, false, {"old"}},
        {JovFileManager::kSearchAll, false, false, {"inbox.plist", "old", "old/2009.plist", "top.txt"}},
        {JovFileManager::kSearchAll, false, true, {".hidden"}},
        {JovFileManager::kSearchDirectories, true, false, {root + "/old"}},
        {7, false, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JovFileManager::getSubPathsWithFileDirectoryPath(root, c.searchType, c.full, c.hidden),
                  c.expected)
            << "search type " << c.searchType << " full " << c.full << " hidden " << c.hidden;

    EXPECT_FALSE(JovFileManager::getSubPathsWithFileDirectoryPath(path("missing"), 2, false, false));
    EXPECT_FALSE(JovFileManager::getSubPathsWithFileDirectoryPath(path("SMS/top.txt"), 2, false, false));
}
