#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// Whether the device keeps the PIN for entering it by itself (4/16): reported
// once as the device comes up. The manager asks again after every report;
// the device answers those requests with a plain acknowledgement, so the
// exchange ends there.
class PinSaving : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void devicePlugged() override;

private:
    void dealWithPinAutoValidation(const _UI_MSG& request);
};

} // namespace halvex
