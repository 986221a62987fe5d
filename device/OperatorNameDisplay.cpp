#include "device/OperatorNameDisplay.h"

OperatorNames progressSPNDomainForGeneral(const GeneralSpnInput& input)
{
    OperatorNames names;
    if (input.localisedName.isEmpty())
        return names;
    if (!input.homeOrFriendly) {
        names.localName = input.localisedName;
        if (!(input.displayCondition & 0x02))
            names.homeName = input.spn;
    } else {
        names.homeName = input.spn;
        if ((input.displayCondition & 0x01) || input.alwaysShowLocalSPN)
            names.localName = input.localisedName;
    }
    if (input.spn.isEmpty()) {
        names.localName = input.localisedName;
        names.homeName = input.onlyShowBelonetoSPN ? input.localisedName : QStringLiteral("");
    } else if (input.onlyShowBelonetoSPN) {
        names.homeName = input.spn;
    }
    return names;
}
