#pragma once

#include "platform/ns/Object.h"

#include <QString>

// Base of the feature services: holds the IMSI of the SIM in use, one value
// for every service, and classifies the network types the device reports.
class JovServiceBase : public ns::Object
{
public:
    // Network classes of getNetTypeWithNetStr.
    enum NetType { TwoG = 0, ThreeG = 1, H = 2, HPlus = 3 };

    QString imsi() const;
    void setImsi(const QString& imsi);

    // The class of a network-type string; 0 (2G) for any string not known.
    int getNetTypeWithNetStr(const QString& netType) const;
    // Exact, case-sensitive membership in the strings of each class.
    bool is2GType(const QString& netType) const;
    bool is3GType(const QString& netType) const;
    bool isHType(const QString& netType) const;
    bool isHPlusType(const QString& netType) const;
};
