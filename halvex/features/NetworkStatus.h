#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

#include <memory>

namespace ns
{
class Timer;
}

namespace halvex
{

// The network the modem registers on once the SIM is usable: service domain
// and network type, the registered network, roaming state and cell, and the
// signal, which drifts by a level now and then around the scenario's level.
// The "signal" step sets that level.
class NetworkStatus : public Feature
{
public:
    explicit NetworkStatus(Modem& modem);
    ~NetworkStatus() override;

    void registerSteps(StepTable& steps) override;
    void describeState(ns::Dictionary& state) const override;
    void simReady() override;
    void deviceRemoved() override;

    // The radio values of a report for a level 0 to 5: the received signal
    // strength for every network, code power and quality for UMTS ones.
    static _UI_MSG signalRecord(int level, bool umts);

private:
    void setSignalLevel(int level);
    void startSignalDrift();
    void driftSignal();
    bool isUmts() const;

    bool registered_ = false;
    int baseLevel_;
    int level_;
    std::shared_ptr<ns::Timer> driftTimer_;
};

} // namespace halvex
