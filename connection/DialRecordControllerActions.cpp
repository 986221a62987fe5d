// What the user does in the "DialRecord" tab: the table and its selection,
// Show, Delete, Reset, the duration mode and Save Record.
#include "connection/DialRecordController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/DialRecordExport.h"
#include "connection/RecordSettingsKeys.h"
#include "connection/TrafficText.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/SavePanel.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <QDir>
#include <QFileInfo>

namespace
{

const QString kIncreaseStateKey = QStringLiteral("connectTimeincreaseState");
const QString kStoredDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

bool confirm(const QString& title, const QString& message)
{
    return NSRunAlertPanelExt(Map_Name_Item_of_IndexString(title), Map_Name_Item_of_IndexString(message),
                              Map_Name_Item_of_IndexString(QStringLiteral("OK")),
                              Map_Name_Item_of_IndexString(QStringLiteral("Cancel"))) == 1;
}

} // namespace

// ---- the table ----

int DialRecordController::numberOfRowsInTableView(ns::TableView*)
{
    return recordList_.count();
}

QVariant DialRecordController::objectValueForTableColumn(ns::TableView*, ns::TableColumn* column, int row)
{
    if (!column || row < 0 || row >= recordList_.count())
        return QVariant();
    const QString key = column->identifier();
    const ns::Value value = recordList_.at(row).toDictionary().value(key);
    if (key == QStringLiteral("connecttime"))
        return traffic_text::duration(value.longLongValue());
    if (key == QStringLiteral("starttime") || key == QStringLiteral("disconnecttime"))
        return formatStringFromDate(value.toDate());
    if (key == QStringLiteral("receivebyte") || key == QStringLiteral("sendbyte"))
        return formatTransferData(value.doubleValue() * 1024);
    return value.stringValue();
}

void DialRecordController::tableViewSelectionDidChange(const ns::Notification&)
{
    updateButtons();
}

void DialRecordController::reloadTable()
{
    if (!tableDialRecord_)
        return;
    tableDialRecord_->reloadData();
    updateButtons();
}

void DialRecordController::updateButtons()
{
    if (!tableDialRecord_)
        return;
    const bool selected = tableDialRecord_->numberOfSelectedRows() > 0;
    btnDeleteDialRecord_->setEnabled(selected);
    btnSaveDialRecord_->setEnabled(selected);
    btnResetDialRecord_->setEnabled(!recordList_.isEmpty());
}

// ---- Show ----

std::optional<dial_record::Period> DialRecordController::pickedPeriod() const
{
    if (!cbboxFromDateDialRecord_ || !cbboxToDateDialRecord_)
        return std::nullopt;
    return dial_record::periodOfDays(cbboxFromDateDialRecord_->dateValue(),
                                     cbboxToDateDialRecord_->dateValue());
}

QString DialRecordController::periodText(const dial_record::Period& period) const
{
    return formatWithTwoStrings(localized(QStringLiteral("Statistics for period from %@ to %@")),
                                period.from.toString(kStoredDateFormat),
                                period.to.toString(kStoredDateFormat));
}

void DialRecordController::showRecord(ns::Object*)
{
    filterPeriod();
}

bool DialRecordController::filterPeriod()
{
    const std::optional<dial_record::Period> period = pickedPeriod();
    if (!period) {
        NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                           localized(QStringLiteral("You selected a wrong period")),
                           localized(QStringLiteral("OK")), QString());
        showRecordsOfFile(historyFile());
        return false;
    }
    // The period file is written only when the period's records changed.
    const ns::Array inside = dial_record::recordsInPeriod(historyFile().records(), period->from, period->to);
    if (!QFileInfo::exists(periodFile().path()) || periodFile().isUnreadable() ||
        !(inside == periodFile().records()))
        periodFile().write(inside);
    showRecordsOfFile(periodFile());
    const dial_record::Totals& totals = periodFile().totals();
    showTotals(totals.kilobytes, totals.seconds);
    periodView_ = true;
    setPeriodLabel(periodText(*period));
    return true;
}

void DialRecordController::showTotals(double kilobytes, qint64 seconds)
{
    if (!labelTotalData_)
        return;
    labelTotalData_->setStringValue(traffic_text::number(QStringLiteral("%0.2f KB"), kilobytes));
    labelTotalTime_->setStringValue(traffic_text::duration(seconds));
}

void DialRecordController::setPeriodLabel(const QString& text)
{
    if (labelTextShowDialRecord_)
        labelTextShowDialRecord_->setStringValue(text);
}

// ---- Delete and Reset ----

void DialRecordController::deleteRecord(ns::Object*)
{
    if (!tableDialRecord_ || tableDialRecord_->numberOfSelectedRows() == 0)
        return;
    if (!confirm(QStringLiteral("Warning"), QStringLiteral("Are you sure to delete the selected record(s)?")))
        return;
    // One stored record goes per selected row, even where two rows are alike.
    ns::Array chosen;
    for (int row : tableDialRecord_->selectedRowIndexes())
        if (row < recordList_.count())
            chosen.append(recordList_.at(row));
    dial_record::removeOnePerChosen(recordList_, chosen);
    if (periodView_) {
        ns::Array records = historyFile().records().copy();
        dial_record::removeOnePerChosen(records, chosen);
        historyFile().write(records);
        periodFile().write(recordList_);
    } else {
        historyFile().write(recordList_);
    }
    tableDialRecord_->deselectAll(nullptr);
    reloadTable();
    updateInterface();
}

void DialRecordController::resetRecord(ns::Object*)
{
    if (recordList_.isEmpty())
        return;
    if (confirm(QStringLiteral("Warning!"),
                QStringLiteral("Are you sure you want to delete all the record(s)?")))
        clearAllRecord();
}

// ---- the duration mode ----

bool DialRecordController::increaseEvery15Min() const
{
    return configStore().getConfigurationByModuleAndKey(record_keys::kRecord, kIncreaseStateKey).boolValue();
}

void DialRecordController::showDurationMode()
{
    if (radioDurationMode_)
        radioDurationMode_->selectCellAtRow(increaseEvery15Min() ? 1 : 0, 0);
}

void DialRecordController::selectDurationMode(ns::Object*)
{
    const bool increase = radioDurationMode_->selectedRow() == 1;
    if (increase == increaseEvery15Min())
        return;
    if (!confirm(QStringLiteral("Warning!"),
                 QStringLiteral("The Connection History will be cancelled, do you want to continue?"))) {
        showDurationMode();
        return;
    }
    recordList_.removeAll();
    historyFile().write(recordList_);
    reloadTable();
    getTotalDataAndTime();
    configStore().setConfigurationByModuleKeyAndValue(record_keys::kRecord, kIncreaseStateKey,
                                                      ns::Value(increase));
    configStore().writeToFile();
}

// ---- Save Record ----

void DialRecordController::saveRecord(ns::Object* sender)
{
    if (!tableDialRecord_ || tableDialRecord_->numberOfSelectedRows() == 0)
        return;
    const ns::Value configured = configStore().getConfigurationByModuleAndKey(
        QStringLiteral("Internet"), QStringLiteral("SaveRecordFileType"));
    const QString type = configured.isString() && !configured.toString().isEmpty() ? configured.toString()
                                                                                   : QStringLiteral("txt");
    auto* button = dynamic_cast<ns::View*>(sender);
    ns::Window* window = button && button->window() ? button->window() : wndMain;
    if (!window)
        return;
    savePanel_ = std::make_unique<ns::SavePanel>();
    savePanel_->setRequiredFileType(type);
    savePanel_->beginSheetForDirectory(QDir::homePath(), QString(), window,
                                       [this](ns::SavePanel* panel, int code) {
                                           if (code == ns::FileHandlingPanelOKButton)
                                               exportRecords(panel->filename(), panel->requiredFileType());
                                       });
}

void DialRecordController::exportRecords(const QString& path, const QString& type)
{
    dial_record::ExportTexts texts;
    // The table's headers, in the columns' order, as the user reads them.
    for (const ns::TableColumn* column : tableDialRecord_->tableColumns())
        texts.headers << column->headerCell()->stringValue();
    texts.date = [this](const QDateTime& date) { return formatStringFromDate(date); };
    texts.data = [this](double bytes) { return formatTransferData(bytes); };
    texts.textWithDataTexts = switches_.isSavedDataToTheTxtFileToMB();
    QString error;
    if (dial_record::writeExport(path, type, recordList_, texts, &error) || error.isEmpty())
        return;
    qWarning("Cannot export the connection records: %s", qPrintable(error));
    NSRunAlertPanelExt(
        localized(QStringLiteral("Warning")),
        formatWithTwoStrings(localized(QStringLiteral("The records could not be saved to %@.")), path,
                             QString()),
        localized(QStringLiteral("OK")), QString());
}
