#pragma once

#include "halvex/features/Feature.h"

#include <cstdint>

namespace halvex
{

// The USIM's activation state (6/33), reported as the device comes up and
// changed by the "usim" step, and the SIM's home country code (7/57),
// reported once the SIM is usable.
class SimActivation : public Feature
{
public:
    using Feature::Feature;

    void registerSteps(StepTable& steps) override;
    void devicePlugged() override;
    void simReady() override;

private:
    void reportActivation();

    int32_t activation_ = 0; // 0: activated; 4 and 6: not activated
};

} // namespace halvex
