#include "app/config/ConfigManager.h"
#include "app/log/KLog.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "jCommon/DeviceServerChannel.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QByteArray makeRecord(quint16 major, quint16 minor)
{
    return recordBytes(makeUIMsg(kModuleMainWindow, major, minor, 1, 0));
}

// Records what arrives, optionally running the clock on inside a handler as a
// modal panel's nested run loop would.
class Recorder : public ns::Object
{
public:
    explicit Recorder(JOVMsgCenter& center) : center_(center)
    {
        registerSelector("received:", &Recorder::received);
    }
    void received(ns::Notification* n)
    {
        _UI_MSG msg{};
        center_.getMsgPackage(&msg, n);
        seen.append(QStringLiteral("%1/%2").arg(msg.majorID).arg(msg.minorID));
        if (nestedClock && seen.size() == 1)
            nestedClock->advance(0.05);
        seenWhenFirstReturned = seenWhenFirstReturned < 0 ? int(seen.size()) : seenWhenFirstReturned;
    }
    QStringList seen;
    ns::ManualClock* nestedClock = nullptr;
    int seenWhenFirstReturned = -1;

private:
    JOVMsgCenter& center_;
};

// The log lines written while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        lines().clear();
        previous_ = qInstallMessageHandler(&collect);
    }
    ~LogCapture() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList collected;
        return collected;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        lines().append(message);
    }
    QtMessageHandler previous_;
};

class MsgCenterTest : public ::testing::Test
{
protected:
    MsgCenterTest()
    {
        qputenv("TRELVAN_RUNTIME_DIR", runtime_.path().toUtf8());
        ns::Clock::setCurrent(&clock);
    }
    ~MsgCenterTest() override { ns::Clock::setCurrent(nullptr); }

    QTemporaryDir runtime_;
    ns::ManualClock clock;
};

} // namespace

TEST(UIMsg, NamesAreTheDecimalMessageIdentifier)
{
    EXPECT_EQ(messageNotificationName(0x0102, 64), "jUIMsg16908352");
    EXPECT_EQ(messageNotificationName(0x0001, 0), "jUIMsg65536");
    EXPECT_EQ(messageNotificationName(0xFFFF, 1), "jUIMsg-65535");
    EXPECT_EQ(JOVMsgCenter::makeIDByMajorID(0x0201, 85), 0x02010055);
}

TEST_F(MsgCenterTest, OneRecordPerTickInArrivalOrderAndTheQueueHoldsAtMost250)
{
    JOVMsgCenter center;
    Recorder recorder(center);
    center.registerObserver(&recorder, "received:", 8, 58);
    center.registerObserver(&recorder, "received:", 3, 5);

    EXPECT_EQ(center.putReceiveMsgInQueue(makeRecord(8, 58)), 0);
    EXPECT_EQ(center.putReceiveMsgInQueue(makeRecord(3, 5)), 0);
    clock.advance(0.005);
    EXPECT_EQ(recorder.seen, QStringList{"8/58"});
    clock.advance(0.005);
    EXPECT_EQ(recorder.seen, (QStringList{"8/58", "3/5"}));

    for (int i = 0; i < 249; ++i)
        ASSERT_EQ(center.putReceiveMsgInQueue(makeRecord(9, 9)), 0);
    EXPECT_EQ(center.putReceiveMsgInQueue(makeRecord(3, 5)), 0);   // the 250th
    EXPECT_EQ(center.putReceiveMsgInQueue(makeRecord(8, 58)), -1); // the 251st
    EXPECT_EQ(center.queuedMessageCount(), 250);
    clock.advance(0.005 * 250);
    EXPECT_EQ(recorder.seen.size(), 3);
    EXPECT_EQ(center.queuedMessageCount(), 0);
}

TEST_F(MsgCenterTest, ANestedRunLoopDispatchesOnlyWhenTheLockIsSwitchedOff)
{
    struct Case {
        bool doNotLock;
        int seenInsideFirstHandler;
    } cases[] = {{false, 1}, {true, 2}};
    for (const Case& c : cases) {
        ConfigManager::sharedConfigManager().getConfiguration().setValue(
            "Init", ns::Dictionary{{"Init_DoNotLockMsg_WhenReadReceiveMsg", c.doNotLock}});
        JOVMsgCenter center;
        center.awakeFromNib();
        Recorder recorder(center);
        recorder.nestedClock = &clock;
        center.registerObserver(&recorder, "received:", 4, 9);
        center.putReceiveMsgInQueue(makeRecord(4, 9));
        center.putReceiveMsgInQueue(makeRecord(4, 9));
        clock.advance(0.005);
        EXPECT_EQ(recorder.seenWhenFirstReturned, c.seenInsideFirstHandler) << c.doNotLock;
        clock.advance(0.05);
        EXPECT_EQ(recorder.seen.size(), 2);
    }
    ConfigManager::sharedConfigManager().getConfiguration().remove("Init");
}

TEST_F(MsgCenterTest, CopyingARecordOutOfANotification)
{
    JOVMsgCenter center;
    _UI_MSG buffer{};
    buffer.majorID = 77;
    ns::Notification without("jUIMsg1", &center, ns::Dictionary{{"other", 1}});
    EXPECT_TRUE(center.getMsgPackage(&buffer, &without));
    EXPECT_EQ(buffer.majorID, 77);
    EXPECT_FALSE(center.getMsgPackage(nullptr, &without));
    EXPECT_FALSE(center.getMsgPackage(&buffer, nullptr));

    // An oversized parameter fills exactly one record and nothing beyond it.
    struct Guarded {
        _UI_MSG msg;
        char guard[16];
    } guarded{};
    std::memset(guarded.guard, 'G', sizeof guarded.guard);
    QByteArray oversized = makeRecord(6, 32) + QByteArray(100, 'X');
    ns::Notification big("jUIMsg1", &center, ns::Dictionary{{kMsgUserInfo, oversized}});
    EXPECT_TRUE(center.getMsgPackage(&guarded.msg, &big));
    EXPECT_EQ(guarded.msg.minorID, 32);
    EXPECT_EQ(QByteArray(guarded.guard, 16), QByteArray(16, 'G'));

    // A short one leaves the rest of the buffer as it was.
    _UI_MSG partial{};
    partial.length = 1234;
    ns::Notification small("jUIMsg1", &center, ns::Dictionary{{kMsgUserInfo, makeRecord(7, 42).left(12)}});
    center.getMsgPackage(&partial, &small);
    EXPECT_EQ(partial.minorID, 42);
    EXPECT_EQ(partial.length, 1234);
}

TEST_F(MsgCenterTest, APayloadLargerThanARecordIsRefused)
{
    JOVMsgCenter center;
    EXPECT_FALSE(center.sendMessageModuleID(kModuleInit, 1, 0, 0, 0, QByteArray(kUIMsgDataSize + 1, 'x')));
    // Nobody listens under the server's identifier here: the send fails, it is not queued.
    EXPECT_FALSE(center.sendMessageModuleID(kModuleInit, 1, 0, 0, 0));
}

TEST_F(MsgCenterTest, TheTickRunsOnlyWhileRecordsWait)
{
    JOVMsgCenter center;
    Recorder recorder(center);
    for (quint16 minor = 1; minor <= 3; ++minor)
        center.registerObserver(&recorder, "received:", 3, minor);
    EXPECT_EQ(clock.scheduledTimerCount(), 0);

    for (quint16 minor = 1; minor <= 3; ++minor)
        center.putReceiveMsgInQueue(makeRecord(3, minor));
    EXPECT_EQ(clock.scheduledTimerCount(), 1);
    for (int tick = 1; tick <= 3; ++tick) {
        clock.advance(0.005);
        EXPECT_EQ(recorder.seen.size(), tick); // one per tick
    }
    EXPECT_EQ(recorder.seen, (QStringList{"3/1", "3/2", "3/3"}));
    EXPECT_EQ(clock.scheduledTimerCount(), 0);

    clock.advance(60);
    center.putReceiveMsgInQueue(makeRecord(3, 2));
    EXPECT_EQ(clock.scheduledTimerCount(), 1);
    clock.advance(0.005);
    EXPECT_EQ(recorder.seen.size(), 4);
    EXPECT_EQ(clock.scheduledTimerCount(), 0);
}

TEST_F(MsgCenterTest, RecordsDroppedOnAFullQueueAreLoggedOnceWithTheirCount)
{
    JOVMsgCenter center;
    LogCapture log;
    for (int i = 0; i < 253; ++i)
        center.putReceiveMsgInQueue(makeRecord(9, 9));
    EXPECT_TRUE(log.lines().isEmpty());
    clock.advance(0.005 * 250);
    EXPECT_EQ(center.queuedMessageCount(), 0);
    ASSERT_EQ(log.lines().size(), 1) << log.lines().join("\n").toStdString();
    EXPECT_TRUE(log.lines().first().contains("3 received records dropped"))
        << log.lines().first().toStdString();

    // The next burst is counted on its own.
    for (int i = 0; i < 251; ++i)
        center.putReceiveMsgInQueue(makeRecord(9, 9));
    clock.advance(0.005 * 250);
    ASSERT_EQ(log.lines().size(), 2);
    EXPECT_TRUE(log.lines().last().contains("1 received records dropped"))
        << log.lines().last().toStdString();
}

TEST_F(MsgCenterTest, OnlyParametersOfARecordsSizeAreTakenAndOfThoseOneRecord)
{
    JOVMsgCenter center;
    QList<QByteArray> posted;
    ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        messageNotificationName(6, 32), &center,
        [&posted](const ns::Notification& n) { posted.append(n.userInfo().value(kMsgUserInfo).toData()); });
    const QByteArray record = makeRecord(6, 32);
    const struct {
        const char* name;
        QByteArray parameter;
        bool taken;
    } cases[] = {
        {"a record", record, true},
        {"a record and more", record + QByteArray(100, 'X'), true},
        {"a record cut short", record.left(kUIMsgSize - 1), false},
        {"nothing", QByteArray(), false},
    };
    for (const auto& c : cases) {
        posted.clear();
        ae::AppleEvent event(kRecordEventClass, kRecordEventID, ae::Descriptor());
        event.setParamDescriptor(keyRecordParameter, {ae::typeData, c.parameter});
        ae::AppleEvent reply;
        center.handleAppleEvent(event, reply);
        EXPECT_EQ(center.queuedMessageCount(), c.taken ? 1 : 0) << c.name;
        clock.advance(0.005);
        EXPECT_EQ(posted, c.taken ? QList<QByteArray>{record} : QList<QByteArray>{}) << c.name;
    }
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
}

// Records that once broke the receive path (fuzzing found them) travel it
// again, each read by a handler at the offsets the record itself gives.
TEST_F(MsgCenterTest, RecordsThatOnceBrokeTheReceivePathPassItSafely)
{
    JOVMsgCenter center;
    int read = 0;
    ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        QString(), &center, [&](const ns::Notification& n) {
            _UI_MSG msg{};
            center.getMsgPackage(&msg, &n);
            payloadInt32(msg, msg.length);
            payloadText(msg, msg.type, kUIMsgDataSize);
            ++read;
        });
    const QDir fixtures(TRELVAN_FIXTURES_DIR "/msgcenter");
    const QStringList records = fixtures.entryList({"*.record"}, QDir::Files);
    ASSERT_FALSE(records.isEmpty());
    for (const QString& name : records) {
        QFile file(fixtures.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        ae::AppleEvent event(kRecordEventClass, kRecordEventID, ae::Descriptor());
        event.setParamDescriptor(keyRecordParameter, {ae::typeData, file.readAll()});
        ae::AppleEvent reply;
        center.handleAppleEvent(event, reply);
        clock.advance(0.005);
    }
    EXPECT_EQ(read, records.size());
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
}

// The modem traffic log holds every record sent and received, but never a
// code: the PIN of a check and the device code are written as asterisks.
TEST(MsgCenterTrafficLog, CodesAreMaskedBothWays)
{
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    SetKLogOpen(true);
    const QString folder = KLog::sharedLog().logDir();
    {
        JOVMsgCenter center;
        center.sendMessageModuleID(kModuleInit, 4, 10, kTypeReport, kResultSuccess,
                                   QByteArray("1234\0\0\0\0\0\0", 10));
        center.postNotificationWithMsg(
            recordBytes(makeUIMsg(kModuleInit, 5, 27, kTypeReport, kResultSuccess, "2468")));
    }
    SetKLogOpen(false);
    qunsetenv("XDG_STATE_HOME");
    QFile written(folder + "/at_write.log");
    QFile read(folder + "/at_read.log");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const QByteArray sent = written.readAll();
    const QByteArray received = read.readAll();
    EXPECT_TRUE(sent.contains("4/10")) << sent.constData();
    EXPECT_TRUE(sent.contains("2a 2a 2a 2a"));
    EXPECT_FALSE(sent.contains("31 32 33 34"));
    EXPECT_TRUE(received.contains("5/27")) << received.constData();
    EXPECT_FALSE(received.contains("32 34 36 38"));
}
