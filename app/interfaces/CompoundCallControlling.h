#pragma once

// What the main window asks of the call controller, which implements it and
// sets g_CompoundCallController when it is created. The controller is also an
// ns::Object answering "selectDialCallStyle:" and "hangClicked:", the actions
// of the answer and reject menu items.
class CompoundCallControlling
{
public:
    virtual ~CompoundCallControlling() = default;
    // 0 while no call is in progress.
    virtual int callStage() = 0;
};

extern CompoundCallControlling* g_CompoundCallController;
