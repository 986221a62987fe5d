// The connection record: built while a connection runs, appended to the
// history file once the connection that connected ends; and the statistics
// window that shows it at a disconnect.
#include "connection/DialController.h"

#include "app/interfaces/DialRecordControlling.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

const QString kRecordInRuning = QStringLiteral("Record In Runing");

// The statistics window: a caption and a value per row, the OK button under them.
constexpr double kStatisticsWidth = 320;
constexpr double kStatisticsRow = 28;
constexpr double kStatisticsMargin = 20;
constexpr double kCaptionWidth = 120;
const char* const kStatisticsCaptions[] = {"Duration:", "Received:", "Sent:", "Total:"};

QString durationText(long seconds)
{
    return QString::asprintf("%02ld:%02ld:%02ld", seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

} // namespace

void DialController::beginConnectionRecord()
{
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(false);
    setConnectStateHidden(false);

    statusDict_ = ns::Dictionary();
    // The roaming prompt of this connect answered before the record began.
    if (!roamingPromptAnswer_.isNull())
        statusDict_.setValue(QStringLiteral("roaming"), roamingPromptAnswer_);
    recordInState(QStringLiteral("Record In Create"));
    InitConnectState();
}

QString DialController::recordInState(const QString& state)
{
    if (!state.isEmpty())
        recordState_ = state;
    return recordState_;
}

void DialController::saveDialRecord()
{
    const QDateTime start = statusDict_.value(QStringLiteral("starttime")).toDate();
    if (start.isValid())
        statusDict_.setValue(QStringLiteral("disconnecttime"), start.addSecs(m_connecttime));
    statusDict_.setValue(QStringLiteral("connectname"),
                         m_DialConfigList ? m_DialConfigList->stringValue() : QString());
    if (recordState_ != kRecordInRuning)
        return;
    // Once, whatever the file says: a failed write leaves the file as it was
    // and is not tried again with a later copy of this record.
    recordInState(QStringLiteral("Record In Saved"));
    if (g_DialRecordController && !g_DialRecordController->appendDialRecord(statusDict_.copy()))
        qWarning("The connection record could not be added to the history file");
}

void DialController::buildStatisticsWindow()
{
    if (wndStatisticsWin_)
        return;
    const int rows = int(std::size(kStatisticsCaptions));
    const double height = 2 * kStatisticsMargin + (rows + 1.5) * kStatisticsRow;
    wndStatisticsWin_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kStatisticsWidth, height),
                                                     ns::TitledWindowMask | ns::ClosableWindowMask);
    wndStatisticsWin_->setTitle(localized(QStringLiteral("Statistics")));
    ns::View* content = wndStatisticsWin_->contentView();
    const ns::Font font = ns::Font::systemFontOfSize(13);
    ns::TextField** values[] = {&tfdDisplayDuration_, &tfdDisplayDownData_, &tfdDisplayUpData_,
                                &tfdDisplayTotalData_};
    for (int row = 0; row < rows; ++row) {
        const double y = height - kStatisticsMargin - (row + 1) * kStatisticsRow;
        ns::TextField* caption =
            ns::TextField::labelWithFrame(ns::Rect(kStatisticsMargin, y, kCaptionWidth, 20), font);
        caption->setStringValue(localized(QString::fromLatin1(kStatisticsCaptions[row])));
        *values[row] = ns::TextField::labelWithFrame(
            ns::Rect(kStatisticsMargin + kCaptionWidth, y,
                     kStatisticsWidth - 2 * kStatisticsMargin - kCaptionWidth, 20),
            font, ns::RightTextAlignment);
        content->addSubview(caption);
        content->addSubview(*values[row]);
    }
    auto* ok = new ns::Button(ns::Rect(kStatisticsWidth - kStatisticsMargin - 90, kStatisticsMargin, 90, 28));
    ok->setBezelStyle(ns::RoundedBezelStyle);
    ok->setTitle(localized(QStringLiteral("OK")));
    ok->setTarget(this);
    ok->setAction(QStringLiteral("closeStatisticsWin:"));
    content->addSubview(ok);
    wndStatisticsWin_->center();
}

void DialController::displayStatisticsForDisconnect()
{
    buildStatisticsWindow();
    const long seconds = long(statusDict_.value(QStringLiteral("connecttime")).intValue());
    const double received = statusDict_.value(QStringLiteral("receivebyte")).toString().toDouble();
    const double sent = statusDict_.value(QStringLiteral("sendbyte")).toString().toDouble();
    tfdDisplayDuration_->setStringValue(durationText(seconds));
    if (g_DialRecordController) {
        tfdDisplayDownData_->setStringValue(g_DialRecordController->autoChangeKBDataToMBGBUnit(received));
        tfdDisplayUpData_->setStringValue(g_DialRecordController->autoChangeKBDataToMBGBUnit(sent));
        tfdDisplayTotalData_->setStringValue(
            g_DialRecordController->autoChangeKBDataToMBGBUnit(received + sent));
    }
    wndStatisticsWin_->makeKeyAndOrderFront(this);
}

void DialController::closeStatisticsWin(ns::Object*)
{
    if (wndStatisticsWin_)
        wndStatisticsWin_->orderOut(this);
}
