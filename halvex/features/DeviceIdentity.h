#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// Who the device and its subscriber are: IMEI, firmware and hardware
// versions, model and serial number as the device comes up; the IMSI, the
// own number and the network's MCC and MNC once the SIM is usable, and the
// IMSI again on request. The "identity" step reports all of them again.
class DeviceIdentity : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void registerSteps(StepTable& steps) override;
    void devicePlugged() override;
    void simReady() override;
    void deviceRemoved() override { simReady_ = false; }

private:
    _UI_MSG imsiRecord(int32_t moduleID) const;
    void dealWithQueryIMSI(const _UI_MSG& request);

    bool simReady_ = false;
};

} // namespace halvex
