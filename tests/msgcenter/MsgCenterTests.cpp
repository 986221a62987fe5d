#include "app/config/ConfigManager.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"

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
