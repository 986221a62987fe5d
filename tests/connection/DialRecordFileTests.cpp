// The connection history file: rereading only on change, appending and
// replacing atomically, an unreadable file set aside before any writer, a
// failed write keeping the last good file; the per-SIM name, totals, period
// selection and removal by row.
#include "connection/DialRecordFile.h"
#include "connection/DialRecords.h"
#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace
{

ns::Dictionary record(const QString& name, long seconds = 60, const QString& sent = "1.00",
                      const QString& received = "2.00")
{
    return ns::Dictionary{{"connectname", name},
                          {"starttime", QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0))},
                          {"connecttime", seconds},
                          {"sendbyte", sent},
                          {"receivebyte", received}};
}

struct HistoryFolder {
    QString path() const { return dir.filePath("dialRecordData.plist"); }
    QByteArray bytesOnDisk(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void put(const QByteArray& bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    ns::Array onDisk() const { return ns::PropertyList::readArray(path()).value_or(ns::Array()); }

    QTemporaryDir dir;
};

} // namespace

TEST(DialRecordFile, RereadsTheFileOnlyWhenItChangedOnDisk)
{
    HistoryFolder folder;
    DialRecordFile file(folder.path());
    EXPECT_TRUE(file.records().isEmpty());
    ASSERT_TRUE(ns::PropertyList::writeFile(folder.path(), ns::Array{record("one")}));
    EXPECT_EQ(file.records(), (ns::Array{record("one")}));

    // The same size, identity and modification time: the kept records stand.
    struct stat before {
    };
    ASSERT_EQ(::stat(QFile::encodeName(folder.path()).constData(), &before), 0);
    QByteArray bytes = folder.bytesOnDisk(folder.path());
    bytes.replace("one", "two");
    {
        QFile inPlace(folder.path());
        ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite));
        inPlace.write(bytes);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder.path()).constData(), times, 0), 0);
    EXPECT_EQ(file.records(), (ns::Array{record("one")}));

    // Another writer replaces it.
    ASSERT_TRUE(ns::PropertyList::writeFile(folder.path(), ns::Array{record("three"), record("four", 30)}));
    EXPECT_EQ(file.records(), (ns::Array{record("three"), record("four", 30)}));
    EXPECT_EQ(file.totals().seconds, 90);
}

TEST(DialRecordFile, AppendsToWhatTheFileHoldsAndReplacesItWhole)
{
    HistoryFolder folder;
    DialRecordFile file(folder.path());
    ASSERT_TRUE(file.append(record("first")));
    ASSERT_TRUE(
        ns::PropertyList::writeFile(folder.path(), ns::Array{record("first"), record("other writer")}));
    ASSERT_TRUE(file.append(record("last")));
    EXPECT_EQ(folder.onDisk(), (ns::Array{record("first"), record("other writer"), record("last")}));
    EXPECT_EQ(file.records(), folder.onDisk());
    EXPECT_EQ(file.totals().seconds, 180);

    ASSERT_TRUE(file.write(ns::Array()));
    EXPECT_TRUE(folder.onDisk().isEmpty());
    EXPECT_TRUE(QFile::exists(folder.path()));
}

TEST(DialRecordFile, AnUnreadableFileIsSetAsideBeforeAnyWriterReplacesIt)
{
    const QByteArray garbage = "<plist><array><dict><key>connectname";
    const std::function<bool(DialRecordFile&)> writers[] = {
        [](DialRecordFile& file) { return file.append(record("new")); },
        [](DialRecordFile& file) { return file.write(ns::Array()); },
    };
    for (const auto& writer : writers) {
        HistoryFolder folder;
        folder.put(garbage);
        DialRecordFile file(folder.path());
        EXPECT_TRUE(file.records().isEmpty());
        EXPECT_TRUE(file.isUnreadable());
        ASSERT_TRUE(writer(file));
        EXPECT_EQ(folder.bytesOnDisk(folder.path() + ".unreadable"), garbage);
        EXPECT_FALSE(file.isUnreadable());
        EXPECT_EQ(file.records(), folder.onDisk());
    }
    // A root that is not an array is as unreadable as broken bytes.
    HistoryFolder folder;
    ASSERT_TRUE(ns::PropertyList::writeFile(folder.path(), ns::Dictionary{{"connectname", "x"}}));
    DialRecordFile file(folder.path());
    EXPECT_TRUE(file.isUnreadable());
}

TEST(DialRecordFile, AFailedWriteKeepsTheLastGoodFile)
{
    HistoryFolder folder;
    DialRecordFile file(folder.path());
    ASSERT_TRUE(file.append(record("kept")));
    const QByteArray good = folder.bytesOnDisk(folder.path());
    // A null value has no property-list form, so nothing can be written.
    EXPECT_FALSE(file.append(ns::Dictionary{{"connectname", ns::Value()}}));
    EXPECT_EQ(folder.bytesOnDisk(folder.path()), good);
    EXPECT_EQ(file.records(), (ns::Array{record("kept")}));

    DialRecordFile nowhere(folder.dir.filePath("missing/folder/dialRecordData.plist"));
    EXPECT_FALSE(nowhere.append(record("lost")));
    EXPECT_TRUE(nowhere.records().isEmpty());
}

TEST(DialRecords, TheFileNameCarriesOnlyAnAllDigitImsi)
{
    for (auto [imsi, name] : {std::pair{"", "dialRecordData.plist"},
                              {"460001234567890", "460001234567890_dialRecordData.plist"},
                              {"../460001234567890", "dialRecordData.plist"},
                              {"4600/123", "dialRecordData.plist"}})
        EXPECT_EQ(dial_record::recordFileName(imsi), name) << imsi;
}

TEST(DialRecords, TotalsSumKilobytesAndSecondsOfRecordsOnly)
{
    const ns::Array records{record("a", 443000, "1.25", "2.50"), record("b", 45, "0.75", "10"),
                            ns::Value("not a record"), ns::Dictionary{{"unknown", 5}}};
    const dial_record::Totals totals = dial_record::totalsOf(records);
    EXPECT_DOUBLE_EQ(totals.sentKilobytes, 2.0);
    EXPECT_DOUBLE_EQ(totals.receivedKilobytes, 12.5);
    EXPECT_DOUBLE_EQ(totals.kilobytes, 14.5);
    EXPECT_EQ(totals.seconds, 443045);
}

TEST(DialRecords, APeriodHoldsBothOfItsBoundsAndNeedsToAfterFrom)
{
    const QDate from(2026, 3, 1), to(2026, 3, 2);
    const auto startingAt = [](const QDateTime& start) {
        ns::Dictionary r = record(start.toString(Qt::ISODate));
        r.setValue("starttime", start);
        return r;
    };
    const QDateTime first(from, QTime(0, 0, 0)), last(to, QTime(23, 59, 59));
    const ns::Array records{startingAt(first.addSecs(-1)), startingAt(first), startingAt(last),
                            startingAt(last.addSecs(1)), ns::Dictionary{{"connectname", "no start"}}};
    const auto period = dial_record::periodOfDays(from, to);
    ASSERT_TRUE(period);
    EXPECT_EQ(dial_record::recordsInPeriod(records, period->from, period->to),
              (ns::Array{startingAt(first), startingAt(last)}));

    EXPECT_TRUE(dial_record::periodOfDays(from, from));
    EXPECT_FALSE(dial_record::periodOfDays(to, from));
}

TEST(DialRecords, EachChosenRowRemovesOneStoredRecord)
{
    struct Case {
        ns::Array chosen;
        ns::Array left;
    };
    const ns::Dictionary a = record("same"), b = record("other");
    for (const Case& c : {Case{{a}, {a, b}}, Case{{a, a}, {b}}, Case{{record("absent")}, {a, a, b}}}) {
        ns::Array records{a, a, b};
        dial_record::removeOnePerChosen(records, c.chosen);
        EXPECT_EQ(records, c.left);
    }
}
