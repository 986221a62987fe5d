#pragma once

// What start-up and shutdown ask of the dial controller. The dial controller
// implements it and sets g_DialController when it is created; until then
// nothing is ever being dialled.
class DialControlling
{
public:
    virtual ~DialControlling() = default;
    virtual bool GetisDialNow() = 0;
    virtual void SelectDisconnectAction() = 0;
};

extern DialControlling* g_DialController;
