#pragma once

#include "halvex/features/Feature.h"

namespace halvex
{

// The network updating the SIM over the air: the "simupdate" step reports
// it (7/34), as the device does when such an SMS reaches the SIM.
class SimUpdate : public Feature
{
public:
    using Feature::Feature;

    void registerSteps(StepTable& steps) override;
};

} // namespace halvex
