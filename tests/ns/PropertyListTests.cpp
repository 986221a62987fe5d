#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ns;

namespace
{

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

} // namespace

TEST(PropertyList, EveryValueTypeSurvivesAWriteAndARead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("all.plist");
    Dictionary root{
        {"zeta", "Grüße, 日本語 & <xml>"},
        {"alpha", true},
        {"no", false},
        {"count", -42},
        {"big", 1LL << 40},
        {"ratio", 0.25},
        {"when", utc(2009, 3, 14, 15, 9, 26)},
        {"old", utc(1990, 1, 1, 0, 0, 0)},
        {"bytes", QByteArray("\x00\x01\xff", 3)},
        {"list", Array{"a", Dictionary{{"inner", Array{1, 2.5}}}, Array{}}},
        {"empty", Dictionary{}},
    };
    ASSERT_TRUE(PropertyList::writeFile(path, root));

    std::optional<Dictionary> back = PropertyList::readDictionary(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, root);
    EXPECT_EQ(back->keys(), root.keys());
    EXPECT_EQ(back->value("when").toDate(), utc(2009, 3, 14, 15, 9, 26));
    EXPECT_TRUE(back->value("alpha").isBool());
    EXPECT_EQ(back->value("count").type(), Value::Type::Integer);
}

TEST(PropertyList, ReadsTheMacOwnXmlFormat)
{
    std::optional<Dictionary> d = PropertyList::readDictionary(TRELVAN_FIXTURES_DIR "/ns/mac-format.plist");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->keys(),
              (QStringList{"IsLogOn", "CurrentLanguage", "Main", "SupportLanguages", "Stamp", "Blob"}));
    EXPECT_TRUE(d->value("IsLogOn").boolValue());
    EXPECT_EQ(d->value("CurrentLanguage").toString(), QString::fromUtf8("Français"));
    EXPECT_EQ(d->value("Main").toDictionary().value("Main_UIModel").intValue(), 2);
    EXPECT_DOUBLE_EQ(d->value("Main").toDictionary().value("Scale").doubleValue(), 1.5);
    EXPECT_EQ(d->value("SupportLanguages").toArray().count(), 2);
    EXPECT_EQ(d->value("Stamp").toDate(), utc(2010, 6, 1, 12, 30, 0));
    EXPECT_EQ(d->value("Blob").toData(), QByteArray("hello"));
}

TEST(PropertyList, GarbageAndTruncatedFilesAreNotPropertyLists)
{
    QTemporaryDir dir;
    QFile good(TRELVAN_FIXTURES_DIR "/ns/mac-format.plist");
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray xml = good.readAll();
    const QByteArray inputs[] = {xml.left(xml.size() / 2), QByteArray("not a plist at all"),
                                 QByteArray("bplist00\x01\x02", 10), QByteArray()};
    for (const QByteArray& bytes : inputs)
        EXPECT_FALSE(PropertyList::fromData(bytes)) << bytes.left(20).toStdString();
    EXPECT_FALSE(PropertyList::readFile(dir.filePath("missing.plist")));
}

TEST(PropertyList, AValueHoldingNullIsRefusedAndTheOldFileKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.plist");
    ASSERT_TRUE(PropertyList::writeFile(path, Dictionary{{"k", 1}}));
    EXPECT_FALSE(PropertyList::writeFile(path, Dictionary{{"k", Value()}}));
    EXPECT_EQ(PropertyList::readDictionary(path)->value("k").intValue(), 1);
    EXPECT_FALSE(PropertyList::writeFile(dir.filePath("no/such/folder/x.plist"), Dictionary{}));
}
