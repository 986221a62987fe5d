#include "connection/Dovure/IconLinkList.h"
#include "connection/Dovure/LastModifiedDate.h"
#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace
{

const QString kBanner = QStringLiteral("http://operator.test/banner.jpg");
const QString kPromo = QStringLiteral("http://operator.test/promo.swf");

ns::Dictionary entry(const QString& url, const QString& storePath, const QString& date = QString())
{
    ns::Dictionary links{{kImageURLKey, url}, {kImageStorePathKey, storePath}};
    if (!date.isNull())
        links.setValue(kImageModifiedDateKey, date);
    return links;
}

// A link list written to a file of its own and read back.
struct ListOnDisk {
    explicit ListOnDisk(const ns::Array& entries)
    {
        path = dir.filePath(QStringLiteral("IconLinks.plist"));
        ns::PropertyList::writeFile(path, entries);
        list.load(path);
    }
    ns::Array onDisk() const { return ns::PropertyList::readArray(path).value_or(ns::Array()); }

    QTemporaryDir dir;
    QString path;
    IconLinkList list;
};

} // namespace

TEST(LastModifiedDate, ReadsTheHeaderFormat)
{
    const QDateTime utc(QDate(2015, 10, 21), QTime(7, 28, 0), QTimeZone::utc());
    struct Case {
        const char* text;
        std::optional<QDateTime> expected;
    };
    const Case cases[] = {
        {"Wed, 21 Oct 2015 07:28:00 GMT", utc},
        {"wed, 21 OCT 2015 07:28:00 UTC", utc},
        {"Wed, 21 Oct 2015 09:28:00 +0200", utc},
        {"Wed, 21 Oct 2015 09:28:00 Europe/Berlin", utc}, // summer time there
        {"  Wed, 21 Oct 2015 07:28:00 GMT\r\n", utc},
        {"Wed, 1 Oct 2015 07:28:00 GMT",
         QDateTime(QDate(2015, 10, 1), QTime(7, 28), QTimeZone::utc())},
        {"", std::nullopt},
        {"Wed, 21 Oct 2015 07:28:00", std::nullopt},     // no zone
        {"Wed, 21 Oct 2015 07:28:00 XYZ", std::nullopt}, // unknown zone
        {"Wed, 21 Oct 2015 07:28:00 +2500", std::nullopt},
        {"Wed, 31 Feb 2015 07:28:00 GMT", std::nullopt}, // no such day
        {"Wed, 21 Oct 2015 24:28:00 GMT", std::nullopt},
        {"Xyz, 21 Oct 2015 07:28:00 GMT", std::nullopt},
        {"Wed, 21 Okt 2015 07:28:00 GMT", std::nullopt},
        {"2015-10-21T07:28:00Z", std::nullopt},
        {"Wednesday, 21-Oct-15 07:28:00 GMT", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(last_modified::parse(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(LastModifiedDate, OnlyALaterServerDateCounts)
{
    struct Case {
        const char* server;
        const char* stored;
        bool later;
    };
    const Case cases[] = {
        {"Wed, 21 Oct 2015 07:28:01 GMT", "Wed, 21 Oct 2015 07:28:00 GMT", true},
        {"Wed, 21 Oct 2015 07:28:00 GMT", "Wed, 21 Oct 2015 07:28:00 GMT", false},
        {"Wed, 21 Oct 2015 08:28:00 +0100", "Wed, 21 Oct 2015 07:28:00 GMT", false}, // the same moment
        {"Tue, 20 Oct 2015 07:28:00 GMT", "Wed, 21 Oct 2015 07:28:00 GMT", false},
        {"Tue, 20 Oct 2015 07:28:00 GMT", "", true}, // a stored value that is no date is older
        {"Tue, 20 Oct 2015 07:28:00 GMT", "yesterday", true},
        {"tomorrow", "Wed, 21 Oct 2015 07:28:00 GMT", false},
        {"", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(last_modified::isLater(QString::fromLatin1(c.server), QString::fromLatin1(c.stored)),
                  c.later)
            << c.server << " against " << c.stored;
}

TEST(IconLinkList, ANewerServerDateIsHeldAndItsDownloadFinishesIntoTheList)
{
    const QString old = QStringLiteral("Mon, 01 Jun 2026 10:00:00 GMT");
    const QString newer = QStringLiteral("Tue, 02 Jun 2026 10:00:00 GMT");
    ListOnDisk disk({entry(kBanner, QStringLiteral("/images/banner.jpg"), old)});

    EXPECT_FALSE(disk.list.noteServerDate(kBanner, old));
    EXPECT_FALSE(disk.list.entries().at(0).toDictionary().contains(kLatestImageModifiedDateKey));
    EXPECT_FALSE(disk.list.noteServerDate(QStringLiteral("http://operator.test/other.jpg"), newer));

    ASSERT_TRUE(disk.list.noteServerDate(kBanner, newer));
    const ns::Dictionary held = disk.list.entries().at(0).toDictionary();
    EXPECT_EQ(held.value(kLatestImageModifiedDateKey).toString(), newer);
    EXPECT_EQ(held.value(kImageModifiedDateKey).toString(), old);

    const std::optional<ns::Dictionary> finished = disk.list.finishDownload(kBanner);
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->value(kImageModifiedDateKey).toString(), newer);
    ASSERT_TRUE(disk.list.save());
    EXPECT_EQ(disk.onDisk().at(0).toDictionary().value(kImageModifiedDateKey).toString(), newer);
    EXPECT_FALSE(disk.list.finishDownload(kPromo));
}

TEST(IconLinkList, QueriesOnlyEntriesWithAnAddressInListOrder)
{
    ListOnDisk disk({entry(kPromo, QStringLiteral("/images/promo.swf")),
                     entry(QString(), QStringLiteral("/a.jpg")), QStringLiteral("not an entry"),
                     ns::Dictionary{{kImageStorePathKey, QStringLiteral("/b.jpg")}},
                     entry(kBanner, QStringLiteral("/images/banner.jpg"))});
    EXPECT_EQ(disk.list.addressesToQuery(), (QStringList{kPromo, kBanner}));
}

TEST(IconLinkList, TheFirstEntryAnswersForItsAddressAndTheLastGivesTheDestination)
{
    ListOnDisk disk(
        {entry(kBanner, QStringLiteral("/first.jpg")), entry(kBanner, QStringLiteral("/second.jpg"))});
    EXPECT_EQ(disk.list.entryForURL(kBanner)->value(kImageStorePathKey).toString(), u"/first.jpg");
    EXPECT_EQ(disk.list.storePathForURL(kBanner), u"/second.jpg");
    EXPECT_FALSE(disk.list.entryForURL(kPromo));
    EXPECT_TRUE(disk.list.storePathForURL(kPromo).isEmpty());
}

TEST(IconLinkList, AFileThatIsNoListIsNeverReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("IconLinks.plist"));
    for (const QByteArray& bytes : {QByteArray("<plist>broken"), ns::PropertyList::toXml(ns::Dictionary())}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        IconLinkList list;
        list.load(path);
        EXPECT_TRUE(list.fileExists());
        EXPECT_TRUE(list.entries().isEmpty());
        EXPECT_FALSE(list.save());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
    }
    IconLinkList missing;
    missing.load(dir.filePath(QStringLiteral("none.plist")));
    EXPECT_FALSE(missing.fileExists());
}

TEST(IconLinkList, KnowsItsAddressesAndOnlyItsOwnLocalFiles)
{
    ListOnDisk disk({entry(kBanner, QStringLiteral("/data/dovure/images/MainimageTitle_Cropped.jpg")),
                     entry(kPromo, QStringLiteral("/data/Sources/promo.swf")), entry(QString(), QString())});
    const KnownLocalFiles withTwins{{QStringLiteral("/data/dovure/images/")}, true};
    const KnownLocalFiles withoutTwins{{QStringLiteral("/data/dovure/images")}, false};
    struct Case {
        const char* address;
        bool withTwins;
        bool withoutTwins;
    };
    const Case cases[] = {
        {"http://operator.test/banner.jpg", true, true},
        {"/data/Sources/promo.swf", true, true},
        {"http://operator.test/other.jpg", false, false},
        {"", false, false},
        {"file:///data/Sources/promo.swf", true, true},
        {"file:///data/Sources/promo.htm", true, false},
        {"file:///data/Sources/other.htm", false, false},
        {"file:///data/dovure/images/any.gif", true, true},
        {"file:///data/dovure/images/sub/any.gif", true, true},
        {"file:///data/dovure/images/", false, false},
        {"file:///data/dovure/images/../../../etc/passwd", false, false},
        {"file:///data/dovure/images-other/a.gif", false, false},
        {"file:///etc/passwd", false, false},
        {"file://otherhost/data/dovure/images/any.gif", false, false},
        {"file://", false, false},
    };
    for (const Case& c : cases) {
        const QString address = QString::fromLatin1(c.address);
        EXPECT_EQ(disk.list.isKnownURL(address, withTwins), c.withTwins) << c.address;
        EXPECT_EQ(disk.list.isKnownURL(address, withoutTwins), c.withoutTwins) << c.address;
    }
}
