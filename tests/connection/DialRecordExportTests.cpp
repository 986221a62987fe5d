// The connection history exported as text or CSV.
#include "connection/DialRecordExport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

dial_record::ExportTexts texts(bool textWithDataTexts = false)
{
    return dial_record::ExportTexts{
        {"Name", "Start", "End", "Duration", "Received", "Sent"},
        [](const QDateTime& date) { return date.toString("yyyy-MM-dd HH:mm:ss"); },
        [](double bytes) { return QString::number(bytes) + " B"; },
        textWithDataTexts,
    };
}

ns::Dictionary record(const QString& name)
{
    const QDateTime start(QDate(2026, 3, 1), QTime(10, 0, 0));
    return ns::Dictionary{
        {"connectname", name},    {"starttime", start},    {"disconnecttime", start.addSecs(443045)},
        {"connecttime", 443045},  {"receivebyte", "2.00"}, {"sendbyte", "1.50"},
        {"localaddr", "10.0.0.1"}};
}

} // namespace

TEST(DialRecordExport, TextLinesEndInTwoTabsAndALineFeed)
{
    const ns::Array records{record("Home"), ns::Dictionary{{"connectname", "bare"}},
                            ns::Value("not a record")};
    EXPECT_EQ(dial_record::textExport(records, texts()),
              "Name\t\tStart\t\tEnd\t\tDuration\t\tReceived\t\tSent\t\t\n"
              "Home\t\t2026-03-01 10:00:00\t\t2026-03-06 13:04:05\t\t123:04:05\t\t2.00\t\t1.50\t\t\n"
              "bare\t\t\t\t\t\t\t\t\t\t\t\t\n");
    EXPECT_EQ(dial_record::textExport({record("Home")}, texts(true)).split('\n').at(1),
              "Home\t\t2026-03-01 10:00:00\t\t2026-03-06 13:04:05\t\t123:04:05\t\t2048 B\t\t1536 B\t\t");
}

TEST(DialRecordExport, CsvQuotesOnlyANameThatNeedsIt)
{
    struct Case {
        const char* name;
        const char* field;
    };
    for (const Case& c :
         {Case{"plain", "plain"}, Case{"a,\"b\"", "\"a,\"\"b\"\"\""}, Case{"a\"b", "\"a\"\"b\""},
          Case{"two\nlines", "\"two\nlines\""}, Case{"cr\rhere", "\"cr\rhere\""}, Case{"", ""}}) {
        SCOPED_TRACE(c.name);
        const QByteArray csv = dial_record::csvExport({record(c.name)}, texts());
        EXPECT_EQ(csv, QByteArray("Name,Start,End,Duration,Received,Sent,\n") + c.field +
                           ",2026-03-01 10:00:00,2026-03-06 13:04:05,123:04:05,2048 B,1536 B,\n");
    }
}

TEST(DialRecordExport, WritesTheFormOfTheTypeInUtf8OrSaysWhyNot)
{
    QTemporaryDir dir;
    const ns::Array records{record("Zuhause ü")};
    QString error;
    for (const char* type : {"txt", "csv"}) {
        const QString path = dir.filePath(QStringLiteral("history.") + type);
        ASSERT_TRUE(dial_record::writeExport(path, type, records, texts(), &error));
        QFile written(path);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), QString(type) == "txt" ? dial_record::textExport(records, texts())
                                                            : dial_record::csvExport(records, texts()));
    }
    EXPECT_TRUE(dial_record::textExport(records, texts()).contains("Zuhause \xc3\xbc"));

    EXPECT_FALSE(dial_record::writeExport(dir.filePath("history.rtf"), "rtf", records, texts(), &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("history.rtf")));

    const QString nowhere = dir.filePath("missing/history.txt");
    EXPECT_FALSE(dial_record::writeExport(nowhere, "txt", records, texts(), &error));
    EXPECT_TRUE(error.contains(nowhere));
}
