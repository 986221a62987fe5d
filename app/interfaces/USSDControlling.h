#pragma once

// What other features ask of the USSD controller, which implements it and
// sets g_USSDController when it is created.
class USSDControlling
{
public:
    virtual ~USSDControlling() = default;
    // The operator variant that gates connecting through USSD has enabled
    // the connect button.
    virtual bool getConnectBtnEnableZerivad() = 0;
};

extern USSDControlling* g_USSDController;
