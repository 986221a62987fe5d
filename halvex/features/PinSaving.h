#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// Whether the device keeps the PIN for entering it by itself (4/16): reported
// as the device comes up and whenever the user's choice changes it. The
// manager asks again after every report; the device answers those requests
// with a plain acknowledgement, so the exchange ends there. The user's choice
// (4/18: keep or forget the PIN) lasts until the simulated device is reset.
class PinSaving : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void describeState(ns::Dictionary& state) const override;
    void devicePlugged() override;

private:
    void dealWithPinAutoValidation(const _UI_MSG& request);
    void dealWithSavePinFlag(const _UI_MSG& request);
    void reportPinSaving();

    bool keepsPin_ = false;    // the device enters the PIN by itself
    bool savedByUser_ = false; // the user once chose on the manager's sheet
};

} // namespace halvex
