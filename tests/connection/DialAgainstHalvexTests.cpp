// The dial controller in the main nib against the simulated modem.
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadReader.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

constexpr int kWaitMs = 60000;

bool received(HalvexControl& halvex, MessageID id, _UI_MSG* found = nullptr)
{
    for (const _UI_MSG& record : halvex.receivedRecords())
        if (record.majorID == id.majorID && record.minorID == id.minorID) {
            if (found)
                *found = record;
            return true;
        }
    return false;
}

} // namespace

TEST(DialFrequencyLock, AConnectSetsTheConfiguredLockWhenTheDeviceHasNone)
{
    struct Case {
        const char* name;
        ns::Dictionary internet;
        bool locks;
    };
    for (const Case& c : {Case{"configured", {{"LockNetFrequencyWhenConnect", 7}}, true},
                          Case{"not configured", {}, false}}) {
        SCOPED_TRACE(c.name);
        HalvexControl halvex;
        ASSERT_TRUE(halvex.start());
        Posted posted({kSimReadyNotification});
        DeviceApp app(shippedSettings({{"Internet", c.internet}}), Runtime::Current);
        app.nib.awakeFromNib();
        ASSERT_TRUE(QTest::qWaitFor([&] { return posted.contains(kSimReadyNotification); }, kWaitMs));

        app.nib.dialController().DialOption(nullptr);
        // The connect request goes after the lock's read and its answer.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return received(halvex, msg::connection::kDialConnect); }, kWaitMs));
        if (c.locks) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return received(halvex, msg::connection::kSetNetFrequencyLock); }, kWaitMs));
        }
        EXPECT_EQ(received(halvex, msg::connection::kReadNetFrequencyLock), c.locks);
        _UI_MSG set{};
        EXPECT_EQ(received(halvex, msg::connection::kSetNetFrequencyLock, &set), c.locks);
        const ns::Dictionary state = halvex.state().value_or(ns::Dictionary());
        EXPECT_EQ(state.value("NetFrequencyLock").intValue(), c.locks ? 7 : 0);
        if (c.locks) {
            EXPECT_EQ(set.moduleID, kModuleDialUp);
            EXPECT_EQ(payloadInt32(set, 0), 1);
        }
    }
}
