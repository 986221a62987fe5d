#include "connection/DialRecordController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/RecordSettingsKeys.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/transferSource.h"
#include "connection/TrafficText.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/SavePanel.h"
#include "platform/ns/appkit/TabView.h"

namespace
{

const QString kDialRecordPage = QStringLiteral("DialRecord");
const QString kStatisticsPage = QStringLiteral("Statistics");

// The notifications the controller observes besides the base's life cycle.
const ObserverTableEntry DialRecordControllerNotificationTable[] = {
    {"resetDataForNetWorkData:", "btnDatausageRestCliked"},
    {nullptr, nullptr},
};

QDateTime localDayAt(const QDate& day, int hour, int minute, int second)
{
    return QDateTime(day, QTime(hour, minute, second));
}

DialRecordFile& atPath(DialRecordFile& file, const QString& path)
{
    if (file.path() != path)
        file.setPath(path);
    return file;
}

} // namespace

DialRecordController::DialRecordController(ConfigManager& store)
    : JOVUIController(store), recordFileName_(kCMDialRecordFile)
{
    g_DialRecordController = this;
    registerSelector("resetDataForNetWorkData:", &DialRecordController::resetDataForNetWorkData);
    registerSelector("deviceRemoved:", &DialRecordController::deviceRemoved);
    registerSelector("tabViewItemWillChange:", &DialRecordController::tabViewItemWillChange);
    registerSelector("goToStatistics:", &DialRecordController::goToStatistics);
    registerSelector("goBackToRecord:", &DialRecordController::goBackToRecord);
    registerSelector("showRecord:", &DialRecordController::showRecord);
    registerSelector("deleteRecord:", &DialRecordController::deleteRecord);
    registerSelector("resetRecord:", &DialRecordController::resetRecord);
    registerSelector("selectDurationMode:", &DialRecordController::selectDurationMode);
    registerSelector("saveRecord:", &DialRecordController::saveRecord);
    registerSelector("showSetLimit:", &DialRecordController::showSetLimit);
    registerSelector("recordSettingCancel:", &DialRecordController::recordSettingCancel);
    registerSelector("recordSettingBack:", &DialRecordController::recordSettingBack);
    registerSelector("recordSettingApply:", &DialRecordController::recordSettingApply);
    registerSelector("recordPeriodClicked:", &DialRecordController::recordPeriodClicked);
    registerSelector("recordLimitTypeClicked:", &DialRecordController::recordLimitTypeClicked);
    registerSelector("showVolumeLimit:", &DialRecordController::showVolumeLimit);
    registerSelector("recordLimitSetApply:", &DialRecordController::recordLimitSetApply);
    registerSelector("recordLimitSetCancel:", &DialRecordController::recordLimitSetCancel);
    registerSelector("recurrenceClicked:", &DialRecordController::recurrenceClicked);
    registerSelector("recurrenceSetClicked:", &DialRecordController::recurrenceSetClicked);
    registerSelector("volumeLimitTypeClicked:", &DialRecordController::volumeLimitTypeClicked);
}

DialRecordController::~DialRecordController()
{
    if (periodResetTimer_)
        periodResetTimer_->invalidate();
    if (g_DialRecordController == this)
        g_DialRecordController = nullptr;
}

void DialRecordController::awakeFromNib()
{
    loadNib();
    JOVUIController::awakeFromNib();
}

void DialRecordController::initializeNibResources()
{
    loadRecordList(recordFileName_);
    const QDate today = ns::Clock::current().now().toLocalTime().date();
    for (ns::DatePicker* picker : {cbboxFromDateDialRecord_, cbboxToDateDialRecord_})
        if (picker)
            picker->setDateValue(today);
    periodView_ = false;
    // The usage settings and what this tab stores share one module, made
    // when the settings lack it.
    if (!configStore().getConfigurationByModule(record_keys::kRecord).isDictionary())
        configStore().setConfigurationByModule(record_keys::kRecord, ns::Dictionary());
    startPeriodResetTimer();
    buildLimitsWindow();
    loadDefaultRecordSetting();
    const bool volumeLimitPage = hasVolumeLimitPage();
    if (volumeLimitPage)
        setUpVolumeLimitPage();
    if (btnLimitsDialRecord_)
        btnLimitsDialRecord_->setAction(volumeLimitPage ? QStringLiteral("showVolumeLimit:")
                                                        : QStringLiteral("showSetLimit:"));
    if (switches_.judgeRecordLastResetTimeWhetherEmptyWhenUIInit())
        switches_.setRecordLastResetTimeValueWhenEmpty(ns::Value(ns::Clock::current().now()));
}

void DialRecordController::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    registerNotification(DialRecordControllerNotificationTable);
}

// ---- the record files ----

QString DialRecordController::getDialRecordFilePathWithFileName(const QString& fileName) const
{
    return configStore().getFilePathWithFileName(fileName.isEmpty() ? recordFileName_ : fileName);
}

void DialRecordController::loadRecordList(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    recordFileName_ = fileName;
    showRecordsOfFile(historyFile());
    if (tableDialRecord_)
        notificationCenter.postNotificationName(ns::TableViewSelectionDidChangeNotification,
                                                tableDialRecord_);
}

DialRecordFile& DialRecordController::historyFile()
{
    return atPath(recordFile_, getDialRecordFilePathWithFileName());
}

DialRecordFile& DialRecordController::periodFile()
{
    return atPath(periodFile_, getDialRecordFilePathWithFileName(kCMDialRecordBackupFile));
}

void DialRecordController::showRecordsOfFile(DialRecordFile& file)
{
    // The file hands out a new list whenever it changed: the same list means
    // the table shows it already (refreshing runs on every poll of a connection).
    const ns::Array& records = file.records();
    if (records.isSameObject(shownRecords_))
        return;
    shownRecords_ = records;
    // A copy: the table's list changes without touching the file's records.
    recordList_ = records.copy();
    reloadTable();
}

void DialRecordController::deviceRemoved(ns::Notification*)
{
    if (configStore().getConfigurationByModule(QStringLiteral("PCDataWithIMSI")).boolValue())
        loadRecordList(kCMDialRecordFile);
}

bool DialRecordController::appendDialRecord(const ns::Dictionary& record)
{
    const bool written = historyFile().append(record);
    updateInterface();
    return written;
}

// ---- refreshing and totals ----

void DialRecordController::updateInterface()
{
    if (periodView_) {
        if (!pickedPeriod()) {
            const QDate today = ns::Clock::current().now().toLocalTime().date();
            for (ns::DatePicker* picker : {cbboxFromDateDialRecord_, cbboxToDateDialRecord_})
                if (picker)
                    picker->setDateValue(today);
        }
        filterPeriod();
    } else {
        showRecordsOfFile(historyFile());
    }
    showDurationMode();
    getTotalDataAndTime();
    updateButtons();
    refreshStatistics();
}

void DialRecordController::getTotalDataAndTime()
{
    const dial_record::Totals& totals = historyFile().totals();
    totalData_ = float(totals.kilobytes);
    totalTime_ = qint32(totals.seconds);
    // In period view the labels keep the period's totals.
    if (!periodView_)
        showTotals(totals.kilobytes, totals.seconds);
}

std::optional<ns::Array> DialRecordController::getRecordsFrom(const QDateTime& from, const QDateTime& to)
{
    showRecordsOfFile(historyFile());
    return getRecordsForOtherFunctionFrom(from, to);
}

std::optional<ns::Array> DialRecordController::getRecordsForOtherFunctionFrom(const QDateTime& from,
                                                                              const QDateTime& to)
{
    const ns::Array& records = historyFile().records();
    if (records.isEmpty())
        return std::nullopt;
    return dial_record::recordsInPeriod(records, from, to);
}

void DialRecordController::sumRecords(PeriodSums& sums, const QDateTime& from, const QDateTime& to,
                                      float* receive, float* send, unsigned* time)
{
    const ns::Array& records = historyFile().records();
    if (!records.isSameObject(sums.records) || sums.from != from || sums.to != to) {
        sums = {records, from, to, dial_record::totalsOf(dial_record::recordsInPeriod(records, from, to))};
    }
    const dial_record::Totals& totals = sums.totals;
    if (receive)
        *receive = float(totals.receivedKilobytes);
    if (send)
        *send = float(totals.sentKilobytes);
    if (time)
        *time = unsigned(totals.seconds);
}

void DialRecordController::getDayRecordReceive(float* receive, float* send, unsigned* time)
{
    const QDate today = ns::Clock::current().now().toLocalTime().date();
    sumRecords(daySums_, localDayAt(today, 0, 0, 0), localDayAt(today, 23, 59, 59), receive, send, time);
}

void DialRecordController::getMonthRecordReceive(float* receive, float* send, unsigned* time)
{
    const QDate today = ns::Clock::current().now().toLocalTime().date();
    const QDate first(today.year(), today.month(), 1);
    // Up to "day 31" of the month, which in shorter months lies in the next one.
    sumRecords(monthSums_, localDayAt(first, 0, 0, 0), localDayAt(first.addDays(30), 23, 59, 59), receive,
               send, time);
}

void DialRecordController::getYearRecordReceive(float* receive, float* send, unsigned* time)
{
    const int year = ns::Clock::current().now().toLocalTime().date().year();
    sumRecords(yearSums_, localDayAt(QDate(year, 1, 1), 0, 0, 0), localDayAt(QDate(year, 12, 31), 23, 59, 59),
               receive, send, time);
}

// ---- deleting everything ----

void DialRecordController::clearAllRecord()
{
    recordList_.removeAll();
    historyFile().write(recordList_);
    periodFile().write(recordList_);
    periodView_ = false;
    setPeriodLabel(QString());
    reloadTable();
    storeLastResetTime();
    refreshStatistics();
    getTotalDataAndTime();
    updateButtons();
}

void DialRecordController::resetDataForNetWorkData(ns::Notification*)
{
    clearAllRecord();
}

void DialRecordController::storeLastResetTime()
{
    configStore().setConfigurationByModuleKeyAndValue(record_keys::kRecord, record_keys::kLastResetTime,
                                                      ns::Value(ns::Clock::current().now()));
    configStore().writeToFile();
}

// ---- formatting ----

QString DialRecordController::autoChangeKBDataToMBGBUnit(double kilobytes)
{
    if (kilobytes >= 1048576)
        return traffic_text::number(QStringLiteral("%0.2f GB"), kilobytes / 1024 / 1024);
    if (kilobytes >= 1024)
        return traffic_text::number(QStringLiteral("%0.2f MB"), kilobytes / 1024);
    return traffic_text::number(QStringLiteral("%0.2f KB"), kilobytes);
}

QString DialRecordController::formatTransferData(double bytes) const
{
    return traffic_text::formatTransferData(bytes, traffic_text::Units::fromSettings(configStore()));
}

QString DialRecordController::localized(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

// ---- tabs ----

void DialRecordController::tabViewItemWillChange(ns::Notification* notification)
{
    if (!notification)
        return;
    const auto* item = dynamic_cast<const ns::TabViewItem*>(notification->object());
    const QString identifier =
        item ? item->identifier()
             : notification->userInfo().value(kTabViewItemWillChangeNotification).toString();
    if (identifier == kDialRecordPage)
        updateInterface();
}

void DialRecordController::refreshStatistics()
{
    if (statisticForm)
        statisticForm->updateInterface();
}

void DialRecordController::goToStatistics(ns::Object*)
{
    refreshStatistics();
    notifyChangeTabViewItem(kStatisticsPage);
    if (configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Provider"), QStringLiteral("MRDW_Statistics"))
            .boolValue())
        NSRunAlertPanelExt(
            QStringLiteral(" "),
            localized(QStringLiteral(
                "Data usage is approximate only, please contact your operator for actual usage.")),
            localized(QStringLiteral("OK")), QString());
}

void DialRecordController::goBackToRecord(ns::Object*)
{
    updateInterface();
    notifyChangeTabViewItem(kDialRecordPage);
}
