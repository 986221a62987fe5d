#include "connection/StatisticsController/statisticSource.h"

#include "app/interfaces/DialRecordControlling.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/RecordSettingsKeys.h"
#include "connection/StatisticsController/transferSource.h"
#include "connection/TrafficText.h"

statisticSource* statisticForm = nullptr;

namespace
{

const QString kStatisticsPage = QStringLiteral("Statistics");
const QString kNoTime = QStringLiteral("00:00:00");
const QString kNoData = QStringLiteral("0");

// The rows as shown expanded.
enum StatisticsRow {
    TimeLastReset = 1,
    DailyUpload = 3,
    DailyDownload = 4,
    MonthlyUpload = 6,
    MonthlyDownload = 7,
    YearlyUpload = 9,
    YearlyDownload = 10,
};

const ObserverTableEntry statisticSourceNotificationTable[] = {
    {"connectStatistics:", "ConnectStatistics"},
    {"prepareUsageDate:", "PrepareUsageDate"},
    {nullptr, nullptr},
};

// Kilobytes received and sent of one span of the records.
struct Sums {
    float receive = 0;
    float send = 0;
};

} // namespace

statisticSource::statisticSource(ConfigManager& store)
    : JOVUIController(store), NodeOutline({
                                  {0, QStringLiteral("Statistics"), QString()},
                                  {1, QStringLiteral("Time Last Reset:"), kNoTime},
                                  {1, QStringLiteral("Daily"), QString()},
                                  {2, QStringLiteral("Upload Data:"), kNoData},
                                  {2, QStringLiteral("Download Data:"), kNoData},
                                  {1, QStringLiteral("Monthly"), QString()},
                                  {2, QStringLiteral("Upload Data:"), kNoData},
                                  {2, QStringLiteral("Download Data:"), kNoData},
                                  {1, QStringLiteral("Yearly"), QString()},
                                  {2, QStringLiteral("Upload Data:"), kNoData},
                                  {2, QStringLiteral("Download Data:"), kNoData},
                              })
{
    statisticForm = this;
    registerSelector("connectStatistics:", &statisticSource::connectStatistics);
    registerSelector("prepareUsageDate:", &statisticSource::prepareUsageDate);
    registerSelector("tabViewItemWillChange:", &statisticSource::tabViewItemWillChange);
}

statisticSource::~statisticSource()
{
    if (statisticForm == this)
        statisticForm = nullptr;
}

void statisticSource::awakeFromNib()
{
    buildOutline(tabviewMain, Place::Left);
    JOVUIController::awakeFromNib();
}

void statisticSource::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    registerNotification(statisticSourceNotificationTable);
}

void statisticSource::updateLanguages(ns::Notification*)
{
    Init_statistic_view();
}

void statisticSource::connectStatistics(ns::Notification* notification)
{
    const ns::Dictionary info = notification ? notification->userInfo() : ns::Dictionary();
    const auto kilobytes = [&info](const QString& key) {
        const ns::Value value = info.value(key);
        return value.isNull() ? QStringLiteral("0.0") : value.stringValue();
    };
    currentUploadKB_ = kilobytes(QStringLiteral("UploadDataUnitWithKB"));
    currentDownloadKB_ = kilobytes(QStringLiteral("DowloadDataUnitWithKB"));
    updateInterface();
}

void statisticSource::prepareUsageDate(ns::Notification*)
{
    updateInterface();
}

void statisticSource::updateInterface()
{
    reloadStatistic();
    Init_statistic_view();
    if (transferForm)
        transferForm->init_transfer_view();
}

void statisticSource::reloadStatistic()
{
    const ns::Value lastReset =
        configStore().getConfigurationByModuleAndKey(record_keys::kRecord, record_keys::kLastResetTime);
    rowNode(TimeLastReset)->setValue(lastReset.isDate() ? formatStringFromDate(lastReset.toDate()) : kNoTime);

    Sums day, month, year;
    if (g_DialRecordController) {
        unsigned seconds = 0;
        g_DialRecordController->getDayRecordReceive(&day.receive, &day.send, &seconds);
        g_DialRecordController->getMonthRecordReceive(&month.receive, &month.send, &seconds);
        g_DialRecordController->getYearRecordReceive(&year.receive, &year.send, &seconds);
    }
    // The running connection counts in every span (texts read as Cocoa reads a number).
    const float download = ns::Value(currentDownloadKB_).floatValue();
    const float upload = ns::Value(currentUploadKB_).floatValue();
    for (Sums* sums : {&day, &month, &year}) {
        sums->receive += download;
        sums->send += upload;
    }
    const struct {
        StatisticsRow upload, download;
        const Sums& sums;
    } shown[] = {
        {DailyUpload, DailyDownload, day},
        {MonthlyUpload, MonthlyDownload, month},
        {YearlyUpload, YearlyDownload, year},
    };
    for (const auto& [uploadRow, downloadRow, sums] : shown) {
        rowNode(uploadRow)->setValue(autoSwitchStatisticData(sums.send));
        rowNode(downloadRow)->setValue(autoSwitchStatisticData(sums.receive));
    }
    monthTotalData_ = month.receive + month.send;

    notificationCenter.postNotificationName(
        QStringLiteral("yearReceiveDateAndSendData"), this,
        ns::Dictionary{{QStringLiteral("yearSendData"), year.send},
                       {QStringLiteral("yearReceiveData"), year.receive}});
    reloadOutline();
}

void statisticSource::Init_statistic_view()
{
    renameRows();
}

void statisticSource::tabViewItemWillChange(ns::Notification* notification)
{
    if (notification &&
        notification->userInfo().value(kTabViewItemWillChangeNotification).toString() == kStatisticsPage)
        updateInterface();
}

QString statisticSource::autoSwitchStatisticData(float kilobytes) const
{
    return traffic_text::autoSwitchStatisticData(kilobytes, traffic_text::Units::fromSettings(configStore()));
}
