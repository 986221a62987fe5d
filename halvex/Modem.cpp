#include "halvex/Modem.h"

#include "halvex/Logging.h"
#include "halvex/Record.h"
#include "halvex/features/FeatureList.h"
#include "jCommon/PayloadReader.h"

namespace halvex
{

Modem::Modem(const Scenario& scenario, OutgoingQueue::Sender sender)
    : scenario_(scenario), sim_(scenario.sim),
      simNetworkLocked_(scenario.locks.simLock != Scenario::Locks::SimLock::None),
      queue_(std::move(sender), scenario.timing.handshakeRetryInterval,
             [this](const _UI_MSG& record, Delivery delivery) {
                 conversation_.noteSent(record, delivery != Delivery::Delivered);
             }),
      features_(createFeatures(*this))
{
    for (const auto& feature : features_) {
        feature->registerMessages(router_);
        feature->registerSteps(steps_);
    }
}

Modem::~Modem() = default;

template <class Hook> void Modem::forEachFeature(Hook hook)
{
    for (const auto& feature : features_)
        hook(*feature);
}

void Modem::playStartSequence()
{
    queue_.clear();
    forEachFeature([](Feature& feature) { feature.devicePlugged(); });
    if (sim_.status() == SimCard::Status::Ready && !simNetworkLocked_)
        simBecameReady();
}

void Modem::simNetworkUnlocked()
{
    simNetworkLocked_ = false;
    forEachFeature([](Feature& feature) { feature.simUnlocked(); });
    if (sim_.status() == SimCard::Status::Ready)
        simBecameReady();
}

void Modem::simBecameReady()
{
    forEachFeature([](Feature& feature) { feature.simReady(); });
}

bool Modem::removeDevice()
{
    if (!plugged_)
        return false;
    qCInfo(lcHalvex) << "device removed";
    plugged_ = false;
    queue_.clear();
    sim_.powerDown();
    forEachFeature([](Feature& feature) { feature.deviceRemoved(); });
    return true;
}

bool Modem::plugDevice()
{
    if (plugged_)
        return false;
    qCInfo(lcHalvex) << "device plugged in";
    plugged_ = true;
    playStartSequence();
    return true;
}

void Modem::report(const _UI_MSG& record, OutgoingQueue::Policy policy)
{
    queue_.post(record, scenario_.timing.reportInterval, policy);
}

void Modem::send(const _UI_MSG& record, double delay)
{
    queue_.post(record, delay);
}

void Modem::receive(const _UI_MSG& record)
{
    conversation_.noteReceived(record);
    switch (router_.dispatch(record, plugged_)) {
    case MessageRouter::Outcome::Handled:
        qCDebug(lcHalvex).noquote() << "received" << recordName(record);
        break;
    case MessageRouter::Outcome::NoHandler:
        qCDebug(lcHalvex).noquote() << "received" << recordName(record) << "(type" << record.type
                                    << "), which this modem does not answer";
        break;
    case MessageRouter::Outcome::NoDevice:
        qCDebug(lcHalvex).noquote() << "received" << recordName(record)
                                    << "while the device is removed; no answer";
        break;
    }
}

ns::Dictionary Modem::state() const
{
    ns::Dictionary state{{QStringLiteral("Plugged"), plugged_},
                         {QStringLiteral("SimStatus"), SimCard::statusName(sim_.status())},
                         {QStringLiteral("PinAttemptsLeft"), sim_.pinAttemptsLeft()},
                         {QStringLiteral("PukAttemptsLeft"), sim_.pukAttemptsLeft()},
                         {QStringLiteral("PendingRecords"), queue_.count()}};
    for (const auto& feature : features_)
        feature->describeState(state);
    return state;
}

} // namespace halvex
