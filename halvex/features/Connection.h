#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/DialParams.h"
#include "jCommon/UIMsg.h"

namespace halvex
{

// The data connection. The manager hands the profile to dial with as the
// dial-parameter record (0x0101/60); the device keeps the last one and
// acknowledges each, and tests read the last record's fields and how many
// have come. The frequency lock is read (0x0101/62, answered with 0x0101/87)
// and set (0x0101/61); it starts from the scenario's value and returns to it
// when the device loses power.
class Connection : public Feature
{
public:
    explicit Connection(Modem& modem);

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void deviceRemoved() override;

    // The last dial-parameter record the manager sent.
    const DialParams& lastDialParams() const { return dialParams_; }

private:
    void dealWithSetDialParams(const _UI_MSG& request);
    void dealWithReadNetFrequencyLock(const _UI_MSG& request);
    void dealWithSetNetFrequencyLock(const _UI_MSG& request);

    DialParams dialParams_;
    int dialParamsCount_ = 0;
    int netFrequencyLock_;
    int frequencyLockSets_ = 0; // 0x0101/61 requests since the device came up
};

} // namespace halvex
