#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ae/ClientSocket.h"
#include "platform/ae/Frame.h"
#include "platform/ae/RuntimeDirectory.h"
#include "tests/ae/TestSupport.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace ae;
using namespace aetest;

namespace
{

const QString kPeer = QStringLiteral("com.trelvan.test.peer");
const QString kSelf = QStringLiteral("com.trelvan.test.self");
constexpr OSType kTestClass = fourCharCode("test");
constexpr long kGenerous = 10 * 60; // ticks: far more than any event here needs

// The test peer program (TestPeer.cpp) running under a bundle identifier.
class Peer
{
public:
    explicit Peer(const QString& bundleIdentifier)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(AE_TEST_PEER), {bundleIdentifier});
    }
    ~Peer() { kill(); }

    // True once the peer says it listens; false when it cannot or ends first.
    bool listening()
    {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(10000))
                return false;
        }
        return process_.readLine().trimmed() == "listening";
    }
    bool waitForExit() { return process_.waitForFinished(10000); }
    void kill()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

private:
    QProcess process_;
};

AppleEvent testEvent(const char (&eventID)[5], const QString& target = kPeer)
{
    return AppleEvent(kTestClass, fourCharCode(eventID), Descriptor::fromBundleIdentifier(target));
}

// Runs the event loop until done() holds or ten seconds pass.
void runEventLoopUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
}

class AeTransport : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureApplication(); }
    void TearDown() override { AppleEventManager::sharedAppleEventManager().stopListening(); }

    AppleEventManager& manager = AppleEventManager::sharedAppleEventManager();
    PrivateRuntimeDirectory runtime;
};

} // namespace

TEST_F(AeTransport, AWaitReplyRoundTripCarriesTheParametersBothWays)
{
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    AppleEvent event = testEvent("echo");
    event.setTransactionID(77);
    QByteArray record(8220, '\0');
    record[0] = 1;
    record[8219] = '\xff';
    event.setParamDescriptor(fourCharCode("jMsg"), {typeData, record});
    event.setParamDescriptor(fourCharCode("list"), Descriptor::fromPropertyList(ns::Array{"Grüße", 3, true}));
    event.setParamDescriptor(fourCharCode("none"), {typeData, {}});

    AEReturnID previous = 0;
    for (int round = 0; round < 3; ++round) { // the later rounds travel over the kept connection
        AppleEvent reply;
        ASSERT_EQ(AESend(event, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr) << round;
        EXPECT_EQ(reply.eventClass(), kCoreEventClass);
        EXPECT_EQ(reply.eventID(), kAEAnswer);
        EXPECT_GT(reply.returnID(), 0);
        EXPECT_NE(reply.returnID(), previous);
        previous = reply.returnID();
        EXPECT_EQ(reply.transactionID(), 77);
        EXPECT_EQ(reply.parameters(), event.parameters());
    }

    event.setReturnID(4242);
    AppleEvent reply;
    ASSERT_EQ(AESend(event, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(reply.returnID(), 4242);
}

TEST_F(AeTransport, NoReplyEventsArriveInTheOrderSent)
{
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    const QList<QByteArray> notes{"first", QByteArray(1 << 19, 'x') /* more than a socket buffer holds */,
                                  "last"};
    for (const QByteArray& note : notes) {
        AppleEvent event = testEvent("note");
        event.setParamDescriptor(fourCharCode("data"), {typeData, note});
        AppleEvent reply = testEvent("stal");
        EXPECT_EQ(AESend(event, &reply, kAENoReply, kAENormalPriority, kGenerous), noErr);
        EXPECT_EQ(reply, AppleEvent());
    }

    AppleEvent reply;
    ASSERT_EQ(AESend(testEvent("rcal"), &reply, kAEWaitReply, kAENormalPriority, kGenerous), noErr);
    const std::optional<ns::Value> kept =
        reply.paramDescriptor(fourCharCode("nots")).value_or(Descriptor()).propertyList();
    ASSERT_TRUE(kept);
    const ns::Array got = kept->toArray();
    ASSERT_EQ(got.count(), notes.size());
    for (int i = 0; i < got.count(); ++i)
        EXPECT_EQ(got.at(i).toData(), notes.at(i)) << i;
}

TEST_F(AeTransport, ASlowHandlerTimesOutAndTheNextEventGetsItsOwnReply)
{
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    AppleEvent slow = testEvent("slow");
    slow.setParamDescriptor(fourCharCode("msec"), text(QStringLiteral("1000")));
    EXPECT_EQ(AESend(slow, nullptr, kAEWaitReply, kAEHighPriority, 12), errAETimeout);

    // The late reply to the slow event must not pass for this one's.
    AppleEvent echo = testEvent("echo");
    echo.setParamDescriptor(fourCharCode("mark"), text(QStringLiteral("second")));
    AppleEvent reply;
    ASSERT_EQ(AESend(echo, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(text(reply, fourCharCode("mark")), QStringLiteral("second"));
}

TEST_F(AeTransport, AnEventForNobodyIsProcNotFound)
{
    const Descriptor targets[] = {
        Descriptor::fromBundleIdentifier(QStringLiteral("com.trelvan.nobody")),
        Descriptor::fromBundleIdentifier(QString()),
        {typeUTF8Text, kPeer.toUtf8()}, // not a bundle identifier
    };
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    for (const Descriptor& target : targets) {
        AppleEvent event = testEvent("echo");
        event.setTarget(target);
        EXPECT_EQ(AESend(event, nullptr, kAEWaitReply, kAEHighPriority, kGenerous), procNotFound);
        EXPECT_EQ(AESend(event, nullptr, kAENoReply, kAEHighPriority, kGenerous), procNotFound);
    }
}

TEST_F(AeTransport, APeerDyingInItsHandlerFailsTheSendAndARestartedOneIsReached)
{
    {
        Peer peer(kPeer);
        ASSERT_TRUE(peer.listening());
        ASSERT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
        EXPECT_EQ(AESend(testEvent("exit"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous),
                  connectionInvalid);
        ASSERT_TRUE(peer.waitForExit());
    }
    // Its socket is left behind with nobody behind it.
    EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), procNotFound);

    {
        Peer restarted(kPeer); // replaces the socket left behind
        ASSERT_TRUE(restarted.listening());
        EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
        restarted.kill(); // leaves a kept connection to a process that is gone
    }
    Peer again(kPeer);
    ASSERT_TRUE(again.listening());
    EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(AESend(testEvent("note"), nullptr, kAENoReply, kAEHighPriority, kGenerous), noErr);
}

TEST_F(AeTransport, AnEventWithoutAHandlerIsReportedNotHandled)
{
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    AppleEvent reply;
    EXPECT_EQ(AESend(testEvent("none"), &reply, kAEWaitReply, kAEHighPriority, kGenerous),
              errAEEventNotHandled);
    EXPECT_EQ(reply.eventID(), kAEAnswer);
    EXPECT_EQ(AESend(testEvent("none"), nullptr, kAENoReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
}

TEST_F(AeTransport, OnlyOneLiveProcessListensUnderAnIdentifier)
{
    Peer first(kPeer);
    ASSERT_TRUE(first.listening());
    EXPECT_FALSE(manager.listen(kPeer));
    Peer second(kPeer);
    EXPECT_FALSE(second.listening());
    EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
}

TEST_F(AeTransport, AMalformedFrameClosesOnlyItsConnection)
{
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    const QByteArray event = Frame{Frame::Kind::Event, true, noErr, testEvent("echo")}.encoded();
    QByteArray badMagic = event;
    badMagic[0] = 'X';
    QByteArray oversized = event.first(Frame::kHeaderSize);
    qToLittleEndian<quint32>(Frame::kMaxSize + 1, oversized.data() + 8);
    QByteArray badTarget = event;
    qToLittleEndian<quint32>(0xfffffff0, badTarget.data() + 36);
    const QByteArray reply = Frame{Frame::Kind::Reply, false, noErr, testEvent("echo")}.encoded();

    for (const QByteArray& bytes : {badMagic, oversized, badTarget, reply}) {
        ClientSocket socket;
        ASSERT_EQ(socket.connectTo(socketPath(kPeer), QDeadlineTimer(10000)), noErr);
        ASSERT_EQ(socket.write(bytes, QDeadlineTimer(10000)), noErr);
        QByteArray answer;
        EXPECT_EQ(socket.read(1, answer, QDeadlineTimer(10000)), connectionInvalid); // closed, not timed out
    }
    EXPECT_EQ(AESend(testEvent("echo"), nullptr, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
}

TEST_F(AeTransport, TheEventSocketIsOpenToThisUserOnlyWhateverTheUmask)
{
    const mode_t umaskBefore = ::umask(0);
    const bool listening = manager.listen(kSelf);
    ::umask(umaskBefore);
    ASSERT_TRUE(listening);
    struct stat st {
    };
    ASSERT_EQ(::stat(QFile::encodeName(socketPath(kSelf)).constData(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(AeTransport, TwoProcessesSendingToEachOtherWaitNoLongerThanTheTimeOut)
{
    int backs = 0;
    manager.setEventHandler(kTestClass, fourCharCode("back"),
                            [&backs](const AppleEvent&, AppleEvent&) { ++backs; });
    ASSERT_TRUE(manager.listen(kSelf));
    Peer peer(kPeer);
    ASSERT_TRUE(peer.listening());
    AppleEvent call = testEvent("call");
    call.setParamDescriptor(fourCharCode("whom"), text(kSelf));

    // While this process waits for the peer, the peer's no-reply event to it
    // is taken in without this process running its event loop...
    call.setParamDescriptor(fourCharCode("mode"), text(QString::number(kAENoReply)));
    call.setParamDescriptor(fourCharCode("tick"), text(QString::number(kGenerous)));
    AppleEvent reply;
    ASSERT_EQ(AESend(call, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(text(reply, fourCharCode("errn")), QString::number(noErr));

    // ...and its wait-reply event times out on the peer's side after its own
    // time-out, which ends the wait on this side well before this one's.
    call.setParamDescriptor(fourCharCode("mode"), text(QString::number(kAEWaitReply)));
    call.setParamDescriptor(fourCharCode("tick"), text(QStringLiteral("15")));
    ASSERT_EQ(AESend(call, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(text(reply, fourCharCode("errn")), QString::number(errAETimeout));

    // Both reach the handler once this process is back in its event loop.
    runEventLoopUntil([&backs] { return backs == 2; });
    EXPECT_EQ(backs, 2);
    manager.removeEventHandler(kTestClass, fourCharCode("back"));
}

TEST_F(AeTransport, HandlersRunOnTheMainThread)
{
    QThread* handledOn = nullptr;
    manager.setEventHandler(kTestClass, fourCharCode("echo"),
                            [&handledOn](const AppleEvent& event, AppleEvent& reply) {
                                handledOn = QThread::currentThread();
                                reply.setParamDescriptor(fourCharCode("mark"),
                                                         event.paramDescriptor(fourCharCode("mark")).value());
                            });
    ASSERT_TRUE(manager.listen(kSelf));
    AppleEvent echo = testEvent("echo", kSelf);
    echo.setParamDescriptor(fourCharCode("mark"), text(QStringLiteral("here")));

    // From the main thread itself the handler is called at once.
    AppleEvent reply;
    ASSERT_EQ(AESend(echo, &reply, kAEWaitReply, kAEHighPriority, kGenerous), noErr);
    EXPECT_EQ(text(reply, fourCharCode("mark")), QStringLiteral("here"));
    EXPECT_EQ(handledOn, QThread::currentThread());
    EXPECT_EQ(AESend(testEvent("none", kSelf), nullptr, kAEWaitReply, kAEHighPriority, kGenerous),
              errAEEventNotHandled);

    // From another thread the event goes through the socket to the main event loop.
    handledOn = nullptr;
    OSErr result = 1;
    AppleEvent threadReply;
    std::unique_ptr<QThread> sender(QThread::create(
        [&] { result = AESend(echo, &threadReply, kAEWaitReply, kAEHighPriority, kGenerous); }));
    QEventLoop loop;
    QObject::connect(sender.get(), &QThread::finished, &loop, &QEventLoop::quit);
    sender->start();
    loop.exec();
    sender->wait();
    EXPECT_EQ(result, noErr);
    EXPECT_EQ(text(threadReply, fourCharCode("mark")), QStringLiteral("here"));
    EXPECT_EQ(handledOn, QThread::currentThread());
    manager.removeEventHandler(kTestClass, fourCharCode("echo"));
}
