#pragma once

// What the main window asks of the settings controller, which implements it
// and sets g_SettingController when it is created.
class SettingControlling
{
public:
    virtual ~SettingControlling() = default;
    // The user is selecting a network by hand on the settings page.
    virtual bool isManualSelecting() = 0;
};

extern SettingControlling* g_SettingController;
