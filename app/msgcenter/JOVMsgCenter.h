#pragma once

#include "jCommon/MessageID.h"
#include "jCommon/UIMsg.h"
#include "platform/ae/AppleEvent.h"
#include "platform/ns/Lock.h"
#include "platform/ns/Notification.h"
#include "platform/ns/Object.h"
#include "platform/ns/Task.h"
#include "platform/ns/Timer.h"

#include <QList>

#include <functional>
#include <memory>
#include <span>

// Prefix of the notification names and key of the record in their user information.
inline const QString kMsgUserInfo = QStringLiteral("jUIMsg");

inline QString messageNotificationName(uint16_t majorID, uint16_t minorID)
{
    return kMsgUserInfo + QString::number(makeMessageID(majorID, minorID));
}

// The one channel to the device server: sends records as Apple Events, starts
// and stops the server, and hands received records out one per timer tick as
// "jUIMsg<id>" notifications. The tick runs only while records wait; records
// that find the queue full are dropped, and counted in one log line once the
// queue has drained.
// One subscription of a controller's table. A row with a switch (a
// configuration module, read once, at registration) takes whenOn while the
// switch is on and selector otherwise; a null selector leaves the message
// unsubscribed.
struct MessageRow {
    MessageID id;
    const char* selector;
    const char* configSwitch = nullptr;
    const char* whenOn = nullptr;
};

class JOVMsgCenter : public ns::Object
{
public:
    JOVMsgCenter();
    ~JOVMsgCenter() override;

    void initlizeMsgCenter();
    void awakeFromNib();

    // Builds one record and sends it (wait-reply, one second). A null data
    // means no payload; a payload over 8192 bytes is refused.
    bool sendMessageModuleID(int moduleID, quint16 majorID, quint16 minorID, int type, signed char result,
                             const QByteArray& data = QByteArray());
    ae::OSErr sendMessage(const _UI_MSG* msg);

    bool registerObserver(ns::Object* observer, const QString& selector, quint16 majorID, quint16 minorID);
    // Subscribes the observer to each row's message with the selector the
    // row chooses by switchOn(its switch); selectors it does not answer are left out.
    void registerObserverTable(ns::Object* observer, std::span<const MessageRow> rows,
                               const std::function<bool(const QString& configSwitch)>& switchOn);
    // Copies the record of a "jUIMsg" notification into msg (at most one record).
    bool getMsgPackage(_UI_MSG* msg, const ns::Notification* notification) const;
    static long makeIDByMajorID(quint16 majorID, quint16 minorID) { return makeMessageID(majorID, minorID); }

    bool startMsgServer();
    bool stopMsgServer();

    // The receive path. Only parameters of at least a record's size are
    // taken, and of those one record.
    void handleAppleEvent(const ae::AppleEvent& event, ae::AppleEvent& reply);
    int putReceiveMsgInQueue(const QByteArray& record);
    void readingReceiveMsg(ns::Timer* timer = nullptr);
    void msgDispatch(const QByteArray& record);
    void postNotificationWithMsg(const QByteArray& record);

    int queuedMessageCount() const { return int(receiveMsgQueue.size()); }

private:
    QString serverExecutablePath() const;
    void stopReadingReceiveMsg();

    std::unique_ptr<ns::Task> jovMsgServer;
    ae::AppleEvent appleEventDescriptor;
    ns::Lock sendMsgLocker;
    ns::Lock receiveMsgLocker;
    std::shared_ptr<ns::Timer> receiveMsgQueueTimer;
    QList<QByteArray> receiveMsgQueue;
    bool isRunning_ = false;
    bool lockMsgWhenReceiveMsg_ = true;
    int droppedMsgCount_ = 0; // since the queue last drained
};
