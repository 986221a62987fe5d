#include "connection/SpeedTestController.h"

#include "connection/SpeedTestFormats.h"
#include "connection/SpeedTestRun.h"
#include "platform/ns/Notification.h"
#include "platform/ns/NotificationCenter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace
{

const QString kResultNotification = QStringLiteral("ReadDelayTimeDownlaodUploadValusForSpeedTest");
constexpr int kControlFileTimeoutMs = 60000;
constexpr int kUploadTimeoutMs = 60000;

} // namespace

SpeedTestController& SpeedTestController::shareSpeedTestController()
{
    static SpeedTestController* const controller = [] {
        auto* made = new SpeedTestController;
        made->registerMessages();
        return made;
    }();
    return *controller;
}

SpeedTestController::SpeedTestController()
{
    registerSelector("uploadSpeedTestResult:", &SpeedTestController::uploadSpeedTestResult);
    registerSelector("setRscpRssiEcnoInfo:", &SpeedTestController::setRscpRssiEcnoInfo);
    registerSelector("setCellIdInfo:", &SpeedTestController::setCellIdInfo);
}

void SpeedTestController::setSubscriber(const Subscriber& subscriber)
{
    const QMutexLocker lock(&mutex_);
    subscriber_ = subscriber;
}

void SpeedTestController::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    notificationCenter.addObserver(this, QStringLiteral("uploadSpeedTestResult:"), kResultNotification,
                                   nullptr);
    notificationCenter.addObserver(this, QStringLiteral("setRscpRssiEcnoInfo:"),
                                   QStringLiteral("ReadRscpRssiEcnoInfo"), nullptr);
    notificationCenter.addObserver(this, QStringLiteral("setCellIdInfo:"), QStringLiteral("ReadCellIDInfo"),
                                   nullptr);
}

bool SpeedTestController::isNeedTestSpeed()
{
    QFile::remove(logFilePath());
    Subscriber subscriber;
    {
        const QMutexLocker lock(&mutex_);
        subscriber = subscriber_;
    }
    if (!subscriber.testWanted)
        return false;
    QUrl controlFile = subscriber.server;
    controlFile.setPath(QStringLiteral("/throughputtest.txt"));
    const speed_test::HttpAnswer answer =
        speed_test::sendSynchronousRequest("GET", controlFile, kControlFileTimeoutMs);
    if (!answer.ok) {
        writeToLogFile(QStringLiteral("Download File throughputtest.txt: %1").arg(answer.error));
        return false;
    }
    const ns::Dictionary control = readSupportTestSpeedMccMnc(answer.data);
    const speed_test::HomeNetwork home = speed_test::splitHomeNetwork(subscriber.hmccmnc);
    for (const char* key : {"MCC", "MNC", "TEST"})
        writeToLogFile(
            QStringLiteral("%1: %2").arg(QLatin1String(key), control.value(QLatin1String(key)).toString()));
    if (speed_test::controlWantsTest(control, home))
        return true;
    writeToLogFile(QStringLiteral("The Sim Card Info is not exit in Service"));
    return false;
}

ns::Dictionary SpeedTestController::readSupportTestSpeedMccMnc(const QByteArray& text)
{
    return speed_test::readControlFile(text);
}

void SpeedTestController::writeToLogFile(const QString& text)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString entry = now.toString(QStringLiteral("dd/MM/yy")) + QLatin1Char(' ') +
                          now.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("    ") + text;
    const QString path = logFilePath();
    const QMutexLocker lock(&mutex_);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write('\n' + entry.toUtf8());
}

void SpeedTestController::setRscpRssiEcnoInfo(ns::Notification* notification)
{
    if (!notification)
        return;
    const QMutexLocker lock(&mutex_);
    radioInfo_ = notification->userInfo().copy();
}

void SpeedTestController::setCellIdInfo(ns::Notification* notification)
{
    if (!notification)
        return;
    const QMutexLocker lock(&mutex_);
    cellId_ = notification->userInfo().value(QStringLiteral("CellIDInfo")).toString();
}

void SpeedTestController::uploadSpeedTestResult(ns::Notification* notification)
{
    if (!notification)
        return;
    const ns::Dictionary figures = notification->userInfo();
    const auto figure = [&](const char* key) -> std::optional<double> {
        const ns::Value& value = figures.value(QLatin1String(key));
        return value.isNumber() ? std::optional(value.doubleValue()) : std::nullopt;
    };
    speed_test::UploadFields fields;
    QUrl page;
    {
        const QMutexLocker lock(&mutex_);
        page = subscriber_.server;
        fields.msisdn = subscriber_.msisdn;
        fields.home = speed_test::splitHomeNetwork(subscriber_.hmccmnc);
        fields.cellid = cellId_;
        fields.rssi = radioInfo_.value(QStringLiteral("RSSI")).toString();
        fields.ecno = radioInfo_.value(QStringLiteral("ECNO")).toString();
        fields.rscp = radioInfo_.value(QStringLiteral("RSCP")).toString();
    }
    fields.download = figure("DownloadSpeedValue");
    fields.upload = figure("UploadSpeedValue");
    fields.latency = figure("DelayTimeValue");
    if (const ns::Value& reason = figures.value(QStringLiteral("DisconnectionReason")); reason.isNumber())
        fields.disconnectionReason = QString::number(reason.intValue());
    page.setPath(QString::fromLatin1(speed_test::uploadPath(fields)), QUrl::TolerantMode);
    writeToLogFile(page.toString(QUrl::FullyEncoded));
    speed_test::sendSynchronousRequest("POST", page, kUploadTimeoutMs);
}

QString SpeedTestController::privateCacheFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

QString SpeedTestController::logFilePath()
{
    return privateCacheFolder() + QStringLiteral("/LogTest.txt");
}
