#pragma once

#include <QString>

#include <optional>

// The operator names to set in the status area; a name that is not set is
// left as it is.
struct OperatorNames {
    std::optional<QString> localName;
    std::optional<QString> homeName;

    friend bool operator==(const OperatorNames&, const OperatorNames&) = default;
};

// What the general name rule looks at.
struct GeneralSpnInput {
    QString localisedName;            // the registered network's name, localised
    QString spn;                      // the SIM's service provider name
    int displayCondition = 0;         // EF_SPN's display condition
    bool homeOrFriendly = false;      // the registered network is the home or a friendly one
    bool alwaysShowLocalSPN = false;  // Main/"AlwaysShowLocalSPN"
    bool onlyShowBelonetoSPN = false; // Init/"OnlyShowBelonetoSPN"
};

// The general rule of the two names: away from the home and friendly
// networks the local name, and the SIM's name unless the display condition's
// bit 2 hides it; in them the SIM's name, and the local name when bit 1 asks
// for it or the switch always shows it. Without a SIM name the network's name
// is the local name (and the home name with "OnlyShowBelonetoSPN"). Nothing
// for an empty name.
OperatorNames progressSPNDomainForGeneral(const GeneralSpnInput& input);
