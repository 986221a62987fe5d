#pragma once

namespace ns
{
class Dictionary;
}

namespace halvex
{

class MessageRouter;
class Modem;
class StepTable;

// One feature of the modem: the requests it answers, the steps tests can
// trigger, and what it reports as the device comes up and goes away. The
// modem calls the hooks of all features in the order of the feature list.
class Feature
{
public:
    explicit Feature(Modem& modem) : modem_(modem) {}
    virtual ~Feature() = default;
    Feature(const Feature&) = delete;
    Feature& operator=(const Feature&) = delete;

    virtual void registerMessages(MessageRouter& router) { (void)router; }
    virtual void registerSteps(StepTable& steps) { (void)steps; }
    // Adds what this feature holds to the state tests read back.
    virtual void describeState(ns::Dictionary& state) const { (void)state; }

    // The device has come up (plugged in, or the manager shook hands): the
    // reports that do not need the SIM.
    virtual void devicePlugged() {}
    // The device's network lock let the SIM go: the reports of the SIM's own state.
    virtual void simUnlocked() {}
    // The SIM is usable: the reports that follow from it.
    virtual void simReady() {}
    // The device is gone; whatever was pending has been dropped.
    virtual void deviceRemoved() {}

protected:
    Modem& modem_;
};

} // namespace halvex
