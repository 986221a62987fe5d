#pragma once

#include "halvex/Conversation.h"
#include "halvex/MessageRouter.h"
#include "halvex/OutgoingQueue.h"
#include "halvex/Scenario.h"
#include "halvex/SimCard.h"
#include "halvex/StepTable.h"
#include "halvex/features/Feature.h"

#include <memory>
#include <vector>

namespace halvex
{

// The one modem Halvex plays. It holds the state the scenario starts it in,
// runs the start sequence through its features, passes the manager's
// requests to the feature that answers them, and sends everything through
// one outgoing queue at the scenario's pace. Everything runs on the main run
// loop and never blocks.
class Modem
{
public:
    Modem(const Scenario& scenario, OutgoingQueue::Sender sender);
    ~Modem();
    Modem(const Modem&) = delete;
    Modem& operator=(const Modem&) = delete;

    const Scenario& scenario() const { return scenario_; }
    SimCard& sim() { return sim_; }
    const SimCard& sim() const { return sim_; }
    bool isPlugged() const { return plugged_; }

    // The modem starts plugged in and reports itself as soon as the manager
    // is there.
    void powerOn() { playStartSequence(); }
    // Drops whatever is pending and reports the device from the handshake on.
    void playStartSequence();
    // The SIM has become usable: the features report what follows from it.
    void simBecameReady();
    // The device refuses the SIM until its network lock is unlocked.
    bool isSimNetworkLocked() const { return simNetworkLocked_; }
    // The right unlock code came: the SIM goes on from its own state.
    void simNetworkUnlocked();
    // The device is pulled out or plugged back in; false when it already is.
    bool removeDevice();
    bool plugDevice();

    // A record at the pace of a report sequence.
    void report(const _UI_MSG& record, OutgoingQueue::Policy policy = OutgoingQueue::Policy::DropWhenAbsent);
    // A record after the given delay.
    void send(const _UI_MSG& record, double delay);
    // Whether records are still on their way (or waiting for the manager).
    bool hasPendingRecords() const { return queue_.count() > 0; }

    // A record from the manager: logged, then answered.
    void receive(const _UI_MSG& record);
    // What the manager and the modem said to each other, both ways.
    const Conversation& conversation() const { return conversation_; }

    QString runStep(const QString& name, const ns::Dictionary& arguments)
    {
        return steps_.run(name, arguments);
    }
    const StepTable& steps() const { return steps_; }
    ns::Dictionary state() const;

private:
    template <class Hook> void forEachFeature(Hook hook);

    Scenario scenario_;
    SimCard sim_;
    bool plugged_ = true;
    bool simNetworkLocked_;
    Conversation conversation_;
    OutgoingQueue queue_;
    MessageRouter router_;
    StepTable steps_;
    std::vector<std::unique_ptr<Feature>> features_;
};

} // namespace halvex
