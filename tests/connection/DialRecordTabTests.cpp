#include "app/config/ConfigFileKeys.h"
#include "platform/ns/appkit/SavePanel.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/HistoryTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace history_test;

TEST(DialRecordTab, ShowsEachRecordByColumnWithTheTotals)
{
    const QDateTime start(QDate(2026, 3, 1), QTime(8, 0, 0));
    HistoryApp app(Array{record("Home, \"net\"", start, 443045, "1024.00", "0.50")});
    app.selectTab();
    ASSERT_EQ(app.rows(), 1);
    EXPECT_EQ(app.cell(0, "connectname"), "Home, \"net\"");
    EXPECT_EQ(app.cell(0, "connecttime"), "123:04:05"); // hours beyond 99
    EXPECT_EQ(app.cell(0, "starttime"), app.history.formatStringFromDate(start));
    EXPECT_EQ(app.cell(0, "disconnecttime"), app.history.formatStringFromDate(start.addSecs(443045)));
    EXPECT_EQ(app.cell(0, "receivebyte"), "1.00 MB");
    EXPECT_EQ(app.cell(0, "sendbyte"), "0.50 KB");
    EXPECT_EQ(app.history.labelTotalData_->stringValue(), "1024.50 KB");
    EXPECT_EQ(app.history.labelTotalTime_->stringValue(), "123:04:05");
    EXPECT_FLOAT_EQ(app.history.getTotalData(), 1024.5f);
    EXPECT_EQ(app.history.gettotalTime(), 443045);

    // A connection that ends appears at once; the buttons follow the list and the selection.
    EXPECT_TRUE(app.history.appendDialRecord(record("Office", start.addDays(1), 60)));
    EXPECT_EQ(app.rows(), 2);
    EXPECT_EQ(namesOf(app.onDisk()), QStringList({"Home, \"net\"", "Office"}));
    EXPECT_TRUE(app.history.btnResetDialRecord_->isEnabled());
    EXPECT_FALSE(app.history.btnDeleteDialRecord_->isEnabled());
    EXPECT_FALSE(app.history.btnSaveDialRecord_->isEnabled());
    app.selectRows({1});
    EXPECT_TRUE(app.history.btnDeleteDialRecord_->isEnabled());
    EXPECT_TRUE(app.history.btnSaveDialRecord_->isEnabled());
    // The connection's poll refreshes the tab all the time: the selection stays.
    app.history.updateInterface();
    EXPECT_EQ(app.history.tableDialRecord_->selectedRowIndexes(), QList<int>{1});
}

TEST(DialRecordTab, ShowKeepsBothBoundsOfThePeriodAndRefusesAnEmptyOne)
{
    const QDate from(2026, 3, 2), to(2026, 3, 4);
    HistoryApp app(Array{record("before", QDateTime(from.addDays(-1), QTime(23, 59, 59)), 10),
                         record("first", QDateTime(from, QTime(0, 0, 0)), 20),
                         record("last", QDateTime(to, QTime(23, 59, 59)), 30),
                         record("after", QDateTime(to.addDays(1), QTime(0, 0, 0)), 40)});
    app.pickPeriod(from, to);
    EXPECT_TRUE(app.press(app.history.btnShowDialRecord_).isEmpty()); // no alert
    EXPECT_TRUE(app.history.isPeriodView());
    EXPECT_EQ(namesOf(app.history.recordList()), QStringList({"first", "last"}));
    EXPECT_EQ(namesOf(app.onDisk(kCMDialRecordBackupFile)), QStringList({"first", "last"}));
    EXPECT_EQ(app.history.labelTotalTime_->stringValue(), "00:00:50");
    EXPECT_EQ(app.history.labelTextShowDialRecord_->stringValue(),
              "Statistics for period from 2026-03-02 00:00:00 to 2026-03-04 23:59:59");

    // A record saved meanwhile shows only when it falls in the period.
    app.history.appendDialRecord(record("today", kNow, 5));
    EXPECT_EQ(namesOf(app.history.recordList()), QStringList({"first", "last"}));

    // To before From: the warning, then the whole file.
    app.pickPeriod(to, from);
    const QStringList alert = app.press(app.history.btnShowDialRecord_);
    EXPECT_TRUE(alert.contains("You selected a wrong period")) << alert.join('|').toStdString();
    EXPECT_EQ(app.rows(), 5);
}

TEST(DialRecordTab, DeleteRemovesOneStoredRecordPerSelectedRow)
{
    const QDateTime start(QDate(2026, 3, 10), QTime(9, 0, 0));
    const Dictionary twin = record("twin", start, 100);
    const Array records{twin, twin, record("other", start.addDays(-5), 7)};
    // In list view and in the period view of the twins' day.
    for (const bool period : {false, true}) {
        HistoryApp app(records);
        if (period) {
            app.pickPeriod(start.date(), start.date());
            app.press(app.history.btnShowDialRecord_);
        } else {
            app.selectTab();
        }
        app.selectRows({0});
        const QStringList asked = app.press(app.history.btnDeleteDialRecord_);
        EXPECT_TRUE(asked.contains("Are you sure to delete the selected record(s)?"));
        EXPECT_EQ(namesOf(app.onDisk()), QStringList({"twin", "other"})) << period;
        EXPECT_EQ(namesOf(app.history.recordList()),
                  period ? QStringList{"twin"} : QStringList({"twin", "other"}));
        if (period) {
            EXPECT_EQ(namesOf(app.onDisk(kCMDialRecordBackupFile)), QStringList{"twin"});
        }
        EXPECT_FALSE(app.history.btnDeleteDialRecord_->isEnabled()); // nothing selected any more

        // Cancel keeps everything.
        app.selectRows({0});
        app.press(app.history.btnDeleteDialRecord_, "Cancel");
        EXPECT_EQ(app.onDisk().count(), 2);
    }
}

TEST(DialRecordTab, ResetInPeriodViewEmptiesBothFilesAndReturnsToTheList)
{
    HistoryApp app(Array{record("a", kNow.addDays(-1), 10), record("b", kNow.addDays(-20), 10)});
    app.pickPeriod(kNow.date().addDays(-1), kNow.date());
    app.press(app.history.btnShowDialRecord_);
    ASSERT_TRUE(app.history.isPeriodView());
    app.clock.advance(3600);
    const QStringList asked = app.press(app.history.btnResetDialRecord_);
    EXPECT_TRUE(asked.contains("Are you sure you want to delete all the record(s)?"));
    EXPECT_TRUE(app.onDisk().isEmpty());
    EXPECT_TRUE(app.onDisk(kCMDialRecordBackupFile).isEmpty());
    EXPECT_TRUE(QFile::exists(app.recordFile()));
    EXPECT_FALSE(app.history.isPeriodView());
    EXPECT_EQ(app.rows(), 0);
    EXPECT_FALSE(app.history.btnResetDialRecord_->isEnabled());
    EXPECT_EQ(app.history.labelTotalTime_->stringValue(), "00:00:00");
    EXPECT_EQ(app.settingsOnDisk().value("Record").toDictionary().value("recordLastResetTime").toDate(),
              app.clock.now());
}

TEST(DialRecordTab, ChangingTheDurationModeAsksAndEmptiesTheHistory)
{
    HistoryApp app(Array{record("a", kNow.addDays(-1), 10)});
    app.selectTab();
    EXPECT_EQ(app.history.radioDurationMode_->selectedRow(), 0); // Continuous

    EXPECT_TRUE(app.chooseMode(1, "Cancel")
                    .contains("The Connection History will be cancelled, do you want to continue?"));
    EXPECT_EQ(app.history.radioDurationMode_->selectedRow(), 0);
    EXPECT_EQ(app.onDisk().count(), 1);

    app.chooseMode(1, "OK");
    EXPECT_TRUE(app.onDisk().isEmpty());
    EXPECT_EQ(app.rows(), 0);
    EXPECT_TRUE(
        app.settingsOnDisk().value("Record").toDictionary().value("connectTimeincreaseState").boolValue());

    // The mode already set changes nothing and asks nothing.
    app.history.appendDialRecord(record("b", kNow, 900));
    EXPECT_TRUE(app.chooseMode(1, "OK").isEmpty());
    EXPECT_EQ(app.onDisk().count(), 1);
}

TEST(DialRecordTab, SumsOfTheDayMonthAndYear)
{
    // The month runs to its "day 31": in a 30-day month that is the 1st of the next one.
    HistoryApp app(
        Array{record("day", QDateTime(QDate(2026, 4, 20), QTime(0, 0, 0)), 1, "1", "2"),
              record("month", QDateTime(QDate(2026, 4, 2), QTime(0, 0, 0)), 10, "10", "20"),
              record("day 31", QDateTime(QDate(2026, 5, 1), QTime(23, 59, 59)), 100, "100", "200"),
              record("year", QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0)), 1000, "1000", "2000"),
              record("last year", QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)), 7, "7", "7")});
    app.clock.advance(kNow.secsTo(QDateTime(QDate(2026, 4, 20), QTime(18, 0, 0))));
    float received = 0, sent = 0;
    unsigned seconds = 0;
    app.history.getDayRecordReceive(&received, &sent, &seconds);
    EXPECT_EQ(std::tuple(received, sent, seconds), std::tuple(1.f, 2.f, 1u));
    app.history.getMonthRecordReceive(&received, &sent, &seconds);
    EXPECT_EQ(std::tuple(received, sent, seconds), std::tuple(111.f, 222.f, 111u));
    app.history.getYearRecordReceive(&received, &sent, &seconds);
    EXPECT_EQ(std::tuple(received, sent, seconds), std::tuple(1111.f, 2222.f, 1111u));
}

TEST(DialRecordTab, KilobytesInTheirUnit)
{
    HistoryApp app;
    const struct {
        double kilobytes;
        const char* text;
    } cases[] = {{0, "0.00 KB"},
                 {1023.994, "1023.99 KB"},
                 {1024, "1.00 MB"},
                 {1048575, "1024.00 MB"},
                 {1048576, "1.00 GB"}};
    for (const auto& c : cases)
        EXPECT_EQ(app.history.autoChangeKBDataToMBGBUnit(c.kilobytes), c.text) << c.kilobytes;
}

TEST(DialRecordTab, EachSimHasItsFileUntilTheDeviceGoes)
{
    HistoryApp app(Array{record("shared", kNow, 1)}, Dictionary{{"PCDataWithIMSI", true}});
    ns::PropertyList::writeFile(app.file("262011234567890_dialRecordData.plist"),
                                Array{record("sim", kNow, 1)});
    app.history.loadRecordList("262011234567890_dialRecordData.plist");
    EXPECT_EQ(app.history.getDialRecordFilePathWithFileName(),
              app.file("262011234567890_dialRecordData.plist"));
    EXPECT_EQ(namesOf(app.history.recordList()), QStringList{"sim"});
    app.history.deviceRemoved(nullptr);
    EXPECT_EQ(app.history.recordFileName(), kCMDialRecordFile);
    EXPECT_EQ(namesOf(app.history.recordList()), QStringList{"shared"});
}

TEST(DialRecordTab, SaveRecordWritesEveryShownRecordInTheRequiredType)
{
    const QDateTime start(QDate(2026, 3, 10), QTime(9, 0, 0));
    const Array records{record("a,\"b\"", start, 100, "1.00", "2048.00"), record("line\nbreak", start, 5),
                        record("plain", start.addSecs(60), 443045, "0.25", "0.75")};
    const struct {
        QString type;
        QString file;
        bool written;
    } cases[] = {
        {QString(), "history.txt", true}, {"csv", "history.csv", true}, {"xls", "history.xls", false}};
    for (const auto& c : cases) {
        Dictionary internet;
        if (!c.type.isEmpty())
            internet.setValue("SaveRecordFileType", c.type);
        HistoryApp app(records, Dictionary{{"Internet", internet}});
        app.selectTab();
        app.selectRows({1}); // the export takes the whole list, not the selection
        appkit_test::click(app.history.btnSaveDialRecord_);
        ns::SavePanel* panel = app.history.savePanel();
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(app.history.wndMain->attachedSheet(), panel);
        EXPECT_EQ(panel->requiredFileType(), c.type.isEmpty() ? "txt" : c.type);
        QTemporaryDir folder;
        panel->setDirectory(folder.path());
        auto* name = appkit_test::findWidget<ns::TextField>(
            panel->contentView(), [](ns::TextField* field) { return field->isEditable(); });
        QTest::keyClicks(name->editor(), "history");
        appkit_test::click(panel->saveButton());

        QFile file(folder.filePath(c.file));
        ASSERT_EQ(file.exists(), c.written) << c.file.toStdString();
        if (!c.written)
            continue;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QString from = app.history.formatStringFromDate(start);
        const QString later = app.history.formatStringFromDate(start.addSecs(60));
        if (c.type.isEmpty()) {
            EXPECT_EQ(text,
                      "Connect Name\t\tStart Time\t\tDisconnect Time\t\tDuration\t\tData Receive\t\tData "
                      "Transport\t\t\n"
                      "a,\"b\"\t\t" +
                          from + "\t\t" + app.history.formatStringFromDate(start.addSecs(100)) +
                          "\t\t00:01:40\t\t1.00\t\t2048.00\t\t\n"
                          "line\nbreak\t\t" +
                          from + "\t\t" + app.history.formatStringFromDate(start.addSecs(5)) +
                          "\t\t00:00:05\t\t1.00\t\t2.00\t\t\n"
                          "plain\t\t" +
                          later + "\t\t" + app.history.formatStringFromDate(start.addSecs(60 + 443045)) +
                          "\t\t123:04:05\t\t0.25\t\t0.75\t\t\n");
        } else {
            EXPECT_EQ(text, "Connect Name,Start Time,Disconnect Time,Duration,Data Receive,Data Transport,\n"
                            "\"a,\"\"b\"\"\"," +
                                from + "," + app.history.formatStringFromDate(start.addSecs(100)) +
                                ",00:01:40,1.00 KB,2.00 MB,\n"
                                "\"line\nbreak\"," +
                                from + "," + app.history.formatStringFromDate(start.addSecs(5)) +
                                ",00:00:05,1.00 KB,2.00 KB,\n"
                                "plain," +
                                later + "," + app.history.formatStringFromDate(start.addSecs(60 + 443045)) +
                                ",123:04:05,0.25 KB,0.75 KB,\n");
        }
        EXPECT_EQ(namesOf(app.onDisk()), namesOf(records)); // the history stays as it was
    }
}

TEST(DialRecordTab, AnExportThatCannotBeWrittenNamesThePath)
{
    HistoryApp app(Array{record("a", kNow, 1)});
    app.selectTab();
    app.selectRows({0});
    appkit_test::click(app.history.btnSaveDialRecord_);
    ns::SavePanel* panel = app.history.savePanel();
    ASSERT_NE(panel, nullptr);
    panel->setDirectory(app.file("missing/folder"));
    panel->setNameFieldStringValue("history");
    const QStringList alert = app.press(panel->saveButton());
    EXPECT_TRUE(alert.join('\n').contains(app.file("missing/folder/history.txt")))
        << alert.join('|').toStdString();
}

TEST(DialRecordTab, AnUnreadableHistoryIsSetAsideBeforeTheNextRecord)
{
    HistoryApp app;
    {
        QFile broken(app.recordFile());
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("<?xml version=\"1.0\"?><plist><array><dict><key>connectname");
    }
    app.selectTab();
    EXPECT_EQ(app.rows(), 0);
    EXPECT_TRUE(app.history.appendDialRecord(record("new", kNow, 1)));
    EXPECT_EQ(namesOf(app.onDisk()), QStringList{"new"});
    QFile aside(app.recordFile() + ".unreadable");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_TRUE(aside.readAll().endsWith("<key>connectname"));
}
