// The "DialRecord" tab, built in code into the main tab view's page: the
// period pickers and Show on top, the record table, the totals and the
// duration mode under it, the buttons at the bottom. Texts are set by
// updateLanguages.
#include "connection/DialRecordController.h"

#include "app/ui/skin/JOVUIManager.h"
#include "connection/NibColumn.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/transferSource.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/DatePicker.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

#include <iterator>

namespace
{

const QString kDialRecordPage = QStringLiteral("DialRecord");
constexpr double kMargin = 16;

// The table's columns: record key, header wording, width.
const struct {
    const char* key;
    const char* header;
    double width;
} kColumns[] = {
    {"connectname", "Connect Name", 116},       {"starttime", "Start Time", 152},
    {"disconnecttime", "Disconnect Time", 152}, {"connecttime", "Duration", 76},
    {"receivebyte", "Data Receive", 88},        {"sendbyte", "Data Transport", 96},
};

ns::Button* pushButton(ns::View* page, const ns::Rect& frame, const QString& action, ns::Object* target)
{
    auto* button = new ns::Button(frame);
    button->setBezelStyle(ns::RoundedBezelStyle);
    button->setTarget(target);
    button->setAction(action);
    page->addSubview(button);
    return button;
}

ns::TextField* label(ns::View* parent, const ns::Rect& frame, int alignment = ns::LeftTextAlignment,
                     double size = 13)
{
    ns::TextField* field = ns::TextField::labelWithFrame(frame, ns::Font::systemFontOfSize(size), alignment);
    parent->addSubview(field);
    return field;
}

ns::DatePicker* datePicker(ns::View* page, const ns::Rect& frame)
{
    auto* picker = new ns::DatePicker(frame);
    picker->setDatePickerStyle(ns::TextFieldAndStepperDatePickerStyle);
    page->addSubview(picker);
    return picker;
}

} // namespace

void DialRecordController::loadNib()
{
    if (tableDialRecord_ || !tabviewMain)
        return;
    const int index = tabviewMain->indexOfTabViewItemWithIdentifier(kDialRecordPage);
    ns::TabViewItem* item = index < 0 ? nullptr : tabviewMain->tabViewItemAtIndex(index);
    if (!item || !item->view())
        return;
    viewDialRecordTab_ = item->view();
    ns::View* page = viewDialRecordTab_;
    const ns::Rect content = tabviewMain->contentRect();
    const double width = content.size.width;
    const double top = content.size.height;

    // The period: From, To and Show.
    labelFromDialRecord_ = label(page, ns::Rect(kMargin, top - 38, 92, 20), ns::RightTextAlignment);
    cbboxFromDateDialRecord_ = datePicker(page, ns::Rect(kMargin + 98, top - 42, 124, 26));
    labelToDialRecord_ = label(page, ns::Rect(kMargin + 232, top - 38, 80, 20), ns::RightTextAlignment);
    cbboxToDateDialRecord_ = datePicker(page, ns::Rect(kMargin + 318, top - 42, 124, 26));
    btnShowDialRecord_ =
        pushButton(page, ns::Rect(kMargin + 456, top - 44, 96, 30), QStringLiteral("showRecord:"), this);
    labelTextShowDialRecord_ = label(page, ns::Rect(kMargin, top - 70, width - 2 * kMargin, 20));

    // The records.
    const double tableBottom = 150;
    auto* scroll =
        new ns::ScrollView(ns::Rect(kMargin, tableBottom, width - 2 * kMargin, top - 76 - tableBottom));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setBorderType(ns::BezelBorder);
    tableDialRecord_ = new ns::TableView(ns::Rect(ns::Point(), scroll->frame().size));
    for (const auto& column : kColumns) {
        auto tableColumn = std::make_unique<ns::TableColumn>(QString::fromLatin1(column.key));
        tableColumn->setWidth(column.width);
        tableColumn->setEditable(false);
        tableDialRecord_->addTableColumn(std::move(tableColumn));
    }
    tableDialRecord_->setAllowsMultipleSelection(true);
    tableDialRecord_->setUsesAlternatingRowBackgroundColors(true);
    tableDialRecord_->setDataSource(this);
    tableDialRecord_->setDelegate(this);
    (void)scroll->setDocumentView(tableDialRecord_);
    page->addSubview(scroll);

    // The totals and the duration mode.
    boxMeter_ = new ns::Box(ns::Rect(kMargin, 64, 404, 80));
    ns::View* meter = boxMeter_->contentView();
    labelTotalDataTitle_ = label(meter, ns::Rect(8, 30, 190, 20));
    labelTotalData_ = label(meter, ns::Rect(204, 30, 180, 20), ns::RightTextAlignment);
    labelTotalTimeTitle_ = label(meter, ns::Rect(8, 6, 190, 20));
    labelTotalTime_ = label(meter, ns::Rect(204, 6, 180, 20), ns::RightTextAlignment);
    page->addSubview(boxMeter_);

    cbboxDialRecordBox_ = new ns::Box(ns::Rect(kMargin + 416, 64, width - 3 * kMargin - 404, 80));
    NibColumn mode(cbboxDialRecordBox_->contentView(), 10, 52, cbboxDialRecordBox_->frame().size.width - 28,
                   this);
    radioDurationMode_ = mode.radios({QString(), QString()}, QStringLiteral("selectDurationMode:"));
    page->addSubview(cbboxDialRecordBox_);

    labelApproximate_ = label(page, ns::Rect(kMargin, 44, width - 2 * kMargin, 16), ns::LeftTextAlignment,
                              ns::Font::smallSystemFontSize());

    // The buttons: the statistics page on the left, the record operations on the right.
    btnStatisticsDialRecord_ =
        pushButton(page, ns::Rect(kMargin - 6, 10, 150, 30), QStringLiteral("goToStatistics:"), this);
    // The statistics page, where there is one, goes back here from the same place.
    const int statistics = tabviewMain->indexOfTabViewItemWithIdentifier(QStringLiteral("Statistics"));
    btnStatisticsDialRecord_->setHidden(statistics < 0);
    if (ns::TabViewItem* statisticsItem =
            statistics < 0 ? nullptr : tabviewMain->tabViewItemAtIndex(statistics);
        statisticsItem && statisticsItem->view())
        btnGoToDialRecord_ = pushButton(statisticsItem->view(), btnStatisticsDialRecord_->frame(),
                                        QStringLiteral("goBackToRecord:"), this);
    // The usage limits, beside it, or in its place when it is hidden.
    const double limitsLeft = btnStatisticsDialRecord_->isHidden() ? kMargin - 6 : kMargin + 150;
    btnLimitsDialRecord_ =
        pushButton(page, ns::Rect(limitsLeft, 10, 106, 30), QStringLiteral("showSetLimit:"), this);
    const double right = width - kMargin + 6;
    btnSaveDialRecord_ =
        pushButton(page, ns::Rect(right - 124, 10, 124, 30), QStringLiteral("saveRecord:"), this);
    btnDeleteDialRecord_ =
        pushButton(page, ns::Rect(right - 232, 10, 106, 30), QStringLiteral("deleteRecord:"), this);
    btnResetDialRecord_ =
        pushButton(page, ns::Rect(right - 340, 10, 106, 30), QStringLiteral("resetRecord:"), this);
    updateButtons();
}

void DialRecordController::initializeSkin()
{
    if (!jovSkinManager || !tableDialRecord_)
        return;
    const QList<QPair<ns::Object*, QString>> controls = {
        {viewDialRecordTab_, QStringLiteral("viewDialRecordTab")},
        {btnStatisticsDialRecord_, QStringLiteral("btnStatisticsDialRecord")},
        {btnGoToDialRecord_, QStringLiteral("btnGoToDialRecord")},
        {btnResetDialRecord_, QStringLiteral("btnResetDialRecord")},
        {btnDeleteDialRecord_, QStringLiteral("btnDeleteDialRecord")},
        {btnSaveDialRecord_, QStringLiteral("btnSaveDialRecord")},
        {btnShowDialRecord_, QStringLiteral("btnShowDialRecord")},
        {labelFromDialRecord_, QStringLiteral("labelFromDialRecord")},
        {labelToDialRecord_, QStringLiteral("labelToDialRecord")},
        {labelTextShowDialRecord_, QStringLiteral("labelTextShowDialRecord")},
        {cbboxFromDateDialRecord_, QStringLiteral("cbboxFromDateDialRecord")},
        {cbboxToDateDialRecord_, QStringLiteral("cbboxToDateDialRecord")},
        {cbboxDialRecordBox_, QStringLiteral("cbboxDialRecordBox")},
    };
    for (const auto& [control, key] : controls)
        if (control)
            jovSkinManager->registerController(control, key, true);
}

void DialRecordController::updateLanguages(ns::Notification*)
{
    if (!tableDialRecord_)
        return;
    for (const auto& column : kColumns)
        tableDialRecord_->tableColumnWithIdentifier(QString::fromLatin1(column.key))
            ->headerCell()
            ->setStringValue(localized(QString::fromLatin1(column.header)));
    const QList<QPair<ns::Button*, const char*>> buttons = {
        {btnSaveDialRecord_, "Save Record"},
        {btnDeleteDialRecord_, "Delete"},
        {btnResetDialRecord_, "Reset"},
        {btnShowDialRecord_, "Show"},
        {btnStatisticsDialRecord_, "Show Statistics"},
        {btnLimitsDialRecord_, "Limits"},
    };
    for (const auto& [button, key] : buttons)
        button->setTitle(localized(QString::fromLatin1(key)));
    if (btnGoToDialRecord_)
        btnGoToDialRecord_->setTitle(localized(QStringLiteral("Go Back")));
    labelFromDialRecord_->setStringValue(localized(QStringLiteral("Record From:")));
    labelToDialRecord_->setStringValue(localized(QStringLiteral("Record To:")));
    boxMeter_->setTitle(localized(QStringLiteral("Data and Time meter")));
    labelTotalDataTitle_->setStringValue(localized(QStringLiteral("Current Total Data(KB)")));
    labelTotalTimeTitle_->setStringValue(localized(QStringLiteral("Current Total Time")));
    cbboxDialRecordBox_->setTitle(localized(QStringLiteral("Advance time")));
    radioDurationMode_->cellAtRow(0, 0)->setTitle(localized(QStringLiteral("Continuous")));
    radioDurationMode_->cellAtRow(1, 0)->setTitle(localized(QStringLiteral("Increase every 15 min")));
    labelApproximate_->setStringValue(localized(
        QStringLiteral("The Statistics are approximate. Refer to information center for the actual value.")));
    updateLimitsLanguages();
    updateVolumeLimitLanguages();
    tableDialRecord_->reloadData();
    if (statisticForm)
        statisticForm->Init_statistic_view();
    if (transferForm)
        transferForm->init_transfer_view();
    if (const std::optional<dial_record::Period> period = pickedPeriod(); periodView_ && period)
        setPeriodLabel(periodText(*period));
}
