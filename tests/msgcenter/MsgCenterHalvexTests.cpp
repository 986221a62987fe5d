// The message center against the real device server: started by the center,
// delivering its start-up as notifications, and answering PIN entries.
#include "app/msgcenter/JOVMsgCenter.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "tests/support/HalvexControl.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{

struct Arrival {
    quint16 major, minor;
    int type, result;
    QByteArray data;
};

class Listener : public ns::Object
{
public:
    explicit Listener(JOVMsgCenter& center) : center_(center)
    {
        registerSelector("received:", &Listener::received);
    }
    void listen(quint16 major, quint16 minor) { center_.registerObserver(this, "received:", major, minor); }
    void received(ns::Notification* n)
    {
        _UI_MSG msg{};
        center_.getMsgPackage(&msg, n);
        arrivals.push_back({msg.majorID, msg.minorID, msg.type, msg.result,
                            QByteArray(reinterpret_cast<const char*>(msg.data), msg.length)});
    }
    const Arrival* last(quint16 major, quint16 minor) const
    {
        for (auto it = arrivals.rbegin(); it != arrivals.rend(); ++it)
            if (it->major == major && it->minor == minor)
                return &*it;
        return nullptr;
    }
    std::vector<Arrival> arrivals;

private:
    JOVMsgCenter& center_;
};

// A bundle whose "jUIInfo" points the center at the built device server.
class ServerBundle
{
public:
    explicit ServerBundle(const ns::Dictionary& scenario)
    {
        const QString resources = dir_.filePath("Trelvan.app/Contents/Resources");
        QDir().mkpath(resources);
        ns::PropertyList::writeFile(
            resources + "/jUIInfo.plist",
            ns::Dictionary{{"UseConfigPath", true}, {"PathOfServer", HalvexControl::programPath()}});
        ns::PropertyList::writeFile(dir_.filePath("scenario.plist"), scenario);
        qputenv("HALVEX_SCENARIO", dir_.filePath("scenario.plist").toUtf8());
        ns::Bundle::setMainBundlePath(dir_.filePath("Trelvan.app"));
    }
    ~ServerBundle()
    {
        ns::Bundle::setMainBundlePath(QString());
        qunsetenv("HALVEX_SCENARIO");
    }

private:
    QTemporaryDir dir_;
};

ns::Dictionary defaultScenario()
{
    return ns::PropertyList::readDictionary(TRELVAN_BUILD_DIR
                                            "/Trelvan.app/Contents/Resources/Halvex.app/Contents/Resources/"
                                            "DefaultScenario.plist")
        .value_or(ns::Dictionary())
        .deepCopy();
}

QByteArray textField(const QByteArray& text, int width)
{
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), '\0'));
    return field;
}

} // namespace

TEST(MsgCenterWithHalvex, TheCenterStartsTheServerAndItsStartUpArrivesAsNotifications)
{
    QTemporaryDir runtime;
    qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toUtf8());
    ServerBundle bundle(defaultScenario());
    JOVMsgCenter center;
    Listener listener(center);
    for (auto [major, minor] :
         {std::pair{8, 58}, {3, 5}, {6, 32}, {4, 9}, {7, 42}, {7, 37}, {7, 55}, {5, 22}})
        listener.listen(quint16(major), quint16(minor));

    ASSERT_TRUE(center.startMsgServer());
    EXPECT_FALSE(center.startMsgServer());
    ASSERT_TRUE(QTest::qWaitFor([&] { return center.sendMessageModuleID(kModuleInit, 1, 0, 0, 0); }, 10000));

    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.last(7, 55) && listener.last(4, 9); }, 10000));
    ASSERT_TRUE(listener.last(8, 58));
    EXPECT_EQ(listener.last(8, 58)->result, 0);
    ASSERT_TRUE(listener.last(7, 37));
    EXPECT_EQ(listener.last(7, 37)->data.size(), 324);

    EXPECT_TRUE(center.stopMsgServer());
    EXPECT_FALSE(center.stopMsgServer());
    EXPECT_FALSE(center.startMsgServer()); // a server is started once in a process's life
    qunsetenv("TRELVAN_RUNTIME_DIR");
}

TEST(MsgCenterWithHalvex, APinLockedSimTakesAWrongThenTheRightPin)
{
    HalvexControl halvex;
    ns::Dictionary scenario = defaultScenario();
    ns::Dictionary sim = scenario.value("SIM").toDictionary();
    sim.setValue("State", "PinLocked");
    sim.setValue("PIN", "2468");
    QTemporaryDir dir;
    ns::PropertyList::writeFile(dir.filePath("pin.plist"), scenario);
    ASSERT_TRUE(halvex.start(dir.filePath("pin.plist"))) << halvex.errorOutput().toStdString();

    JOVMsgCenter center;
    Listener listener(center);
    listener.listen(4, 10);
    listener.listen(4, 8);
    listener.listen(4, 9);
    ASSERT_TRUE(center.sendMessageModuleID(kModuleInit, 1, 0, 0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.last(4, 8) != nullptr; }, 10000));
    const int attempts = halvex.state()->value("PinAttemptsLeft").intValue();

    listener.arrivals.clear();
    ASSERT_TRUE(center.sendMessageModuleID(kModuleInit, 4, 10, 1, 0, textField("1111", 10)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.last(4, 10) != nullptr; }, 10000));
    EXPECT_NE(listener.last(4, 10)->result, 0);
    EXPECT_EQ(halvex.state()->value("PinAttemptsLeft").intValue(), attempts - 1);

    listener.arrivals.clear();
    const HalvexControl::Position beforePin = halvex.now();
    ASSERT_TRUE(center.sendMessageModuleID(kModuleInit, 4, 10, 1, 0, textField("2468", 10)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listener.last(4, 10) != nullptr; }, 10000));
    EXPECT_EQ(listener.last(4, 10)->result, 0);

    // What the server received is the whole record, PIN field included.
    const std::optional<HalvexControl::Entry> received =
        halvex.nextReceived(msg::device::kCheckoutPin, beforePin);
    ASSERT_TRUE(received);
    const _UI_MSG pin = received->record();
    EXPECT_EQ(pin.tag, 1);
    EXPECT_EQ(pin.moduleID, kModuleInit);
    EXPECT_EQ(pin.length, 10);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(pin.data), 4), "2468");
}

TEST(MsgCenterWithHalvex, ACenterThatStartedNoServerLeavesARunningOneAlone)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    {
        JOVMsgCenter center;
    }
    EXPECT_TRUE(halvex.state().has_value()); // still there to answer
}

TEST(MsgCenterWithHalvex, SendsReachTheServerAgainOnceItHasRestarted)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    JOVMsgCenter center;
    // 4/15 (entry abandoned) is taken in without an answer.
    EXPECT_TRUE(center.sendMessageModuleID(kModuleInit, 4, 15, 1, 0));
    halvex.stop();
    EXPECT_FALSE(center.sendMessageModuleID(kModuleInit, 4, 15, 1, 0));
    ASSERT_TRUE(halvex.start()) << halvex.errorOutput().toStdString();
    EXPECT_TRUE(center.sendMessageModuleID(kModuleInit, 4, 15, 2, 0));
    const std::vector<_UI_MSG> received = halvex.receivedRecords();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received.front().type, 2);
}
