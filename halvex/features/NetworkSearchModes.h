#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

namespace halvex
{

// How the device searches for networks (0x0201/75: search mode, selected
// mode, preferred mode) and which network type it prefers (0x0201/80):
// reported once the SIM is usable and answered when asked.
class NetworkSearchModes : public Feature
{
public:
    using Feature::Feature;

    void registerMessages(MessageRouter& router) override;
    void simReady() override;

private:
    _UI_MSG searchModeRecord(int32_t type, int32_t moduleID) const;
    _UI_MSG preferenceModeRecord(int32_t type, int32_t moduleID) const;
};

} // namespace halvex
