#pragma once

#include "halvex/features/Feature.h"

namespace halvex
{

// The device's network settings: its national and international roaming
// switches, reported once the SIM is usable.
class NetworkSettings : public Feature
{
public:
    using Feature::Feature;

    void simReady() override;
};

} // namespace halvex
