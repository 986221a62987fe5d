#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// The user's device lock: a four-digit code the modem keeps and checks. A
// locked device reports itself locked each time it comes up, until the right
// code opens it; codes are checked whenever they come, and every check is
// answered with the unlock result.
class DeviceLock : public Feature
{
public:
    explicit DeviceLock(Modem& modem);

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void devicePlugged() override;
    void deviceRemoved() override;

private:
    void dealWithUnlock(const _UI_MSG& request);

    bool locked_;
    int wrongCodes_ = 0; // wrong codes since the device came up
};

} // namespace halvex
