#pragma once

#include "halvex/features/Feature.h"

namespace halvex
{

// The SIM's operator files, as hexadecimal text, once the SIM is usable:
// service provider display information, service provider name, ICCID.
class SimFiles : public Feature
{
public:
    using Feature::Feature;

    void simReady() override;
};

} // namespace halvex
