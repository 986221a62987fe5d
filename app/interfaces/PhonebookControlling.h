#pragma once

#include <QString>

// What the device's start-up asks of the phone-book feature's controller,
// which implements it and sets g_PBController when it is created.
class PhonebookControlling
{
public:
    virtual ~PhonebookControlling() = default;
    // Loads the computer-side phone book from the data folder's file of that
    // name (one file per SIM).
    virtual void loadPcPhoneListByImsi(const QString& fileName) = 0;
};

extern PhonebookControlling* g_PBController;
