#pragma once

#include "jCommon/DeviceServerChannel.h"
#include "jCommon/PayloadReader.h"
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "tests/halvex/HalvexTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <vector>

namespace halvextest
{

// Stands where the manager's message center does: listens under the
// manager's identifier, keeps every record Halvex sends and sends records
// the way the message center does (wait-reply, one second).
class ManagerStandIn
{
public:
    ManagerStandIn()
    {
        ae::AppleEventManager& events = ae::AppleEventManager::sharedAppleEventManager();
        events.setEventHandler(kRecordEventClass, kRecordEventID,
                               [this](const ae::AppleEvent& event, ae::AppleEvent&) {
                                   if (const auto parameter = event.paramDescriptor(keyRecordParameter))
                                       records.push_back(recordFromBytes(parameter->data));
                               });
        listen();
    }
    ~ManagerStandIn()
    {
        ae::AppleEventManager& events = ae::AppleEventManager::sharedAppleEventManager();
        events.stopListening();
        events.removeEventHandler(kRecordEventClass, kRecordEventID);
    }

    // The manager comes and goes.
    void listen() { listening = ae::AppleEventManager::sharedAppleEventManager().listen(kJOVDataCardClient); }
    void stopListening()
    {
        ae::AppleEventManager::sharedAppleEventManager().stopListening();
        listening = false;
    }

    // The reason Halvex refused the parameter, or the empty string.
    QString sendBytes(const std::optional<QByteArray>& bytes)
    {
        ae::AppleEvent event(kRecordEventClass, kRecordEventID,
                             ae::Descriptor::fromBundleIdentifier(kJOVDataCardServer));
        if (bytes)
            event.setParamDescriptor(keyRecordParameter, {ae::typeData, *bytes});
        ae::AppleEvent reply;
        const ae::OSErr err = ae::AESend(event, &reply, ae::kAEWaitReply, ae::kAEHighPriority, 60);
        if (err != ae::noErr)
            return QStringLiteral("send error %1").arg(err);
        return QString::fromUtf8(
            reply.paramDescriptor(ae::fourCharCode("errs")).value_or(ae::Descriptor()).data);
    }
    QString send(const _UI_MSG& record) { return sendBytes(recordBytes(record)); }

    bool waitForCount(size_t count)
    {
        return QTest::qWaitFor([&] { return records.size() >= count; }, 10000);
    }
    // Waits for count more records than there are now; returns them.
    std::vector<_UI_MSG> next(size_t count)
    {
        const size_t first = records.size();
        if (!waitForCount(first + count))
            return {};
        // Exactly the records asked for: later ones may already be in.
        return {records.begin() + qsizetype(first), records.begin() + qsizetype(first + count)};
    }
    const _UI_MSG* find(const QString& name) const
    {
        for (const _UI_MSG& record : records)
            if (recordName(record) == name)
                return &record;
        return nullptr;
    }

    bool listening = false;
    std::vector<_UI_MSG> records;
};

// A running Halvex with the manager stand-in listening beside it.
class HalvexProgramTest : public ::testing::Test
{
protected:
    QString scenarioFile(const std::vector<std::pair<QString, ns::Value>>& changes = {})
    {
        return writeScenario(folder.path(), QStringLiteral("scenario%1").arg(++written),
                             scenarioWith(changes));
    }

    void startWith(const QString& path, HalvexControl::ScenarioBy by = HalvexControl::ScenarioBy::Argument)
    {
        ASSERT_TRUE(manager.listening);
        ASSERT_TRUE(halvex.start(path, by)) << halvex.errorOutput().toStdString();
    }

    ns::Dictionary state() { return halvex.state().value_or(ns::Dictionary()); }

    void TearDown() override
    {
        if (HasFailure())
            std::cerr << "Halvex said:\n" << halvex.errorOutput().toStdString();
    }

    QTemporaryDir folder;
    int written = 0;
    HalvexControl halvex; // first: it points this process at Halvex's runtime folder
    ManagerStandIn manager;
};

} // namespace halvextest
