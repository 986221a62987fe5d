#include "app/msgcenter/JOVMsgCenter.h"

#include "app/config/ConfigManager.h"
#include "app/log/KLog.h"
#include "jCommon/DeviceServerChannel.h"
#include "jCommon/RecordLogText.h"
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"

#include <QFileInfo>
#include <QtDebug>

namespace
{

constexpr long kSendTimeOutTicks = 60;
constexpr double kReceiveTick = 0.005;
// The queue holds at most this many records; later ones are dropped.
constexpr int kReceiveQueueLimit = 250;
constexpr double kServerStopSeconds = 2.0;

} // namespace

JOVMsgCenter::JOVMsgCenter()
{
    registerSelector("readingReceiveMsg:", &JOVMsgCenter::readingReceiveMsg);
    initlizeMsgCenter();
}

JOVMsgCenter::~JOVMsgCenter()
{
    // A server started by someone else is not this center's to end.
    if (isRunning_)
        stopMsgServer();
    if (receiveMsgQueueTimer)
        receiveMsgQueueTimer->invalidate();
    auto& manager = ae::AppleEventManager::sharedAppleEventManager();
    manager.removeEventHandler(kRecordEventClass, kRecordEventID);
    // Nothing takes the server's records in any more.
    if (manager.bundleIdentifier() == kJOVDataCardClient)
        manager.stopListening();
}

void JOVMsgCenter::initlizeMsgCenter()
{
    const ae::Descriptor target{ae::typeApplicationBundleID, kJOVDataCardServer.toUtf8()};
    appleEventDescriptor = ae::AppleEvent(kRecordEventClass, kRecordEventID, target,
                                          ae::kAutoGenerateReturnID, ae::kAnyTransactionID);

    auto& manager = ae::AppleEventManager::sharedAppleEventManager();
    if (!manager.isListening())
        manager.listen(kJOVDataCardClient);
    manager.setEventHandler(
        kRecordEventClass, kRecordEventID,
        [this](const ae::AppleEvent& event, ae::AppleEvent& reply) { handleAppleEvent(event, reply); });
    // The receive tick runs only while records wait (putReceiveMsgInQueue).
}

void JOVMsgCenter::awakeFromNib()
{
    const ns::Value skipLock = ConfigManager::sharedConfigManager().getConfigurationByModuleAndKey(
        "Init", "Init_DoNotLockMsg_WhenReadReceiveMsg");
    lockMsgWhenReceiveMsg_ = !skipLock.boolValue();
}

bool JOVMsgCenter::sendMessageModuleID(int moduleID, quint16 majorID, quint16 minorID, int type,
                                       signed char result, const QByteArray& data)
{
    if (data.size() > kUIMsgDataSize) {
        qWarning("Refusing to send message %u/%u: %lld payload bytes do not fit a record", majorID, minorID,
                 static_cast<long long>(data.size()));
        return false;
    }
    sendMsgLocker.lock();
    const _UI_MSG msg = makeUIMsg(moduleID, majorID, minorID, type, result, data);
    if (IsKLogOpen())
        KLog::sharedLog().putATWriteLog(recordLogText(msg).constData());
    const ae::OSErr err = sendMessage(&msg);
    sendMsgLocker.unlock();
    return err == ae::noErr;
}

ae::OSErr JOVMsgCenter::sendMessage(const _UI_MSG* msg)
{
    appleEventDescriptor.setParamDescriptor(keyRecordParameter,
                                            ae::Descriptor{ae::typeData, recordBytes(*msg)});
    return ae::AESend(appleEventDescriptor, nullptr, ae::kAEWaitReply, ae::kAEHighPriority,
                      kSendTimeOutTicks);
}

bool JOVMsgCenter::registerObserver(ns::Object* observer, const QString& selector, quint16 majorID,
                                    quint16 minorID)
{
    ns::NotificationCenter::defaultCenter().addObserver(observer, selector,
                                                        messageNotificationName(majorID, minorID), this);
    return true;
}

void JOVMsgCenter::registerObserverTable(ns::Object* observer, std::span<const MessageRow> rows,
                                         const std::function<bool(const QString& configSwitch)>& switchOn)
{
    for (const MessageRow& row : rows) {
        const bool on = row.configSwitch && switchOn(QString::fromLatin1(row.configSwitch));
        const char* selector = on ? row.whenOn : row.selector;
        if (selector && observer->respondsToSelector(QString::fromLatin1(selector)))
            registerObserver(observer, QString::fromLatin1(selector), row.id.majorID, row.id.minorID);
    }
}

bool JOVMsgCenter::getMsgPackage(_UI_MSG* msg, const ns::Notification* notification) const
{
    if (!msg || !notification)
        return false;
    const ns::Value& record = notification->userInfo().value(kMsgUserInfo);
    if (record.isData()) {
        const QByteArray bytes = record.toData();
        std::memcpy(msg, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), kUIMsgSize)));
    }
    return true;
}

QString JOVMsgCenter::serverExecutablePath() const
{
    const ns::Bundle& bundle = ns::Bundle::mainBundle();
    const QString infoPath = bundle.pathForResource("jUIInfo", "plist");
    if (!infoPath.isEmpty()) {
        const ns::Dictionary info = ns::PropertyList::readDictionary(infoPath).value_or(ns::Dictionary());
        const ns::Value& path = info.value("PathOfServer");
        if (info.value("UseConfigPath").boolValue() && path.isString())
            return path.toString();
    }
    const QString server = bundle.pathForResource("Halvex", "app");
    return server.isEmpty() ? QString() : server + QStringLiteral("/Contents/MacOS/Halvex");
}

bool JOVMsgCenter::startMsgServer()
{
    if (isRunning_)
        return false;
    const QString path = serverExecutablePath();
    qInfo("Device server: %s", qPrintable(path.isEmpty() ? QStringLiteral("(none)") : path));
    if (path.isEmpty())
        return false;
    auto task = std::make_unique<ns::Task>(path, QStringList());
    if (!task->launch())
        return false;
    jovMsgServer = std::move(task);
    isRunning_ = true;
    return true;
}

bool JOVMsgCenter::stopMsgServer()
{
    bool stopped = false;
    if (jovMsgServer && jovMsgServer->isRunning()) {
        jovMsgServer->terminate();
        // A server that ignores the request must not hold up quitting.
        if (!jovMsgServer->waitUntilExit(kServerStopSeconds)) {
            jovMsgServer->kill();
            jovMsgServer->waitUntilExit();
        }
        jovMsgServer.reset();
        stopped = true;
    }
    ns::runShellCommand(QStringLiteral("killall Halvex"));
    return stopped;
}

void JOVMsgCenter::handleAppleEvent(const ae::AppleEvent& event, ae::AppleEvent&)
{
    if (event.eventClass() != kRecordEventClass || event.eventID() != kRecordEventID)
        return;
    const std::optional<ae::Descriptor> record = event.paramDescriptor(keyRecordParameter);
    if (!record)
        return;
    // One whole record is taken, from a longer parameter its first; a shorter
    // one is no record.
    if (record->data.size() < kUIMsgSize) {
        qWarning("Message center: a record of %lld bytes refused (a record is %d bytes)",
                 static_cast<long long>(record->data.size()), kUIMsgSize);
        return;
    }
    putReceiveMsgInQueue(record->data.size() == kUIMsgSize ? record->data : record->data.first(kUIMsgSize));
}

int JOVMsgCenter::putReceiveMsgInQueue(const QByteArray& record)
{
    if (receiveMsgQueue.size() >= kReceiveQueueLimit) {
        ++droppedMsgCount_;
        return -1;
    }
    receiveMsgQueue.append(record);
    if (!receiveMsgQueueTimer)
        receiveMsgQueueTimer =
            ns::Timer::scheduledTimer(kReceiveTick, this, "readingReceiveMsg:", ns::Value(), true);
    return 0;
}

void JOVMsgCenter::readingReceiveMsg(ns::Timer*)
{
    const bool locked = lockMsgWhenReceiveMsg_;
    if (locked && !receiveMsgLocker.tryLock())
        return;
    if (!receiveMsgQueue.isEmpty())
        msgDispatch(receiveMsgQueue.takeFirst());
    if (locked)
        receiveMsgLocker.unlock();
    if (receiveMsgQueue.isEmpty())
        stopReadingReceiveMsg();
}

void JOVMsgCenter::stopReadingReceiveMsg()
{
    if (receiveMsgQueueTimer) {
        receiveMsgQueueTimer->invalidate();
        receiveMsgQueueTimer.reset();
    }
    // A burst that overflowed the queue is reported once, when it has drained.
    if (droppedMsgCount_ > 0) {
        qWarning("Message center: %d received records dropped, the queue held %d already", droppedMsgCount_,
                 kReceiveQueueLimit);
        droppedMsgCount_ = 0;
    }
}

void JOVMsgCenter::msgDispatch(const QByteArray& record)
{
    postNotificationWithMsg(record);
}

void JOVMsgCenter::postNotificationWithMsg(const QByteArray& record)
{
    if (record.isNull())
        return;
    const _UI_MSG msg = recordFromBytes(record);
    if (IsKLogOpen())
        KLog::sharedLog().putATReadLog(recordLogText(msg).constData());
    ns::NotificationCenter::defaultCenter().postNotificationName(
        messageNotificationName(msg.majorID, msg.minorID), this, ns::Dictionary{{kMsgUserInfo, record}});
}
