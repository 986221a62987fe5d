#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// The data connection: the frequency lock, which the manager reads
// (0x0101/62, answered with 0x0101/87) and sets (0x0101/61). The lock starts
// from the scenario's value and returns to it when the device loses power.
class Connection : public Feature
{
public:
    explicit Connection(Modem& modem);

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void deviceRemoved() override;

private:
    void dealWithReadNetFrequencyLock(const _UI_MSG& request);
    void dealWithSetNetFrequencyLock(const _UI_MSG& request);

    int netFrequencyLock_;
    int frequencyLockSets_ = 0; // 0x0101/61 requests since the device came up
};

} // namespace halvex
