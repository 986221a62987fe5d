#pragma once

#include "app/config/ConfigFileKeys.h"
#include "app/language/Language.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialRecordController.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Window.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/AlertAnswering.h"
#include "tests/support/AppKitTestSupport.h"

#include <QDateTime>
#include <QStringList>

// The history tab's controller over a private data folder, for the tests
// of the tab and of the usage limits.
namespace history_test
{

using ns::Array;
using ns::Dictionary;

// Wednesday 11 March 2026, noon, local time.
inline const QDateTime kNow(QDate(2026, 3, 11), QTime(12, 0, 0));

inline Dictionary record(const QString& name, const QDateTime& start, qint64 seconds,
                         const QString& received = "1.00", const QString& sent = "2.00")
{
    return Dictionary{
        {"connectname", name},    {"starttime", start},      {"disconnecttime", start.addSecs(seconds)},
        {"connecttime", seconds}, {"receivebyte", received}, {"sendbyte", sent},
        {"localaddr", "10.0.0.2"}};
}

inline QStringList namesOf(const Array& records)
{
    QStringList names;
    for (const ns::Value& value : records)
        names << value.toDictionary().value("connectname").toString();
    return names;
}

// The history tab over a private data folder, in a window as the main window
// shows it, on a manual clock.
class HistoryApp
{
public:
    explicit HistoryApp(const Array& records = Array(), const Dictionary& settings = Dictionary(),
                        const QDateTime& now = kNow)
        : clock(now.toUTC()), bundle_(settings),
          main_(appkit_test::shownWindow(ns::Rect(100, 100, 720, 418))), history(store_)
    {
        ns::Clock::setCurrent(&clock);
        if (!records.isEmpty())
            ns::PropertyList::writeFile(recordFile(), records);
        auto* tabs = new ns::TabView(main_->contentView()->bounds());
        tabs->setTabViewType(ns::NoTabsNoBorder);
        tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("DialRecord")));
        main_->contentView()->addSubview(tabs);
        history.wndMain = main_.get();
        history.tabviewMain = tabs;
        history.awakeFromNib();
        // The application announces its language once it runs.
        ns::NotificationCenter::defaultCenter().postNotificationName(kUpdateLanguageNotification, nullptr);
    }
    ~HistoryApp() { ns::Clock::setCurrent(nullptr); }

    QString file(const QString& name) const { return bundle_.dataFolder() + QLatin1Char('/') + name; }
    QString recordFile() const { return file(kCMDialRecordFile); }
    Array onDisk(const QString& name = kCMDialRecordFile) const
    {
        return ns::PropertyList::readArray(file(name)).value_or(Array());
    }
    Dictionary settingsOnDisk() const { return bundle_.settingsOnDisk(); }

    // The user brings the tab to the front.
    void selectTab()
    {
        ns::Notification notification(
            kTabViewItemWillChangeNotification, nullptr,
            Dictionary{{kTabViewItemWillChangeNotification, QStringLiteral("DialRecord")}});
        history.tabViewItemWillChange(&notification);
    }
    QString cell(int row, const QString& key)
    {
        return history
            .objectValueForTableColumn(history.tableDialRecord_,
                                       history.tableDialRecord_->tableColumnWithIdentifier(key), row)
            .toString();
    }
    int rows() { return history.numberOfRowsInTableView(history.tableDialRecord_); }
    // A click on the first row; the others join as with the command key.
    void selectRows(const QList<int>& rows)
    {
        const ns::Rect frame = history.tableDialRecord_->rectOfRow(rows.first());
        appkit_test::click(history.tableDialRecord_, {frame.midX(), frame.midY()});
        if (rows.size() > 1)
            history.tableDialRecord_->selectRowIndexes(rows, false);
    }
    // Presses the button or chooses the radio row, answering the alert it
    // raises with that button; the alert's texts, none without one.
    QStringList press(ns::Button* button, const QString& answer = QStringLiteral("OK"))
    {
        appkit_test::AlertAnswerer answerer(answer);
        appkit_test::click(button);
        return answerer.alerts.isEmpty() ? QStringList() : answerer.alerts.last();
    }
    QStringList chooseMode(int row, const QString& answer)
    {
        appkit_test::AlertAnswerer answerer(answer);
        const ns::Rect frame = history.radioDurationMode_->cellFrameAtRow(row, 0);
        appkit_test::click(history.radioDurationMode_, {frame.midX(), frame.midY()});
        return answerer.alerts.isEmpty() ? QStringList() : answerer.alerts.last();
    }
    void pickPeriod(const QDate& from, const QDate& to)
    {
        history.cbboxFromDateDialRecord_->setDateValue(from);
        history.cbboxToDateDialRecord_->setDateValue(to);
    }

    ns::ManualClock clock;

private:
    TemporaryAppBundle bundle_;
    ConfigManager store_;
    std::unique_ptr<ns::Window> main_;

public:
    DialRecordController history;
};

} // namespace history_test
