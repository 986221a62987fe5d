#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// The device's locks on the SIM: the network lock to one operator's cards,
// reported in either family of messages, with its unlock code and attempts;
// and the hardware and firmware locks that refuse every card.
class SimLock : public Feature
{
public:
    explicit SimLock(Modem& modem);

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void devicePlugged() override;

private:
    void dealWithUnlockAttempts(const _UI_MSG& request);
    void dealWithUnlockCode(const _UI_MSG& request);
    _UI_MSG attemptsLeftRecord(int32_t moduleID) const;
    // Reports the lock state 5/20 with the state byte in the record's tail.
    void reportLockState(uint8_t state);
    void reportIMEI();

    int unlockAttemptsLeft_;
};

} // namespace halvex
