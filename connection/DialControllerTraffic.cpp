// The traffic of the running connection: the speed sampled from the PPP byte
// counts, the time, data and speed fields of the Internet view, the time and
// byte fields of the connection record, the speed graph and the statistics
// notifications. Nothing changes outside the connected state.
#include "connection/DialController.h"

#include "app/config/ConfigManager.h"
#include "connection/RecordSettingsKeys.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/statisticsView.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/TextField.h"

#include <algorithm>

namespace
{

const QString kConnectTime = QStringLiteral("ConnectTime");
const QString kUploadData = QStringLiteral("UploadData");
const QString kDowloadData = QStringLiteral("DowloadData");
const QString kUploadDataUnitWithKB = QStringLiteral("UploadDataUnitWithKB");
const QString kDowloadDataUnitWithKB = QStringLiteral("DowloadDataUnitWithKB");
const QString kUploadSpeed = QStringLiteral("UploadSpeed");
const QString kDowloadSpeed = QStringLiteral("DowloadSpeed");

// A speed sample is taken after this many PPP replies without one.
constexpr int kRepliesBetweenSamples = 8;

void show(ns::TextField* field, const QString& text)
{
    if (field)
        field->setStringValue(text);
}

} // namespace

void DialController::calculateTransferSpeed()
{
    if (m_KBTimes <= kRepliesBetweenSamples) {
        ++m_KBTimes;
        return;
    }
    // A counter that went back (the server reset it) gives no speed.
    m_sendSpeed = std::max(0.0f, m_sendData - m_lastSendData);
    m_receiveSpeed = std::max(0.0f, m_receiveData - m_lastReceiveData);
    m_lastSendData = m_sendData;
    m_lastReceiveData = m_receiveData;
    setSpeedInfo();
    sendSpeedData(m_sendSpeed, m_receiveSpeed);
    m_KBTimes = 0;
}

void DialController::setConnectTimeInfo()
{
    if (connectStatus_ != Connected)
        return;
    long seconds = m_connecttime;
    if (configFlag(record_keys::kRecord, QStringLiteral("connectTimeincreaseState"))) {
        seconds = traffic_text::raisedToQuarterHour(seconds);
        connectTime15 = seconds;
    }
    statusDict_.setValue(QStringLiteral("connecttime"), ns::Value(seconds));
    const QString text = traffic_text::duration(seconds);
    for (ns::TextField* field : {m_ConnectTime, labelConnectTimeSimple, InterUiTotalTime_})
        show(field, text);
    statisticsInfo_.setValue(kConnectTime, text);
}

void DialController::setTransferDataInfo()
{
    if (connectStatus_ != Connected)
        return;
    show(m_FluxForReceive, formatTransferData(m_receiveData));
    show(m_FluxForSend, formatTransferData(m_sendData));
    show(m_TotalData, formatTransferData(m_receiveData + m_sendData));

    const double sentKB = double(m_sendData) / 1024;
    const double receivedKB = double(m_receiveData) / 1024;
    statusDict_.setValue(QStringLiteral("sendbyte"), traffic_text::number(QStringLiteral("%0.2f"), sentKB));
    statusDict_.setValue(QStringLiteral("receivebyte"),
                         traffic_text::number(QStringLiteral("%0.2f"), receivedKB));

    statisticsInfo_.setValue(kUploadData, formatTransferData(m_sendData));
    statisticsInfo_.setValue(kDowloadData, formatTransferData(m_receiveData));
    statisticsInfo_.setValue(kUploadDataUnitWithKB, QString::number(sentKB, 'f', 6));
    statisticsInfo_.setValue(kDowloadDataUnitWithKB, QString::number(receivedKB, 'f', 6));

    notificationCenter.postNotificationName(
        QStringLiteral("currentReceiveDataAndSendData"), this,
        ns::Dictionary{{QStringLiteral("currentSendData"), m_sendData},
                       {QStringLiteral("currentReceiveData"), m_receiveData}});
}

void DialController::setSpeedInfo()
{
    if (connectStatus_ != Connected)
        return;
    const QString sendText = formatTransferSpeed(m_sendSpeed);
    const QString receiveText = formatTransferSpeed(m_receiveSpeed);
    for (ns::TextField* field : {m_SpeedForSend, labelSpeedForSendSimple})
        show(field, sendText);
    for (ns::TextField* field : {m_SpeedForReceive, labelSpeedForReceiveSimple})
        show(field, receiveText);
    const float scale =
        traffic_text::Units::fromSettings(configStore()).graphInKbit() ? 1.0f / 128 : 1.0f / 1024;
    if (speedView)
        speedView->setSpeedPointSend(m_sendSpeed * scale, m_receiveSpeed * scale);
    statisticsInfo_.setValue(kUploadSpeed, sendText);
    statisticsInfo_.setValue(kDowloadSpeed, receiveText);
}

void DialController::displayMonthlyData()
{
    if (!monthlyData_ || !configFlag(QStringLiteral("Internet"), QStringLiteral("DisplayMonthlyData")))
        return;
    // The statistics outline's month counts this connection already, as the
    // "ConnectStatistics" posted just before gave it: it is not added twice.
    const double bytes =
        statisticForm ? double(statisticForm->getMonthTotalData()) * 1024 : getCurrentTotalData();
    monthlyData_->setStringValue(formatTransferData(float(bytes)));
}

void DialController::sendStatisticsNotification()
{
    if (connectStatus_ != Connected || statisticsInfo_.isEmpty())
        return;
    // Observers get a copy: the next update must not change what they keep.
    notificationCenter.postNotificationName(QStringLiteral("ConnectStatistics"), this,
                                            statisticsInfo_.copy());
}

void DialController::sendResetStatisticsNotification()
{
    const QString noData = formatTransferData(0);
    const QString noSpeed = formatTransferSpeed(0);
    notificationCenter.postNotificationName(QStringLiteral("ConnectStatistics"), this,
                                            ns::Dictionary{{kConnectTime, QStringLiteral("00:00:00")},
                                                           {kUploadData, noData},
                                                           {kDowloadData, noData},
                                                           {kUploadDataUnitWithKB, noData},
                                                           {kDowloadDataUnitWithKB, noData},
                                                           {kUploadSpeed, noSpeed},
                                                           {kDowloadSpeed, noSpeed}});
}

void DialController::sendSpeedData(float sendSpeed, float recieveSpeed)
{
    const auto kbps = [](float bytesPerSecond) {
        return traffic_text::number(QStringLiteral("%0.2f Kbps"), double(bytesPerSecond) * 8 / 1024);
    };
    notificationCenter.postNotificationName(
        QStringLiteral("SendSpeedData"), this,
        ns::Dictionary{{QStringLiteral("UpSpeed"), kbps(sendSpeed)},
                       {QStringLiteral("DownSpeed"), kbps(recieveSpeed)}});
}

QString DialController::formatTransferData(float bytes) const
{
    return traffic_text::formatTransferData(bytes, traffic_text::Units::fromSettings(configStore()));
}

QString DialController::formatTransferSpeed(float bytesPerSecond) const
{
    return traffic_text::formatTransferSpeed(bytesPerSecond,
                                             traffic_text::Units::fromSettings(configStore()));
}
