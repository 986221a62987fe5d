// The usage outlines on the statistics page: the saved records' sums of the
// day, month and year with the running connection, and the running
// connection's transfer texts; the history tab goes there and back.
#include "connection/DialRecordController.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/transferSource.h"

#include "app/config/ConfigFileKeys.h"
#include "app/language/Language.h"
#include "app/ui/controller/UINotifications.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Window.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;

namespace
{

// Friday 17 April 2026, 18:00 local time.
const QDateTime kNow(QDate(2026, 4, 17), QTime(18, 0, 0));

// A saved connection of a minute that started then, with its kilobytes.
Dictionary savedConnection(const QDateTime& start, const char* receivedKB, const char* sentKB)
{
    return Dictionary{{"connectname", "Home"}, {"starttime", start},
                      {"connecttime", 60},     {"receivebyte", receivedKB},
                      {"sendbyte", sentKB},    {"disconnecttime", start.addSecs(60)}};
}

// The statistics rows' values as shown expanded, from row 1 on.
const int kTimeLastReset = 1;
const QList<int> kDataRows{3, 4, 6, 7, 9, 10}; // daily, monthly, yearly: upload, download

// The history tab and both outlines over a private data folder, the pages
// in a window as the main window shows them, time on a manual clock.
class UsageApp
{
public:
    explicit UsageApp(const Array& records = Array(), const Dictionary& settings = Dictionary())
        : bundle_(settings), window_(appkit_test::shownWindow(ns::Rect(100, 100, 720, 418))), history(store_),
          statistics(store_), transfer(store_)
    {
        ns::Clock::setCurrent(&clock);
        if (!records.isEmpty())
            ns::PropertyList::writeFile(bundle_.dataFolder() + QLatin1Char('/') + kCMDialRecordFile, records);
        tabs = new ns::TabView(window_->contentView()->bounds());
        tabs->setTabViewType(ns::NoTabsNoBorder);
        for (const char* page : {"DialRecord", "Statistics"})
            tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QString::fromLatin1(page)));
        window_->contentView()->addSubview(tabs);
        for (JOVUIController* controller :
             std::initializer_list<JOVUIController*>{&history, &statistics, &transfer}) {
            controller->wndMain = window_.get();
            controller->tabviewMain = tabs;
            controller->awakeFromNib();
        }
        ns::NotificationCenter::defaultCenter().postNotificationName(kUpdateLanguageNotification, nullptr);
    }
    ~UsageApp() { ns::Clock::setCurrent(nullptr); }

    // What the outline shows in the row (as shown) and column; empty for a row not shown.
    static QString cell(NodeOutline& outline, int row, const char* column = "Value")
    {
        ns::OutlineView* view = outline.outlineView();
        void* item = view->itemAtRow(row);
        if (!item)
            return QString();
        return outline
            .objectValueForTableColumn(view, view->tableColumnWithIdentifier(QString::fromLatin1(column)),
                                       item)
            .toString();
    }
    QStringList dataRows()
    {
        QStringList texts;
        for (int row : kDataRows)
            texts << cell(statistics, row);
        return texts;
    }
    QString selectedPage() const { return tabs->selectedTabViewItem()->identifier(); }
    // The dial controller's figures of the running connection.
    static void post(const Dictionary& info)
    {
        ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("ConnectStatistics"),
                                                                     nullptr, info);
    }

    ns::ManualClock clock{kNow.toUTC()};

private:
    TemporaryAppBundle bundle_;
    ConfigManager store_;
    std::unique_ptr<ns::Window> window_;

public:
    ns::TabView* tabs = nullptr;
    DialRecordController history;
    statisticSource statistics;
    transferSource transfer;
};

} // namespace

TEST(StatisticsOutline, TheFirstRefreshShowsNoDataAndTheLastReset)
{
    const QDateTime reset(QDate(2026, 4, 1), QTime(9, 30, 0));
    struct Case {
        ns::Value lastReset;
        bool date;
    };
    for (const Case& c : {Case{"0", false}, Case{reset, true}}) {
        SCOPED_TRACE(c.date ? "a date" : "\"0\"");
        UsageApp app(Array(), Dictionary{{"Record", Dictionary{{"recordLastResetTime", c.lastReset}}}});
        // Before any refresh: the start values, the first row open with everything under it.
        ASSERT_EQ(app.statistics.outlineView()->numberOfRows(), 11);
        EXPECT_EQ(UsageApp::cell(app.statistics, 0, "Attribute"), "Statistics");
        EXPECT_EQ(UsageApp::cell(app.statistics, 10, "Attribute"), "Download Data:");
        EXPECT_EQ(UsageApp::cell(app.statistics, kTimeLastReset), "00:00:00");
        EXPECT_EQ(app.dataRows(), QStringList(6, "0"));

        appkit_test::click(app.history.btnStatisticsDialRecord_);
        EXPECT_EQ(app.selectedPage(), "Statistics");
        EXPECT_EQ(app.dataRows(), QStringList(6, "0.00 KB"));
        EXPECT_EQ(UsageApp::cell(app.statistics, kTimeLastReset),
                  c.date ? app.statistics.formatStringFromDate(reset) : QStringLiteral("00:00:00"));
    }
}

TEST(StatisticsOutline, TheRunningConnectionCountsInTheDayMonthAndYear)
{
    UsageApp app(Array{savedConnection(kNow.addSecs(-3600), "100", "50"),
                       savedConnection(QDateTime(QDate(2026, 4, 1), QTime(0, 0, 0)), "1948", "974"),
                       savedConnection(QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0)), "1046528", "1047552"),
                       savedConnection(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)), "9999", "9999")},
                 Dictionary{{"Record", Dictionary{{"recordLastResetTime", "0"}}}});
    dial_test::PostedInfo posted({QStringLiteral("yearReceiveDateAndSendData")});
    UsageApp::post(
        Dictionary{{"UploadDataUnitWithKB", "1000.000000"}, {"DowloadDataUnitWithKB", "2048.000000"}});
    EXPECT_EQ(app.dataRows(),
              (QStringList{"1.03 MB", "2.10 MB", "1.98 MB", "4.00 MB", "1.00 GB", "1.00 GB"}));
    EXPECT_FLOAT_EQ(app.statistics.getMonthTotalData(), 100 + 50 + 1948 + 974 + 1000 + 2048);
    const Dictionary year = posted.last(QStringLiteral("yearReceiveDateAndSendData"));
    EXPECT_FLOAT_EQ(year.value("yearSendData").floatValue(), 50 + 974 + 1047552 + 1000);
    EXPECT_FLOAT_EQ(year.value("yearReceiveData").floatValue(), 100 + 1948 + 1046528 + 2048);

    // An update without the upload counts none of it.
    UsageApp::post(Dictionary{{"DowloadDataUnitWithKB", "2048.000000"}});
    EXPECT_EQ(UsageApp::cell(app.statistics, 3), "50.00 KB");
    // The connection's end posts zero texts: the saved records remain, the record just saved among them.
    app.history.appendDialRecord(savedConnection(kNow, "2048", "1000"));
    UsageApp::post(Dictionary{{"UploadDataUnitWithKB", "0.00 KB"}, {"DowloadDataUnitWithKB", "0.00 KB"}});
    EXPECT_EQ(app.dataRows(),
              (QStringList{"1.03 MB", "2.10 MB", "1.98 MB", "4.00 MB", "1.00 GB", "1.00 GB"}));

    // Clearing the history leaves nothing to count.
    app.history.clearAllRecord();
    EXPECT_EQ(app.dataRows(), QStringList(6, "0.00 KB"));
    EXPECT_EQ(UsageApp::cell(app.statistics, kTimeLastReset),
              app.statistics.formatStringFromDate(app.clock.now()));
}

TEST(StatisticsOutline, DataInBitsWhenTheSettingsSaySo)
{
    UsageApp app(Array{savedConnection(kNow, "200", "1536")},
                 Dictionary{{"Internet", Dictionary{{"dataType", "Kb"}}}});
    app.statistics.updateInterface();
    EXPECT_EQ(UsageApp::cell(app.statistics, 3), "12.00 Mb");
    EXPECT_EQ(UsageApp::cell(app.statistics, 4), "1.56 Mb");
}

TEST(StatisticsOutline, RowsStayOpenAndCannotBeEdited)
{
    UsageApp app;
    appkit_test::click(app.history.btnStatisticsDialRecord_);
    for (NodeOutline* outline : std::initializer_list<NodeOutline*>{&app.statistics, &app.transfer}) {
        ns::OutlineView* view = outline->outlineView();
        const int rows = view->numberOfRows();
        // A click on the first row's disclosure triangle.
        const ns::Rect first = view->rectOfRow(0);
        appkit_test::click(view, {first.minX() + 8, first.midY()});
        EXPECT_EQ(view->numberOfRows(), rows);
        EXPECT_FALSE(outline->shouldEditTableColumn(view, view->tableColumnWithIdentifier("Value"),
                                                    view->itemAtRow(1)));
    }
}

TEST(StatisticsOutline, GoBackReturnsToTheHistoryAndTheStatisticsFollowThePage)
{
    UsageApp app(Array{savedConnection(kNow, "1536", "0")});
    appkit_test::click(app.history.btnStatisticsDialRecord_);
    ASSERT_NE(app.history.btnGoToDialRecord_, nullptr);
    EXPECT_EQ(app.history.btnGoToDialRecord_->title(), "Go Back");
    EXPECT_EQ(UsageApp::cell(app.statistics, 4), "1.50 MB");

    appkit_test::click(app.history.btnGoToDialRecord_);
    EXPECT_EQ(app.selectedPage(), "DialRecord");
    // A record saved meanwhile shows when the page comes back.
    app.history.appendDialRecord(savedConnection(kNow, "512", "0"));
    app.history.notifyChangeTabViewItem(QStringLiteral("Statistics"));
    EXPECT_EQ(UsageApp::cell(app.statistics, 4), "2.00 MB");
}

TEST(TransferOutline, RowsTakeTheConnectionsTexts)
{
    for (const bool diffWording : {false, true}) {
        SCOPED_TRACE(diffWording);
        UsageApp app(Array(), Dictionary{{"DiffSpeedWording", diffWording}});
        ASSERT_EQ(app.transfer.outlineView()->numberOfRows(), 8);
        EXPECT_EQ(UsageApp::cell(app.transfer, 3, "Attribute"), diffWording ? "Upload Speed:" : "Speed:");
        EXPECT_EQ(UsageApp::cell(app.transfer, 6, "Attribute"), diffWording ? "Download Speed:" : "Speed:");
        QStringList start;
        for (int row : {1, 3, 4, 6, 7})
            start << UsageApp::cell(app.transfer, row);
        EXPECT_EQ(start, (QStringList{"00:00:00", "0.00KB/s", "0.00KB", "0.00KB/s", "0.00KB"}));

        UsageApp::post(Dictionary{{"ConnectTime", "00:01:05"},
                                  {"UploadSpeed", "1.00 KB/s"},
                                  {"UploadData", "65.00 KB"},
                                  {"DowloadSpeed", "2.00 MB/s"},
                                  {"DowloadData", "130.00 MB"}});
        // Without user information nothing changes.
        UsageApp::post(Dictionary());
        QStringList shown;
        for (int row : {1, 3, 4, 6, 7})
            shown << UsageApp::cell(app.transfer, row);
        EXPECT_EQ(shown, (QStringList{"00:01:05", "1.00 KB/s", "65.00 KB", "2.00 MB/s", "130.00 MB"}));
    }
}
