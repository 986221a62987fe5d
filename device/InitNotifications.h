#pragma once

#include <QString>

// The device's state as the initialisation controller learns it, posted with
// object nil and the user information {its own name: value}.
inline const QString kSingalStrength = QStringLiteral("init_SingalStrength"); // level 0 to 5
inline const QString kRoamStatus = QStringLiteral("init_RoamStatus");         // roaming status
inline const QString kBelonetoSPN = QStringLiteral("init_BeloneToSPN");       // home operator name
inline const QString kLocalSPN = QStringLiteral("init_LocalSPN");             // registered network's name
inline const QString kModemConnected = QStringLiteral("init_ModemConnected"); // boolean
inline const QString kSimStatus = QStringLiteral("init_SimStatus");           // boolean
inline const QString kNetworkStatus = QStringLiteral("init_NetworkStatus");   // network type text
inline const QString kDomainName = QStringLiteral("init_DomainName");         // service domain text
