#pragma once

#include "halvex/features/Feature.h"

namespace halvex
{

// The user's device lock: this modem reports itself unlocked.
class DeviceLock : public Feature
{
public:
    using Feature::Feature;

    void devicePlugged() override;
};

} // namespace halvex
