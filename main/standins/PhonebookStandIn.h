#pragma once

#include "app/interfaces/PhonebookControlling.h"

// Stands in for the phone-book controller until the phone-book feature joins
// the program: there is no phone book to load or show; its alert and its
// length rule for typed text work as the phone book's own.
class PhonebookStandIn : public PhonebookControlling
{
public:
    PhonebookStandIn();
    ~PhonebookStandIn() override;

    void loadPcPhoneListByImsi(const QString&) override {}
    void selectAtPCSide() override {}
    void popupAlertOk(const QString& key) override;
    QString deleteExtraContent(const QString& text, int maxLength) override;
    QString getDiagnosticsContact() override { return QString(); }
};
