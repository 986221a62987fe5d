#pragma once

#include "app/interfaces/CompoundCallControlling.h"

// Stands in for the call controller until the calls feature joins the
// program: no call is ever in progress.
class CompoundCallStandIn : public CompoundCallControlling
{
public:
    CompoundCallStandIn() { g_CompoundCallController = this; }
    ~CompoundCallStandIn() override
    {
        if (g_CompoundCallController == this)
            g_CompoundCallController = nullptr;
    }

    int callStage() override { return 0; }
};
