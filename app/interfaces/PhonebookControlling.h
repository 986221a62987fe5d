#pragma once

// What other features ask of the phone-book controller, which implements it
// and sets g_PBController when it is created.
class PhonebookControlling
{
public:
    virtual ~PhonebookControlling() = default;
    // Switches the phone-book view to the computer's storage.
    virtual void selectAtPCSide() = 0;
};

extern PhonebookControlling* g_PBController;
