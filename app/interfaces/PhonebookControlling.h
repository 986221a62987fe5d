#pragma once

#include <QString>

// What other features ask of the phone-book controller, which implements it
// and sets g_PBController when it is created.
class PhonebookControlling
{
public:
    virtual ~PhonebookControlling() = default;
    // Loads the computer-side phone book from the data folder's file of that
    // name (one file per SIM).
    virtual void loadPcPhoneListByImsi(const QString& fileName) = 0;
    // Switches the phone-book view to the computer's storage.
    virtual void selectAtPCSide() = 0;
    // The phone book's one-button alert ("Warning!", the translated key, "OK").
    virtual void popupAlertOk(const QString& key) = 0;
    // The leading part of the text whose length stays within the maximum,
    // a one-byte UTF-8 character counting 1 and any other 2.
    virtual QString deleteExtraContent(const QString& text, int maxLength) = 0;
    // The SIM's contact count and capacity as "%d/%d", for the diagnostics window.
    virtual QString getDiagnosticsContact() = 0;
};

extern PhonebookControlling* g_PBController;
