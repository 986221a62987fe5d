#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// Who the device and its subscriber are: IMEI, firmware and hardware
// versions, model and serial number as the device comes up; the IMSI and
// the own number once the SIM is usable, and the IMSI again on request.
class DeviceIdentity : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void devicePlugged() override;
    void simReady() override;

private:
    _UI_MSG imsiRecord(int32_t moduleID) const;
    void dealWithQueryIMSI(const _UI_MSG& request);
};

} // namespace halvex
