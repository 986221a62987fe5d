#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// The handshake with the manager, the device being plugged in or pulled out,
// and the device mode; the "remove" and "plug" steps.
class DeviceStartup : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void registerSteps(StepTable& steps) override;
    void devicePlugged() override;
    void deviceRemoved() override;

private:
    void dealWithHandShake(const _UI_MSG& request);
};

} // namespace halvex
